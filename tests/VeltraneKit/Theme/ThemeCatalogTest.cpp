#include "VeltraneKit/Theme/ThemeCatalog.h"

#include <gtest/gtest.h>

using namespace veltrane;

namespace {

Theme themed(const char* id, const char* name, QColor accent)
{
    return Theme { QString::fromUtf8(id), QString::fromUtf8(name), accent, Theme::Background::materialGradient,
        QColor(1, 2, 3) };
}

QStringList ids(const ThemeCatalog& catalog)
{
    QStringList result;
    for (const Theme& theme : catalog.themes())
        result << theme.id;
    return result;
}

} // namespace

TEST(ThemeCatalogTest, MonoComesFirstAndTheFirstOfEachIdWins)
{
    const ThemeCatalog catalog({ themed("ocean", "Ocean", Qt::blue), themed("default", "Impostor", Qt::red),
        themed("sand", "Sand", Qt::yellow), themed("ocean", "Second ocean", Qt::green) });
    EXPECT_EQ(ids(catalog), (QStringList { "default", "ocean", "sand" }));
    EXPECT_EQ(catalog.theme(u"default"), Theme::defaultTheme());
    EXPECT_EQ(catalog.theme(u"ocean").name, QStringLiteral("Ocean"));
    EXPECT_EQ(ids(ThemeCatalog({})), QStringList { "default" });
    // Unknown ids fall back to Mono.
    for (const char16_t* id : { u"", u"Ocean", u"OCEAN", u"ocean ", u"retired-theme" })
        EXPECT_EQ(catalog.theme(id), Theme::defaultTheme()) << QString::fromUtf16(id).toStdString();
}
