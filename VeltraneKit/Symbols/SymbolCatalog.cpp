#include "VeltraneKit/Symbols/SymbolCatalog.h"

#include <QDir>
#include <QSet>

// Resources compiled into a static library are only linked in when something refers to them.
static void initializeSymbolResources()
{
    Q_INIT_RESOURCE(VeltraneSymbols);
}

namespace veltrane {

namespace {

constexpr auto kFolder = ":/veltrane/symbols/";

const QStringList& catalogue()
{
    static const QStringList names = [] {
        initializeSymbolResources();
        QStringList result;
        const QStringList files = QDir(QString::fromLatin1(kFolder)).entryList({ QStringLiteral("*.svg") }, QDir::Files);
        for (const QString& file : files)
            result << file.chopped(4);
        result.sort();
        return result;
    }();
    return names;
}

} // namespace

bool SymbolCatalog::contains(QStringView name)
{
    const QStringList& names = catalogue();
    return std::binary_search(names.begin(), names.end(), name,
        [](const auto& a, const auto& b) { return QStringView(a) < QStringView(b); });
}

QStringList SymbolCatalog::names()
{
    return catalogue();
}

QString SymbolCatalog::resourcePath(QStringView name)
{
    if (!contains(name))
        return {};
    return QString::fromLatin1(kFolder) + name.toString() + QStringLiteral(".svg");
}

} // namespace veltrane
