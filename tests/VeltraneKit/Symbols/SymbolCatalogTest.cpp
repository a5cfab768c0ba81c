#include "VeltraneKit/Symbols/SymbolCatalog.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

using namespace veltrane;

namespace {

struct Coverage {
    int inked = 0;
    QRect bounds;
};

Coverage coverage(const QImage& image)
{
    Coverage result;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 100)
                result = { result.inked + 1, result.bounds | QRect(x, y, 1, 1) };
    return result;
}

} // namespace

TEST(SymbolCatalogTest, KnowsSymbolsByTheirExactNameAndDrawsEachInItsTint)
{
    EXPECT_TRUE(SymbolCatalog::contains(u"play.fill"));
    for (const char16_t* name : { u"play", u"Play.fill", u"" })
        EXPECT_FALSE(SymbolCatalog::contains(name)) << QString::fromUtf16(name).toStdString();
    ASSERT_GE(SymbolCatalog::names().size(), 80);
    for (const QString& name : SymbolCatalog::names()) {
        const QImage image = SymbolPainter::image(name, QSize(32, 32), QColor(70, 184, 198));
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        const Coverage ink = coverage(image);
        // Something visible, inside the square, and not a filled square.
        EXPECT_GT(ink.inked, 20) << name.toStdString();
        EXPECT_LT(ink.inked, 32 * 32 * 9 / 10) << name.toStdString();
        int foreign = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                foreign += qAlpha(image.pixel(x, y)) == 255 && (image.pixel(x, y) & 0xFFFFFF) != 0x46B8C6;
        EXPECT_EQ(foreign, 0) << name.toStdString();
    }
}

TEST(SymbolCatalogTest, PaintsCentredAtThePointSizeAndDevicePixelRatioAndUnknownNamesNot)
{
    const auto canvas = [](int size, qreal ratio, const std::function<void(QPainter&)>& draw) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        draw(painter);
        painter.end();
        return coverage(image);
    };
    // The circle's artwork spans about the point size, centred.
    const Coverage circle = canvas(100, 1, [](QPainter& painter) {
        EXPECT_TRUE(SymbolPainter::paint(painter, QPointF(50, 50), 20, u"circle", Qt::black));
    });
    EXPECT_NEAR(circle.bounds.width(), 20, 3);
    EXPECT_NEAR(circle.bounds.center().x(), 50, 1.5);
    EXPECT_NEAR(circle.bounds.center().y(), 50, 1.5);
    // At twice the pixels the symbol covers the whole 80-pixel canvas, drawn from an 80-pixel rendering.
    EXPECT_GT(canvas(80, 2, [](QPainter& painter) { SymbolPainter::paint(painter, QRectF(0, 0, 40, 40), u"circle", Qt::black); }).bounds.width(), 60);

    EXPECT_EQ(canvas(40, 1, [](QPainter& painter) {
        EXPECT_FALSE(SymbolPainter::paint(painter, QRectF(0, 0, 40, 40), u"no.such.symbol", Qt::black));
        EXPECT_FALSE(SymbolPainter::paint(painter, QRectF(0, 0, 0, 40), u"timer", Qt::black));
    }).inked, 0);
    EXPECT_TRUE(SymbolPainter::image(u"no.such.symbol", QSize(10, 10), Qt::black).isNull());
}
