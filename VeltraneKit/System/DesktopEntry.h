#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace veltrane {

// One freedesktop desktop entry (an application's .desktop file): the keys of its
// [Desktop Entry] group, its command line, and the writing side of the same rules for the
// entries we create ourselves. Only what launching and autostart need is read; localised keys
// are kept under their full name ("Name[de]") and not chosen between.
class DesktopEntry {
public:
    // None when the file cannot be read or holds no [Desktop Entry] group.
    static std::optional<DesktopEntry> load(const QString& filePath);
    static std::optional<DesktopEntry> parse(const QString& text, const QString& filePath = {});
    // Looks the desktop id ("spotify.desktop") up in applications/ under each data folder in
    // order. The first file found decides, even a hidden one: that is how a user's copy hides a
    // system entry.
    static std::optional<DesktopEntry> find(const QString& desktopId, const QStringList& dataFolders);

    const QString& filePath() const { return m_filePath; }
    // A key's value with the string escapes (\s \n \t \r \\) undone; none when the key is absent.
    std::optional<QString> value(const QString& key) const;
    // Whether a boolean key holds "true"; a missing key or any other text is false.
    bool isTrue(const QString& key) const;
    QString name() const { return value(QStringLiteral("Name")).value_or(QString()); }

    // Whether the desktop offers this application: the entry is not Hidden, its Exec reads as a
    // command, and the program its TryExec names, when it names one, exists.
    bool isInstalled() const;
    // The Exec line as a program and its arguments, with the field codes expanded for a launch
    // that opens no files; none when Exec is missing, empty or malformed.
    std::optional<QStringList> command() const;
    // Starts the command detached, with no shell. False when there is nothing to start or the
    // start fails.
    bool launchDetached() const;

    // A string value as it must be written in a desktop file.
    static QString escapeValue(const QString& text);
    static QString unescapeValue(const QString& text);
    // The value of an Exec key that runs exactly this program with these arguments: each quoted
    // where it holds a reserved character, percent signs doubled, then escaped as a string.
    static QString execValue(const QStringList& command);
    // Splits an Exec value whose string escapes are already undone into its arguments, undoing
    // the quoting; none on an unterminated quote. Field codes are left in place.
    static std::optional<QStringList> splitExec(const QString& exec);

private:
    QString m_filePath;
    QHash<QString, QString> m_rawValues;
};

} // namespace veltrane
