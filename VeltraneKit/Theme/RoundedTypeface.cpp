#include "VeltraneKit/Theme/RoundedTypeface.h"

#include <QFontDatabase>
#include <QStringList>

// Resources compiled into a static library are only linked in when something refers to them.
static void initializeFontResources()
{
    Q_INIT_RESOURCE(VeltraneFonts);
}

namespace veltrane {

namespace {

struct Loaded {
    QString family;
    bool available = false;
};

const Loaded& loaded()
{
    static const Loaded result = [] {
        initializeFontResources();
        Loaded loaded;
        for (const char* file : { "Nunito-Regular.ttf", "Nunito-Medium.ttf", "Nunito-SemiBold.ttf", "Nunito-Bold.ttf" }) {
            const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/veltrane/fonts/") + QLatin1String(file));
            if (id < 0)
                continue;
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty() && loaded.family.isEmpty())
                loaded.family = families.front();
            loaded.available = true;
        }
        if (loaded.family.isEmpty())
            loaded.family = QStringLiteral("Nunito");
        return loaded;
    }();
    return result;
}

} // namespace

QString RoundedTypeface::family()
{
    return loaded().family;
}

bool RoundedTypeface::isAvailable()
{
    return loaded().available;
}

} // namespace veltrane
