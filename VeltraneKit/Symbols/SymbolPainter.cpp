#include "VeltraneKit/Symbols/SymbolPainter.h"

#include "VeltraneKit/Symbols/SymbolCatalog.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <memory>

namespace veltrane {

namespace {

// The artwork fills about five sixths of its square, so a box this much larger than the point
// size makes a symbol stand as tall as the capitals and ascenders of text of that size.
constexpr double kBoxPerPoint = 1.2;
// Rendered images are kept for repaints; the cache is dropped whole when it grows past this.
constexpr int kCacheLimit = 256;

struct CacheKey {
    QString name;
    QSize pixels;
    QRgb tint;
    friend bool operator==(const CacheKey&, const CacheKey&) = default;
};

size_t qHash(const CacheKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.name, key.pixels.width(), key.pixels.height(), key.tint);
}

QSvgRenderer* rendererFor(QStringView name)
{
    static QHash<QString, std::shared_ptr<QSvgRenderer>> renderers;
    const QString key = name.toString();
    auto found = renderers.find(key);
    if (found == renderers.end()) {
        const QString path = SymbolCatalog::resourcePath(name);
        auto renderer = path.isEmpty() ? nullptr : std::make_shared<QSvgRenderer>(path);
        if (renderer && !renderer->isValid())
            renderer.reset();
        found = renderers.insert(key, renderer);
    }
    return found->get();
}

} // namespace

QImage SymbolPainter::image(QStringView name, QSize pixels, const QColor& tint)
{
    if (pixels.isEmpty())
        return {};
    static QHash<CacheKey, QImage> cache;
    const CacheKey key { name.toString(), pixels, tint.rgba() };
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return *found;

    QSvgRenderer* renderer = rendererFor(name);
    if (!renderer)
        return {};
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    // The artwork's own colour is replaced by the tint, keeping its coverage.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), tint);
    painter.end();

    if (cache.size() >= kCacheLimit)
        cache.clear();
    cache.insert(key, image);
    return image;
}

bool SymbolPainter::paint(QPainter& painter, const QRectF& rect, QStringView name, const QColor& tint)
{
    const double side = std::min(rect.width(), rect.height());
    if (side <= 0 || tint.alpha() == 0)
        return false;
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int pixels = std::max(1, static_cast<int>(std::ceil(side * ratio)));
    const QImage rendered = image(name, QSize(pixels, pixels), tint);
    if (rendered.isNull())
        return false;
    const QRectF target(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, rendered);
    painter.restore();
    return true;
}

QRectF SymbolPainter::box(QPointF center, double pointSize)
{
    const double side = pointSize * kBoxPerPoint;
    return { center.x() - side / 2, center.y() - side / 2, side, side };
}

bool SymbolPainter::paint(QPainter& painter, QPointF center, double pointSize, QStringView name, const QColor& tint)
{
    return paint(painter, box(center, pointSize), name, tint);
}

} // namespace veltrane
