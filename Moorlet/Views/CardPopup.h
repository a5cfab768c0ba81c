#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QScrollArea;
class QVBoxLayout;

namespace moorlet {

struct ViewContext;

// A popup window the card opens beside one of its rows (the task picker, the subject menu, the
// intention field): a rounded opaque panel in the card's colours. A click outside or Escape
// closes it, and every way of closing it emits closed().
class CardPopup : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 240;
    static constexpr int kPadding = 12;
    // Between the anchor and the popup.
    static constexpr int kAnchorGap = 6;

    CardPopup(ViewContext& context, QWidget* parent);

    // Shows the popup under the anchor (a rectangle on screen), or above it when there is no room
    // below, kept on the anchor's screen, and gives the keyboard to its field.
    void showBeside(const QRect& anchor);

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // A borderless one-line field in the label font, with `placeholder` and, when `symbol` is
    // set, that symbol in the accent as a button at its end.
    QLineEdit* makeField(const QString& placeholder, const QString& symbol = {});
    // The popup's column: padded kPadding, its parts Spacing.xs apart.
    QVBoxLayout* makeColumn();
    // A borderless, unfilled scroll area around `content` that shows at most `visibleRows` rows
    // of `rowHeight` (call fitRows when their number changes).
    QScrollArea* makeScrollArea(QWidget* content);
    static void fitRows(QScrollArea* area, int rows, int rowHeight, int visibleRows);
    // A line or paragraph of secondary text of `pixelSize`.
    QLabel* makeNote(const QString& text, int pixelSize);
    // What takes the keyboard when the popup opens (nothing by default).
    virtual QWidget* initialFocus() const { return nullptr; }

    ViewContext& m_context;
};

// A hairline across a popup.
class PopupDivider final : public QWidget {
public:
    PopupDivider(const ViewContext& context, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ViewContext& m_context;
};

} // namespace moorlet
