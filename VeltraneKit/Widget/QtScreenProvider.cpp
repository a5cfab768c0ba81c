#include "VeltraneKit/Widget/QtScreenProvider.h"

#include "VeltraneKit/Widget/ScreenCoordinates.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace veltrane {

std::vector<ScreenFrames> QtScreenProvider::screens() const
{
    std::vector<ScreenFrames> result;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return result;
    ScreenCoordinates coordinates(yFlipLine());
    auto add = [&](QScreen* screen) {
        result.push_back({ coordinates.fromQt(screen->geometry()),
            coordinates.fromQt(screen->availableGeometry()) });
    };
    add(primary);
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary)
            add(screen);
    }
    return result;
}

Point QtScreenProvider::mouseLocation() const
{
    return ScreenCoordinates(yFlipLine()).fromQt(QCursor::pos());
}

double QtScreenProvider::yFlipLine() const
{
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return 0;
    QRect desktop = primary->virtualGeometry();
    return desktop.y() + desktop.height();
}

} // namespace veltrane
