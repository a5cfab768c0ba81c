#pragma once

#include <QPointer>
#include <QWidget>

namespace veltrane {

// Puts `child` into `slot` as the child that fills `parent`. The previous occupant is hidden at
// once and deleted on the next turn of the event loop, because it may be the sender of the event
// that led here.
inline void replaceFillingChild(QWidget& parent, QPointer<QWidget>& slot, QWidget* child)
{
    if (slot == child)
        return;
    if (slot) {
        slot->hide();
        slot->deleteLater();
    }
    slot = child;
    if (child) {
        child->setParent(&parent);
        child->setGeometry(parent.rect());
        child->show();
    }
}

} // namespace veltrane
