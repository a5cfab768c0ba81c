#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace veltrane {

// The symbols this program can draw, by the names the views use ("play.fill", "timer", …).
// Each is an SVG compiled into the resources; the list is whatever the resources hold.
class SymbolCatalog {
public:
    static bool contains(QStringView name);
    // Every name, sorted.
    static QStringList names();
    // The resource path of the symbol's SVG, or an empty string for an unknown name.
    static QString resourcePath(QStringView name);
};

} // namespace veltrane
