#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

namespace moorlet {

// The application's logo: the icon image ("MoorletIcon", a PNG in the views' resources) drawn
// size × size with smooth scaling, optionally on a soft rounded backdrop of its own.
class MoorletLogo {
public:
    MoorletLogo(double size, bool showBackground);

    double size() const { return m_size; }
    bool showsBackground() const { return m_showBackground; }

    // Draws the logo with its top-left corner at `topLeft`.
    void paint(QPainter& painter, QPointF topLeft) const;

    // The icon image, and where the resources keep it and its vector original (for the desktop
    // icon the application installs).
    static QImage image();
    static QString imageResourcePath();
    static QString vectorResourcePath();

private:
    double m_size;
    bool m_showBackground;
};

} // namespace moorlet
