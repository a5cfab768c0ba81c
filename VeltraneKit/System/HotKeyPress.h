#pragma once

#include "VeltraneKit/System/HotKeyRegistering.h"

#include <QObject>

namespace veltrane {

// Calls the hot key's onPressed later, from the event loop, as HotKeyRegistering promises. The
// call is queued on `context`, an object the hot key owns, so that none arrives after it is gone.
inline void deliverPressLater(HotKeyRegistering& hotKey, QObject& context)
{
    QMetaObject::invokeMethod(
        &context,
        [&hotKey] {
            if (hotKey.onPressed)
                hotKey.onPressed();
        },
        Qt::QueuedConnection);
}

} // namespace veltrane
