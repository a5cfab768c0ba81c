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

// A symbol name the source mentions, and where.
struct Mention {
    QString name;
    QString where;
};

// Dotted lower-case literals that are never symbols: file names and reverse-domain identifiers.
const QSet<QString> kFileExtensions { "json", "png", "svg", "csv", "zip", "gz", "tar", "txt", "ttf", "otf", "qrc",
    "desktop", "mp3", "m4a", "wav", "aiff", "aif", "caf", "aac", "ogg", "flac", "sh", "conf", "xml", "html", "ini",
    "log", "tmp", "so", "service", "sig", "pem", "jpg", "jpeg", "md", "cpp", "h", "list" };
const QSet<QString> kDomainRoots { "com", "org", "io", "net", "de", "app", "dev", "www" };
// Words that symbol names are built from beyond their first one.
const QSet<QString> kSymbolModifiers { "fill", "circle", "square", "slash", "filled", "badge", "dotted", "inset",
    "and" };

// A dotted literal is taken for a symbol name when it is built like one: it starts with the
// first word of a catalogue name ("play.fil" is a typo of one) or uses a symbol modifier
// ("cloud.sun.fill" is one the catalogue lacks). Other dotted text (file names, keys) is not.
bool looksLikeSymbol(const QString& literal)
{
    static const QSet<QString> firstWords = [] {
        QSet<QString> words;
        for (const QString& name : SymbolCatalog::names())
            words.insert(name.section(u'.', 0, 0));
        return words;
    }();
    const QStringList parts = literal.split(u'.');
    if (parts.size() < 2)
        return true;
    if (kFileExtensions.contains(parts.back()) || kDomainRoots.contains(parts.front()))
        return false;
    if (firstWords.contains(parts.front()))
        return true;
    return std::any_of(parts.begin(), parts.end(), [](const QString& part) { return kSymbolModifiers.contains(part); });
}

// Every symbol name the program's sources and resources mention:
//  - any dotted lower-case string literal built like a symbol name ("play.fill");
//  - any lower-case word literal on a line that speaks of a symbol or a system image;
//  - the "icon" values of JSON resources (the sound catalogue).
std::vector<Mention> mentionedSymbols()
{
    static const QRegularExpression dotted(QStringLiteral(R"re("([a-z][a-z0-9]*(?:\.[a-z0-9]+)+)")re"));
    static const QRegularExpression word(QStringLiteral(R"re("([a-z][a-z0-9]*(?:\.[a-z0-9]+)*)")re"));
    static const QRegularExpression symbolLine(QStringLiteral(R"((symbol|Symbol|systemImage|SYMBOL))"));
    std::vector<Mention> mentions;
    for (const char* folder : { "VeltraneKit", "MoorletCore", "Moorlet", "tools" }) {
        QDirIterator files(testsupport::sourceDir() + u'/' + QLatin1String(folder),
            { QStringLiteral("*.h"), QStringLiteral("*.cpp"), QStringLiteral("*.json") }, QDir::Files,
            QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QByteArray content = veltrane::testing::readBytes(path);
            const QString relative = path.mid(testsupport::sourceDir().size() + 1);
            if (path.endsWith(QStringLiteral(".json"))) {
                const QJsonDocument document = QJsonDocument::fromJson(content);
                for (const QJsonValue& entry : document.array()) {
                    const QString icon = entry.toObject().value(QStringLiteral("icon")).toString();
                    if (!icon.isEmpty())
                        mentions.push_back({ icon, relative });
                }
                continue;
            }
            const QStringList lines = QString::fromUtf8(content).split(u'\n');
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const QString& line = lines[i];
                // Comments draw nothing.
                if (line.trimmed().startsWith(QStringLiteral("//")))
                    continue;
                const QString where = relative + u':' + QString::number(i + 1);
                const bool speaksOfSymbols = symbolLine.match(line).hasMatch();
                auto matches = (speaksOfSymbols ? word : dotted).globalMatch(line);
                while (matches.hasNext()) {
                    const QString literal = matches.next().captured(1);
                    if (looksLikeSymbol(literal))
                        mentions.push_back({ literal, where });
                }
            }
        }
    }
    return mentions;
}

} // namespace

TEST(SymbolNamesTest, EverySymbolTheProgramNamesIsInTheCatalogue)
{
    const std::vector<Mention> mentions = mentionedSymbols();
    // The catalogue's own users mention symbols; a scan without "play.fill" would be broken.
    EXPECT_TRUE(std::any_of(mentions.begin(), mentions.end(), [](const Mention& mention) { return mention.name == QLatin1String("play.fill"); }));
    for (const Mention& mention : mentions) {
        EXPECT_TRUE(SymbolCatalog::contains(mention.name))
            << mention.where.toStdString() << ": \"" << mention.name.toStdString()
            << "\" is not in the symbol catalogue (VeltraneKit/Symbols/icons)";
    }
}
