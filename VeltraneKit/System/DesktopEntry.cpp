#include "VeltraneKit/System/DesktopEntry.h"

#include "VeltraneKit/System/DetachedLaunch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace veltrane {

namespace {

constexpr auto kMainGroup = QLatin1String("[Desktop Entry]");
// Desktop files are a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxFileSize = 1024 * 1024;

// Characters that oblige an Exec argument to be quoted.
bool isReserved(QChar character)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#`");
    return reserved.contains(character);
}

// Characters that a backslash must protect inside a quoted Exec argument.
bool needsBackslashInQuotes(QChar character)
{
    return character == QLatin1Char('"') || character == QLatin1Char('`')
        || character == QLatin1Char('$') || character == QLatin1Char('\\');
}

bool isExecutableFound(const QString& program)
{
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable();
    }
    return !QStandardPaths::findExecutable(program).isEmpty();
}

} // namespace

std::optional<DesktopEntry> DesktopEntry::load(const QString& filePath)
{
    QFile file(filePath);
    if (file.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(QString::fromUtf8(file.readAll()), filePath);
}

std::optional<DesktopEntry> DesktopEntry::parse(const QString& text, const QString& filePath)
{
    DesktopEntry entry;
    entry.m_filePath = filePath;
    bool inMainGroup = false;
    bool sawMainGroup = false;
    const auto lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('['))) {
            // Only the first [Desktop Entry] group counts; later groups are actions and the like.
            inMainGroup = !sawMainGroup && trimmed == kMainGroup;
            sawMainGroup = sawMainGroup || inMainGroup;
            continue;
        }
        const auto equals = line.indexOf(QLatin1Char('='));
        if (!inMainGroup || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        if (!entry.m_rawValues.contains(key))
            entry.m_rawValues.insert(key, line.mid(equals + 1).trimmed());
    }
    if (!sawMainGroup)
        return std::nullopt;
    return entry;
}

std::optional<DesktopEntry> DesktopEntry::find(const QString& desktopId, const QStringList& dataFolders)
{
    if (desktopId.isEmpty() || desktopId.contains(QLatin1Char('/')))
        return std::nullopt;
    for (const QString& folder : dataFolders) {
        const QString path = QDir(folder).filePath(QStringLiteral("applications/") + desktopId);
        if (QFileInfo(path).isFile())
            return load(path);
    }
    return std::nullopt;
}

std::optional<QString> DesktopEntry::value(const QString& key) const
{
    const auto found = m_rawValues.constFind(key);
    if (found == m_rawValues.constEnd())
        return std::nullopt;
    return unescapeValue(*found);
}

bool DesktopEntry::isTrue(const QString& key) const
{
    return value(key) == QStringLiteral("true");
}

bool DesktopEntry::isInstalled() const
{
    if (isTrue(QStringLiteral("Hidden")) || !command())
        return false;
    const auto tryExec = value(QStringLiteral("TryExec"));
    return !tryExec || tryExec->isEmpty() || isExecutableFound(*tryExec);
}

std::optional<QStringList> DesktopEntry::command() const
{
    const auto exec = value(QStringLiteral("Exec"));
    if (!exec)
        return std::nullopt;
    const auto arguments = splitExec(*exec);
    if (!arguments)
        return std::nullopt;

    QStringList expanded;
    for (const QString& argument : *arguments) {
        // Codes that stand alone expand to whole arguments, or to none.
        if (argument == QLatin1String("%i")) {
            const auto icon = value(QStringLiteral("Icon"));
            if (icon && !icon->isEmpty())
                expanded << QStringLiteral("--icon") << *icon;
            continue;
        }
        QString result;
        for (qsizetype index = 0; index < argument.size(); ++index) {
            const QChar character = argument.at(index);
            if (character != QLatin1Char('%') || index + 1 == argument.size()) {
                result.append(character);
                continue;
            }
            const QChar code = argument.at(++index);
            if (code == QLatin1Char('%'))
                result.append(QLatin1Char('%'));
            else if (code == QLatin1Char('c'))
                result.append(name());
            else if (code == QLatin1Char('k'))
                result.append(m_filePath);
            // File and URL codes expand to nothing when no file is opened; the deprecated ones
            // are dropped as the rules ask.
        }
        const bool wasOnlyFieldCodes = result.isEmpty() && !argument.isEmpty();
        if (!wasOnlyFieldCodes)
            expanded.append(result);
    }
    if (expanded.isEmpty() || expanded.first().isEmpty())
        return std::nullopt;
    return expanded;
}

