#pragma once

#include <QString>
#include <QStringList>

namespace veltrane {

// The XDG base folders, read from the environment with the freedesktop defaults. A relative
// path in one of the variables is invalid under the base-directory rules and is ignored, as is an
// empty entry in a list. Tests build one by hand to point every lookup at a temporary folder.
struct XdgFolders {
    QString configHome;
    QStringList configDirs;
    QString dataHome;
    QStringList dataDirs;
    // XDG_CURRENT_DESKTOP split at colons and lower-cased ("gnome", "kde", …), for the
    // desktop-specific mimeapps lists.
    QStringList currentDesktops;

    static XdgFolders fromEnvironment();

    // The user's folder first, then the system's, as the base-directory rules order a search.
    QStringList configSearchPath() const;
    QStringList dataSearchPath() const;
};

} // namespace veltrane
