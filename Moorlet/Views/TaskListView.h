#pragma once

#include "Moorlet/Data/FocusTask.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace moorlet {

struct ViewContext;

// The task picker's list, in the store's display order. A row shows a tick button (a filled
// check when done, an empty circle otherwise), the title, the time logged to the task, a scope
// mark on the active task and a delete button. Tapping the row makes its task the active one, or
// clears the active task when it already was.
class TaskListView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 32;

    enum class Part {
        tick,
        remove,
        row,
    };

    TaskListView(ViewContext& context, QWidget* parent = nullptr);

    // Reads the store's tasks again.
    void reload();
    const std::vector<FocusTask>& tasks() const { return m_tasks; }
    // Where a part of the row at `index` lies, in the list's coordinates.
    QRectF partRect(int index, Part part) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Hit {
        int index;
        Part part;
        friend bool operator==(const Hit&, const Hit&) = default;
    };
    std::optional<Hit> hitTest(QPointF point) const;
    void act(const Hit& hit);

    ViewContext& m_context;
    std::vector<FocusTask> m_tasks;
    std::optional<Hit> m_pressed;
};

} // namespace moorlet
