#include "Moorlet/SettingsWindow/SettingsView.h"
#include "Moorlet/SettingsWindow/SettingsWindow.h"
#include "VeltraneKit/Widget/PanelAppearance.h"
#include "tests/Moorlet/Update/UpdateTestSupport.h"
#include "tests/Moorlet/Views/WidgetScene.h"
#include "tests/support/TestSupport.h"

#include "tools/ShotFolder.h"

#include <QApplication>
#include <QCryptographicHash>
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

constexpr Appearance kAppearances[] = { { "light", veltrane::PanelAppearance::light },
    { "dark", veltrane::PanelAppearance::dark } };

void save(QWidget& window, const QString& path)
{
    QImage image(window.size() * kPixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kPixelRatio);
    image.fill(Qt::transparent);
    window.render(&image);
    image.save(path);
    QTextStream(stdout) << path << '\n';
}

// The About pane once per phase of the update manager, each phase reached for real against a
// server on 127.0.0.1; "package" is an install that does not update itself.
void updateShots(WidgetScene& scene, const QString& folder, const QString& scratch)
{
    using namespace updatetest;
    HttpServer server;
    const SigningKey key;
    const QByteArray package = pack(bundle("moorlet-1.1.0", "1.1.0"));
    const auto manifest = [&](const char* version, const QByteArray& sha256) {
        return key.feed(QByteArray(R"({"v":1,"kind":"update","version":")") + version + R"(","url":")"
            + server.url("/package").toUtf8() + R"(","sha256":")" + sha256 + R"("})");
    };
    const QByteArray sha256 = QCryptographicHash::hash(package, QCryptographicHash::Sha256).toHex();
    const struct {
        const char* name;
        int feedStatus;
        QByteArray feed;
        int packageStatus;
        bool autoInstall;
    } phases[] = {
        { "package", 200, {}, 200, false },
        { "checking", 0, {}, 200, false },
        { "uptodate", 200, manifest("1.0.0", sha256), 200, false },
        { "available", 200, manifest("1.1.0", sha256), 200, false },
        { "downloading", 200, manifest("1.1.0", sha256), 0, true },
        { "ready", 200, manifest("1.1.0", sha256), 200, true },
        { "failed", 200, manifest("1.1.0", QByteArray(64, 'a')), 200, true },
    };
    for (const auto& phase : phases) {
        server.routes["/api/appcast"] = { phase.feedStatus, phase.feed };
        server.routes["/package"] = { phase.packageStatus, package };
        UpdateManager::Environment environment;
        environment.publicKey = QLatin1String(phase.name) == "package" ? QString() : key.publicBase64();
        environment.origin = QStringLiteral("https://updates.invalid");
        environment.originOverride = server.url("");
        environment.temporaryFolder = scratch.toStdString();
        UpdateManager updates(QStringLiteral("1.0.0"), scene.defaults, environment);
        updates.setAutoInstall(phase.autoInstall);
        SettingsObjects objects { *scene.settings, *scene.focusSettings, *scene.controller, *scene.store, *scene.theme,
            QStringLiteral("1.0.0") };
        objects.updates = &updates;
        SettingsWindow window(std::move(objects), {}, [] { return QString(); }, scene.ticker.get());
        window.show();
        window.view().setPane(SettingsPane::about);
        updates.check(true);
        // The phases that wait on a server that never answers stay as they are.
        testsupport::waitUntil([&] {
            const auto kind = updates.phase().kind;
            return kind != UpdateManager::Phase::Kind::checking && kind != UpdateManager::Phase::Kind::downloading;
        }, std::chrono::seconds(1));
        for (const Appearance appearance : kAppearances) {
            window.setPalette(veltrane::panelPalette(appearance.look));
            QCoreApplication::processEvents();
            save(window, QStringLiteral("%1/updates-%2-%3.png").arg(folder, QLatin1String(phase.name), QLatin1String(appearance.name)));
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    shottool::renderOffscreenUnlessAsked();
    QApplication application(argc, argv);
    const QString folder = shottool::outputFolder(QStringLiteral(MOORLET_SHOTS_DIR));
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

    for (const Appearance appearance : kAppearances) {
        window.setPalette(veltrane::panelPalette(appearance.look));
        for (const SettingsPane pane : kAllSettingsPanes) {
            window.view().setPane(pane);
            // The scroll bar shows itself on a queued call.
            QCoreApplication::processEvents();
            save(window, QStringLiteral("%1/%2-%3.png").arg(folder, rawValue(pane), QLatin1String(appearance.name)));
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
    save(window, folder + QStringLiteral("/timer-keyboard-light.png"));
    window.hide();
    updateShots(scene, folder, scratch.path());
    return 0;
}
