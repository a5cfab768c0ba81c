#pragma once

#include "Moorlet/Views/CardPopupSlot.h"
#include "Moorlet/Views/TaskPickerPopover.h"

#include <QRect>
#include <QRectF>
#include <QString>

class QPainter;

namespace moorlet {

struct ViewContext;

// The card's task row: a checklist symbol, the active task's title (or an invitation to pick
// one) and an up-down chevron, on a rounded background. Tapping it opens the task popover; while
// the popover is open the controller is asked not to collapse the card, and closing it lifts
// that again.
class TaskPickerButton {
public:
    explicit TaskPickerButton(ViewContext& context);

    // The active task's title, or "Pick a task to focus on".
    QString title() const;
    bool isShowing() const { return m_popover.isShowing(); }
    // Opens the popover beside `anchor` (the button's rectangle on screen), or closes it.
    void toggle(const QRect& anchor) { m_popover.toggle(anchor); }
    void setShowing(bool showing, const QRect& anchor = {}) { m_popover.setShowing(showing, anchor); }
    // The popover, once it has been opened.
    TaskPickerPopover* popover() const { return static_cast<TaskPickerPopover*>(m_popover.popup()); }

    void paint(QPainter& painter, const QRectF& rect) const;

private:
    ViewContext& m_context;
    CardPopupSlot m_popover;
};

} // namespace moorlet
