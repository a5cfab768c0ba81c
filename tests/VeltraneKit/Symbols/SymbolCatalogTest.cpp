#include "VeltraneKit/Symbols/SymbolCatalog.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"

#include "tests/VeltraneKit/TextFiles.h"
#include "tests/support/TestSupport.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>

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

// Dotted lower-case literals that are never symbols: file names and reverse-domain identifiers.
bool isFileOrDomain(const QString& literal)
{
    static const QSet<QString> extensions { "json", "png", "svg", "csv", "txt", "qrc", "desktop", "mp3",
        "wav", "ogg", "flac", "sh", "conf", "xml", "ini", "log", "list", "md", "cpp", "h" };
    static const QSet<QString> roots { "com", "org", "io", "net", "de", "app", "dev", "www" };
    return extensions.contains(literal.section(u'.', -1)) || roots.contains(literal.section(u'.', 0, 0));
}

// Every symbol name the program's sources and resources mention, with where: dotted lower-case
// string literals ("play.fill"), any lower-case word literal on a line that speaks of a symbol
// or a system image, and the "icon" values of JSON resources (the sound catalogue).
std::vector<std::pair<QString, QString>> mentionedSymbols()
{
    static const QRegularExpression dotted(QStringLiteral(R"re("([a-z][a-z0-9]*(?:\.[a-z0-9]+)+)")re"));
    static const QRegularExpression word(QStringLiteral(R"re("([a-z][a-z0-9]*(?:\.[a-z0-9]+)*)")re"));
    static const QRegularExpression symbolLine(QStringLiteral("symbol|Symbol|systemImage|SYMBOL"));
    std::vector<std::pair<QString, QString>> mentions;
    for (const char* folder : { "VeltraneKit", "MoorletCore", "Moorlet", "tools" }) {
        QDirIterator files(testsupport::sourceDir() + u'/' + QLatin1String(folder),
            { QStringLiteral("*.h"), QStringLiteral("*.cpp"), QStringLiteral("*.json") }, QDir::Files,
            QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QByteArray content = veltrane::testing::readBytes(path);
            if (path.endsWith(QStringLiteral(".json"))) {
                for (const QJsonValue& entry : QJsonDocument::fromJson(content).array()) {
                    const QString icon = entry.toObject().value(QStringLiteral("icon")).toString();
                    if (!icon.isEmpty())
                        mentions.emplace_back(icon, path);
                }
                continue;
            }
            const QStringList lines = QString::fromUtf8(content).split(u'\n');
            for (qsizetype i = 0; i < lines.size(); ++i) {
                // Comments draw nothing.
                if (lines[i].trimmed().startsWith(QStringLiteral("//")))
                    continue;
                const bool speaksOfSymbols = symbolLine.match(lines[i]).hasMatch();
                auto matches = (speaksOfSymbols ? word : dotted).globalMatch(lines[i]);
                while (matches.hasNext()) {
                    const QString literal = matches.next().captured(1);
                    if (!isFileOrDomain(literal))
                        mentions.emplace_back(literal, path + u':' + QString::number(i + 1));
                }
            }
        }
    }
    return mentions;
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

    EXPECT_TRUE(SymbolPainter::image(u"no.such.symbol", QSize(10, 10), Qt::black).isNull());
}

TEST(SymbolNamesTest, EverySymbolTheProgramNamesIsInTheCatalogue)
{
    const auto mentions = mentionedSymbols();
    // The catalogue's own users mention symbols; a scan without "play.fill" would be broken.
    EXPECT_TRUE(std::any_of(mentions.begin(), mentions.end(), [](const auto& mention) {
        return mention.first == QLatin1String("play.fill");
    }));
    for (const auto& [name, where] : mentions)
        EXPECT_TRUE(SymbolCatalog::contains(name)) << where.toStdString() << ": \"" << name.toStdString()
                                                   << "\" is not in the symbol catalogue";
}