bool DesktopEntry::launchDetached() const
{
    auto arguments = command();
    if (!arguments)
        return false;
    const QString program = arguments->takeFirst();
    return veltrane::launchDetached(program, *arguments);
}

QString DesktopEntry::escapeValue(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar character : text) {
        if (character == QLatin1Char('\\'))
            escaped.append(QLatin1String("\\\\"));
        else if (character == QLatin1Char('\n'))
            escaped.append(QLatin1String("\\n"));
        else if (character == QLatin1Char('\t'))
            escaped.append(QLatin1String("\\t"));
        else if (character == QLatin1Char('\r'))
            escaped.append(QLatin1String("\\r"));
        else
            escaped.append(character);
    }
    // Leading blanks would be trimmed on reading.
    if (escaped.startsWith(QLatin1Char(' ')))
        escaped.replace(0, 1, QLatin1String("\\s"));
    return escaped;
}

QString DesktopEntry::unescapeValue(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype index = 0; index < text.size(); ++index) {
        const QChar character = text.at(index);
        if (character != QLatin1Char('\\') || index + 1 == text.size()) {
            plain.append(character);
            continue;
        }
        const QChar next = text.at(index + 1);
        if (next == QLatin1Char('s'))
            plain.append(QLatin1Char(' '));
        else if (next == QLatin1Char('n'))
            plain.append(QLatin1Char('\n'));
        else if (next == QLatin1Char('t'))
            plain.append(QLatin1Char('\t'));
        else if (next == QLatin1Char('r'))
            plain.append(QLatin1Char('\r'));
        else if (next == QLatin1Char('\\'))
            plain.append(QLatin1Char('\\'));
        else {
            // Any other escape belongs to a later stage (the Exec quoting rule): keep it whole.
            plain.append(character);
            plain.append(next);
        }
        ++index;
    }
    return plain;
}

QString DesktopEntry::execValue(const QStringList& command)
{
    QStringList quoted;
    for (const QString& argument : command) {
        QString text = argument;
        text.replace(QLatin1Char('%'), QLatin1String("%%"));
        const bool mustQuote = text.isEmpty() || std::any_of(text.begin(), text.end(), isReserved);
        if (mustQuote) {
            QString inQuotes = QStringLiteral("\"");
            for (const QChar character : text) {
                if (needsBackslashInQuotes(character))
                    inQuotes.append(QLatin1Char('\\'));
                inQuotes.append(character);
            }
            inQuotes.append(QLatin1Char('"'));
            text = inQuotes;
        }
        quoted.append(text);
    }
    return escapeValue(quoted.join(QLatin1Char(' ')));
}

std::optional<QStringList> DesktopEntry::splitExec(const QString& exec)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool inQuotes = false;
    for (qsizetype index = 0; index < exec.size(); ++index) {
        const QChar character = exec.at(index);
        if (inQuotes) {
            if (character == QLatin1Char('"')) {
                inQuotes = false;
            } else if (character == QLatin1Char('\\') && index + 1 < exec.size()
                && needsBackslashInQuotes(exec.at(index + 1))) {
                current.append(exec.at(++index));
            } else {
                current.append(character);
            }
        } else if (character == QLatin1Char(' ') || character == QLatin1Char('\t')
            || character == QLatin1Char('\n')) {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
        } else {
            inArgument = true;
            if (character == QLatin1Char('"'))
                inQuotes = true;
            else
                current.append(character);
        }
    }
    if (inQuotes)
        return std::nullopt;
    if (inArgument)
        arguments.append(current);
    return arguments;
}

} // namespace veltrane
