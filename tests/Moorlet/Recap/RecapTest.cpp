#include "Moorlet/Recap/FocusRecap.h"
#include "Moorlet/Recap/FocusRecapPhotoCard.h"
#include "Moorlet/Recap/ShareComposerView.h"
#include "tests/Moorlet/TestFiles.h"
#include "tests/Moorlet/Views/WidgetScene.h"
#include "tests/support/TestSupport.h"

#include <QImageReader>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace moorlet;
using Card = FocusRecapPhotoCard;

namespace {

RecapData recap(const QString& period)
{
    RecapData data;
    data.period = period;
    data.focusLabel = QStringLiteral("2h 5m");
    data.sessions = 5;
    data.streak = 3;
    data.accent = QColor(0x6E, 0x6C, 0xFF);
    for (int day = 0; day < 7; ++day)
        data.bars.push_back(RecapData::Bar { day / 6.0, QStringLiteral("SMTWTFS").mid(day, 1), day == 6 });
    return data;
}

} // namespace

TEST(RecapTest, CaptionsAndTheOffsetThatKeepsThePhotoCovering)
{
    for (const auto& [period, caption] : { std::pair { "Today", "of focus today" }, { "This week", "focused this week" },
             { "This month", "focused this month" } })
        EXPECT_EQ(recap(period).caption(), caption);

    // Far off in both axes, clamped to half of what the zoomed photo exceeds the card by.
    const QPointF far(5000, -5000);
    const struct {
        QSizeF photo;
        double zoom;
        QPointF clamped;
    } cases[] = {
        // Wide: filled by height (1066 / 500), 2132 wide, so 766 sideways and none up or down.
        { { 1000, 500 }, 1, { 766, 0 } },
        // Tall: filled by width, 1200 tall; zoomed three times, 1800 × 3600.
        { { 300, 600 }, 3, { 600, -1267 } },
        // An empty photo has no travel at all.
        { { 0, 533 }, 3, { 0, 0 } },
    };
    for (const auto& [photo, zoom, clamped] : cases) {
        const QPointF result = Card::clampedOffset(far, photo, zoom);
        EXPECT_NEAR(result.x(), clamped.x(), 1e-9) << photo.width() << "x" << photo.height() << " @" << zoom;
        EXPECT_NEAR(result.y(), clamped.y(), 1e-9) << photo.width() << "x" << photo.height() << " @" << zoom;
    }
}

TEST(RecapTest, ComposerTakesAPhotoZoomsWithinLimitsAndWritesTheCardAtTwiceItsSize)
{
    testsupport::TemporaryFolder folder;
    const QString photoPath = folder.filePath("photo.png");
    QImage photo(800, 600, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    ASSERT_TRUE(photo.save(photoPath));
    ASSERT_TRUE(veltrane::testing::writeBytes(folder.filePath("broken.jpg"), "not an image"));

    std::optional<QString> pick = folder.filePath("broken.jpg");
    std::optional<QString> saveTo;
    QStringList shared;
    ShareComposerView composer(recap("Today"),
        ShareComposerView::Services { [&](QWidget*) { return pick; }, [&](QWidget*, const QString&) { return saveTo; },
            [&](const QString& file, QWidget*, QPoint) { shared << file; } });
    composer.show();
    // The chooser opens by itself once; an unreadable file says so and leaves no photo.
    testsupport::processEvents();
    EXPECT_FALSE(composer.photo());
    EXPECT_FALSE(composer.message().isEmpty());
    EXPECT_FALSE(composer.saveButton().isEnabled());

    pick = photoPath;
    composer.choosePhoto();
    ASSERT_TRUE(composer.photo());
    EXPECT_TRUE(composer.message().isEmpty());
    EXPECT_TRUE(composer.shareButton().isEnabled());

    // Zoom stays in 1…3; a drag moves the photo twice as far on the card.
    composer.setZoom(7);
    EXPECT_EQ(composer.zoom(), 3);
    composer.setZoom(1);
    composer.dragBy(QPointF(10, 10));
    EXPECT_EQ(composer.offset(), QPointF(20, 0));

    saveTo = folder.filePath("card.png");
    composer.saveButton().click();
    QImageReader written(*saveTo);
    EXPECT_EQ(written.size(), QSize(1200, 2132));
    composer.shareButton().click();
    EXPECT_EQ(shared.size(), 1);
}

TEST(RecapTest, TodaysRecapTakesTheControllersFiguresAndTheLastSevenDays)
{
    WidgetScene scene;
    scene.logFocus(1500);
    const RecapData today = RecapData::today(*scene.controller, scene.clock->now());
    EXPECT_EQ(today.caption(), "of focus today");
    EXPECT_EQ(today.focusLabel, scene.controller->focusTodayLabel());
    EXPECT_EQ(today.sessions, 1);
    ASSERT_EQ(today.bars.size(), 7u);
    // 2026-03-10 is a Tuesday: the week runs Wednesday to today, today the tallest.
    EXPECT_EQ(today.bars.front().letter, "W");
    EXPECT_EQ(today.bars.back(), (RecapData::Bar { 1, "T", true }));
}
