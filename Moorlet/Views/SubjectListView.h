#pragma once

#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

namespace moorlet {

struct ViewContext;

// The subject menu's list: the settings' subjects in their order, led by "No subject" when the
// settings name no default subject, and by the subject the next block takes when the list does
// not hold it (an active task's title). The subject the next block takes is marked; the default
// one says so. Tapping a row makes its subject the current one.
class SubjectListView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 28;

    struct Entry {
        // What the row sets as the current subject (empty: none).
        QString subject;
        QString title;
        bool isDefault = false;
    };

    explicit SubjectListView(ViewContext& context, QWidget* parent = nullptr);

    // Reads the settings and the controller again.
    void reload();
    const std::vector<Entry>& entries() const { return m_entries; }
    QRectF rowRect(int index) const;

    QSize sizeHint() const override;

signals:
    void chosen();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::optional<int> rowAt(QPointF point) const;

    ViewContext& m_context;
    std::vector<Entry> m_entries;
    std::optional<int> m_pressed;
};

} // namespace moorlet
