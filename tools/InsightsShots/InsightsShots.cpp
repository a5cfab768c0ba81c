#include "Moorlet/Insights/InsightsWindow.h"
#include "Moorlet/Recap/ShareComposerView.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "tests/Moorlet/Insights/FocusHistory.h"
#include "tests/Moorlet/Views/WidgetScene.h"

#include "tools/ShotFolder.h"

#include <QApplication>
#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTemporaryDir>

using namespace moorlet;

namespace {

constexpr double kPixelRatio = 2;

// A stand-in for a holiday photo: a sunset sky over a dark sea with a low sun, wider than the card.
QImage sunsetPhoto()
{
    QImage photo(1600, 1200, QImage::Format_RGB32);
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 760);
    sky.setColorAt(0, QColor(0x1B, 0x26, 0x4F));
    sky.setColorAt(0.55, QColor(0xC0, 0x5A, 0x7A));
    sky.setColorAt(1, QColor(0xF6, 0xA0, 0x5E));
    painter.fillRect(QRectF(0, 0, 1600, 760), sky);
    QRadialGradient sun(QPointF(980, 700), 140);
    sun.setColorAt(0, QColor(0xFF, 0xE8, 0xA0));
    sun.setColorAt(1, QColor(0xFF, 0xE8, 0xA0, 0));
    painter.fillRect(QRectF(700, 480, 560, 300), sun);
    QLinearGradient sea(0, 760, 0, 1200);
    sea.setColorAt(0, QColor(0x3A, 0x3F, 0x6B));
    sea.setColorAt(1, QColor(0x0C, 0x12, 0x2A));
    painter.fillRect(QRectF(0, 760, 1600, 440), sea);
    return photo;
}

} // namespace

int main(int argc, char** argv)
{
    shottool::renderOffscreenUnlessAsked();
    QApplication application(argc, argv);
    const QString folder = shottool::outputFolder(QStringLiteral(MOORLET_SHOTS_DIR));

    WidgetScene scene;
    // Five months of focus, a little over two blocks a day.
    for (const auto& session : focushistory::make(scene.clock->now(), 150, 360))
        scene.store->addSession(session);
    InsightsWindow window(*scene.store, *scene.focusSettings, *scene.settings, QColor(0x6E, 0x6C, 0xFF),
        AnalyticsEngine(veltrane::Calendar::utc()), ViewEnvironment { scene.ticker.get(), scene.scheduler, scene.clock, nullptr });
    window.showInsights();
    for (const auto& [appearance, look] : { std::pair { veltrane::AppearancePreference::light, "light" },
             { veltrane::AppearancePreference::dark, "dark" } }) {
        scene.settings->setAppearance(appearance);
        for (const auto& [days, range] : { std::pair { 7, "week" }, { 30, "month" } }) {
            window.view().setRangeDays(days);
            const auto layout = window.view().layout();
            // One bar and one tile hovered, to show their details.
            window.view().setHovered(InsightsTarget { InsightsTarget::Kind::dayBar, days - 2 });
            scene.settle();
            window.renderContent(kPixelRatio).save(QDir(folder).filePath(QStringLiteral("insights-%1-%2.png").arg(range, look)));
            window.view().setHovered(layout.hitTest(layout.activityTile(100).center()));
            scene.settle();
            window.renderContent(kPixelRatio).save(
                QDir(folder).filePath(QStringLiteral("insights-%1-%2-activity-hover.png").arg(range, look)));
        }
    }

    QTemporaryDir scratch;
    const QString photoPath = scratch.filePath(QStringLiteral("sunset.png"));
    sunsetPhoto().save(photoPath);
    window.view().setRangeDays(7);
    const RecapData recap = window.view().figures().recap(veltrane::Calendar::utc(), QColor(0x6E, 0x6C, 0xFF));
    ShareComposerView::Services services;
    // The photo comes from the file below, not from a dialog.
    services.pickPhotoPath = [](QWidget*) -> std::optional<QString> { return std::nullopt; };
    ShareComposerView composer(recap, services);
    composer.show();
    QImage empty = composer.grab().toImage();
    empty.save(QDir(folder).filePath(QStringLiteral("composer-empty.png")));
    composer.usePhotoFile(photoPath);
    composer.setZoom(1.4);
    composer.dragBy(QPointF(-40, 0));
    composer.endDrag();
    composer.grab().toImage().save(QDir(folder).filePath(QStringLiteral("composer-photo.png")));
    composer.renderCard().save(QDir(folder).filePath(QStringLiteral("recap-card.png")));
    return 0;
}
