#include "Moorlet/SettingsWindow/SettingsView.h"
#include "Moorlet/SettingsWindow/SettingsWindow.h"
#include "VeltraneKit/Widget/PanelAppearance.h"
#include "tests/Moorlet/Views/WidgetScene.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace moorlet;

namespace {

constexpr double kPixelRatio = 2;

struct Appearance {
    const char* name;
    veltrane::PanelAppearance look;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString folder = QCoreApplication::arguments().value(1, QStringLiteral(MOORLET_SHOTS_DIR));
    QDir().mkpath(folder);
    QTemporaryDir scratch;

    WidgetScene scene;
    // A day with things in it: a custom mode, two deadlines, a theme and a login item to offer.
    scene.focusSettings->setModeRaw(QStringLiteral("custom"));
    scene.settings->setAccentThemeID(QStringLiteral("ocean"));
    scene.store->addDeadline("Project launch", scene.clock->now() + 3 * 86400);
    scene.store->addDeadline("Statistics exam", scene.clock->now() + 12 * 86400);
    SettingsWindow window(SettingsObjects { *scene.settings, *scene.focusSettings, *scene.controller, *scene.store,
                              *scene.theme, QStringLiteral("1.0.0"),
                              { scratch.filePath(QStringLiteral("moorlet.desktop")), QStringLiteral("/usr/bin/moorlet"),
                                  QStringLiteral("Moorlet") },
                              {}, scene.clock, veltrane::Calendar::utc() },
        {}, [] { return QString(); }, scene.ticker.get());
    window.show();

    for (const Appearance appearance : { Appearance { "light", veltrane::PanelAppearance::light },
             Appearance { "dark", veltrane::PanelAppearance::dark } }) {
        window.setPalette(veltrane::panelPalette(appearance.look));
        for (const SettingsPane pane : kAllSettingsPanes) {
            window.view().setPane(pane);
            // The scroll bar shows itself on a queued call.
            QCoreApplication::processEvents();
            QImage image(window.size() * kPixelRatio, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(kPixelRatio);
            image.fill(Qt::transparent);
            window.render(&image);
            const QString path = QStringLiteral("%1/%2-%3.png").arg(folder, rawValue(pane), QLatin1String(appearance.name));
            image.save(path);
            QTextStream(stdout) << path << '\n';
        }
    }
    // The keyboard on the timer pane's first stepper: its focus ring.
    window.setPalette(veltrane::panelPalette(veltrane::PanelAppearance::light));
    window.view().setPane(SettingsPane::timer);
    window.activateWindow();
    window.view().setFocus();
    QTest::keyClick(&window.view(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    QImage image(window.size() * kPixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kPixelRatio);
    image.fill(Qt::transparent);
    window.render(&image);
    image.save(folder + QStringLiteral("/timer-keyboard-light.png"));
    return 0;
}
