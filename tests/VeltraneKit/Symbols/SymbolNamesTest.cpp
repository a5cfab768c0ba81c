#include "VeltraneKit/Symbols/SymbolCatalog.h"

#include "tests/VeltraneKit/TextFiles.h"
#include "tests/support/TestSupport.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace veltrane;

namespace {

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
