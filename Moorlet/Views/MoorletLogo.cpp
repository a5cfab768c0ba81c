#include "Moorlet/Views/MoorletLogo.h"

#include "VeltraneKit/Theme/DesignTokens.h"

#include <QPainter>

// Resources compiled into a static library are only linked in when something refers to them.
static void initializeViewResources()
{
    Q_INIT_RESOURCE(MoorletViews);
}

namespace moorlet {

namespace {

// The backdrop is a rounded square of the subtle fill, this share of the logo's size round.
constexpr double kBackdropRadiusShare = 0.24;
// The image sits inside the backdrop by this share of the size.
constexpr double kBackdropInsetShare = 0.08;

} // namespace

MoorletLogo::MoorletLogo(double size, bool showBackground)
    : m_size(size)
    , m_showBackground(showBackground)
{
}

QString MoorletLogo::imageResourcePath()
{
    initializeViewResources();
    return QStringLiteral(":/MoorletViews/MoorletIcon.png");
}

QString MoorletLogo::vectorResourcePath()
{
    initializeViewResources();
    return QStringLiteral(":/MoorletViews/moorlet.svg");
}

QImage MoorletLogo::image()
{
    static const QImage icon(imageResourcePath());
    return icon;
}

void MoorletLogo::paint(QPainter& painter, QPointF topLeft) const
{
    QRectF frame(topLeft, QSizeF(m_size, m_size));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_showBackground) {
        const double radius = m_size * kBackdropRadiusShare;
        painter.setPen(Qt::NoPen);
        painter.setBrush(veltrane::DesignTokens::Colors::subtleFill());
        painter.drawRoundedRect(frame, radius, radius);
        const double inset = m_size * kBackdropInsetShare;
        frame.adjust(inset, inset, -inset, -inset);
    }
    painter.drawImage(frame, image());
    painter.restore();
}

} // namespace moorlet
