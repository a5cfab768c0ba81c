#pragma once

#include "Moorlet/SettingsWindow/SettingsBindings.h"
#include "Moorlet/SettingsWindow/SettingsLayout.h"
#include "Moorlet/SettingsWindow/SettingsPane.h"
#include "Moorlet/SettingsWindow/SettingsTarget.h"

#include <QColorDialog>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>


class QDateEdit;
class QLineEdit;
class QScrollArea;

namespace veltrane {
class FrameTicker;
}

namespace moorlet {

class ThemeSwatch;
struct ViewPalette;

// The settings window's content: the sidebar of panes on the left and the selected pane's rows
// on the right, in a column that scrolls. Rows are painted and answer a hit test; text, the
// deadline's date and the accent's hex digits are typed into real fields. Every control acts
// through SettingsBindings; the view itself keeps only the pane, the text being typed for a new
// subject or deadline, and the chosen date.
//
// Main thread only.
class SettingsView : public QWidget {
    Q_OBJECT

public:
    // Null ticker: the application's shared one.
    SettingsView(SettingsObjects objects, SettingsCallbacks callbacks, DiagnosticsProvider diagnostics,
        veltrane::FrameTicker* ticker = nullptr, QWidget* parent = nullptr);
    ~SettingsView() override;

    SettingsPane pane() const { return m_pane; }
    void setPane(SettingsPane pane);
    // Shows what changed outside the settings objects' signals: the hot key's state and keys.
    void refresh() { reload(); }

    SettingsBindings& bindings() { return m_bindings; }
    // The selected pane's rows, in the content column's coordinates.
    SettingsLayout layout() const;

    // In the view's coordinates. Pane rows that lie outside the visible part of the column are
    // not hit; targetRect() scrolls its target into view first.
    std::optional<SettingsTarget> hitTest(QPointF point) const;
    // The painted control the keyboard is on, while the pane has the focus.
    std::optional<SettingsTarget> keyboardTarget() const { return m_keyboardTarget; }
    QRectF targetRect(const SettingsTarget& target);
    // The field of a text row (new subject, automation names, the accent's hex digits, the new
    // deadline's title) or nothing for other rows.
    QLineEdit* field(SettingsControl control) const;
    QDateEdit* dateField() const { return m_deadlineDate; }
    // The colour chooser behind the accent well, once it was opened.
    QColorDialog* colorDialog() const { return m_colorDialog; }
    const std::vector<std::unique_ptr<ThemeSwatch>>& swatches() const { return m_swatches; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Canvas;
    friend class Canvas;

    // Reads the settings again: the pane's rows, the fields' texts, the swatches' selection.
    void reload();
    void placeFields();
    void activate(const SettingsTarget& target, QPointF canvasPoint);
    std::optional<SettingsTarget> canvasHitTest(QPointF point) const;
    QRectF canvasTargetRect(const SettingsLayout& layout, const SettingsTarget& target) const;
    void setHoveredSwatch(int index);
    void addSubject();
    void addDeadline();
    void openColorDialog();

    // The painted controls in the order Tab walks them, and the one that has the keyboard.
    std::vector<SettingsTarget> keyboardTargets() const;
    void startKeyboardFocus(bool first);
    // Returns false at either end, where Tab leaves for the neighbouring widget.
    bool moveKeyboardFocus(bool next);
    // Space and Return press, the arrow keys (and - and +) step, choose and slide.
    bool keyboardActivate(int key);
    std::optional<QRectF> keyboardRingRect() const;
    void showKeyboardTarget();

    void paintSidebar(QPainter& painter, const ViewPalette& palette) const;
    void paintPane(QPainter& painter, const QRect& exposed) const;
    void paintRow(QPainter& painter, const SettingsLayout::Row& row, const ViewPalette& palette) const;

    SettingsBindings m_bindings;
    veltrane::FrameTicker& m_ticker;
    SettingsPane m_pane = SettingsPane::timer;
    SettingsPaneState m_state;
    std::vector<std::unique_ptr<ThemeSwatch>> m_swatches;
    int m_hoveredSwatch = -1;
    // The slider being dragged.
    std::optional<SettingsControl> m_dragging;
    std::optional<SettingsTarget> m_keyboardTarget;

    QScrollArea* m_scroll;
    Canvas* m_canvas;
    QLineEdit* m_newSubject;
    QLineEdit* m_focusShortcut;
    QLineEdit* m_breakShortcut;
    QLineEdit* m_accentHex;
    QLineEdit* m_deadlineTitle;
    QDateEdit* m_deadlineDate;
    QPointer<QColorDialog> m_colorDialog;
};

} // namespace moorlet
