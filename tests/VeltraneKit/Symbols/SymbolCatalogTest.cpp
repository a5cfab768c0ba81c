#include "VeltraneKit/Symbols/SymbolCatalog.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"

#include "tests/support/TestSupport.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace veltrane;

namespace {

struct Coverage {
    int inked = 0;
    QRect bounds;
};

Coverage coverage(const QImage& image)
{
    Coverage result;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 100) {
                ++result.inked;
                result.bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return result;
}

QStringList listedSources()
{
    QFile file(testsupport::sourceDir() + QStringLiteral("/VeltraneKit/Symbols/icons/SOURCES.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList names;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        names << line.section(u' ', 0, 0);
    }
    names.sort();
    return names;
}

} // namespace

TEST(SymbolCatalogTest, HoldsExactlyTheListedSymbols)
{
    const QStringList names = SymbolCatalog::names();
    EXPECT_EQ(names, listedSources());
    EXPECT_GE(names.size(), 80);
    EXPECT_TRUE(SymbolCatalog::contains(u"play.fill"));
    EXPECT_TRUE(SymbolCatalog::contains(u"timer"));
    EXPECT_FALSE(SymbolCatalog::contains(u"play"));
    EXPECT_FALSE(SymbolCatalog::contains(u"Play.fill"));
    EXPECT_FALSE(SymbolCatalog::contains(u""));
    EXPECT_TRUE(SymbolCatalog::resourcePath(u"no.such.symbol").isEmpty());
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/veltrane/symbols/LICENSE")));
}

TEST(SymbolCatalogTest, EverySymbolDrawsInItsTint)
{
    const QColor tint(70, 184, 198);
    for (const QString& name : SymbolCatalog::names()) {
        const QImage image = SymbolPainter::image(name, QSize(32, 32), tint);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        const Coverage ink = coverage(image);
        // Something visible, inside the square, and not a filled square.
        EXPECT_GT(ink.inked, 20) << name.toStdString();
        EXPECT_LT(ink.inked, 32 * 32 * 9 / 10) << name.toStdString();
        bool onlyTint = true;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (qAlpha(pixel) == 255 && (qRed(pixel) != 70 || qGreen(pixel) != 184 || qBlue(pixel) != 198))
                    onlyTint = false;
            }
        }
        EXPECT_TRUE(onlyTint) << name.toStdString();
    }
}

TEST(SymbolCatalogTest, PaintsCentredAtThePointSize)
{
    QImage canvas(100, 100, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    EXPECT_TRUE(SymbolPainter::paint(painter, QPointF(50, 50), 20, u"circle", Qt::black));
    painter.end();
    const Coverage ink = coverage(canvas);
    // The circle's artwork spans about the point size, centred.
    EXPECT_NEAR(ink.bounds.width(), 20, 3);
    EXPECT_NEAR(ink.bounds.center().x(), 50, 1.5);
    EXPECT_NEAR(ink.bounds.center().y(), 50, 1.5);
}

TEST(SymbolCatalogTest, UnknownNamesDrawNothing)
{
    QImage canvas(40, 40, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    EXPECT_FALSE(SymbolPainter::paint(painter, QRectF(0, 0, 40, 40), u"no.such.symbol", Qt::black));
    EXPECT_FALSE(SymbolPainter::paint(painter, QRectF(0, 0, 0, 40), u"timer", Qt::black));
    painter.end();
    EXPECT_EQ(coverage(canvas).inked, 0);
    EXPECT_TRUE(SymbolPainter::image(u"no.such.symbol", QSize(10, 10), Qt::black).isNull());
}

TEST(SymbolCatalogTest, HonoursTheDevicePixelRatio)
{
    QImage canvas(80, 80, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(2);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    SymbolPainter::paint(painter, QRectF(0, 0, 40, 40), u"circle", Qt::black);
    painter.end();
    // The symbol covers the whole 80-pixel canvas, drawn from an 80-pixel rendering.
    EXPECT_GT(coverage(canvas).bounds.width(), 60);
}
