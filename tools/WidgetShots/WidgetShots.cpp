#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Media/MediaController.h"
#include "Moorlet/Sound/AmbientController.h"
#include "Moorlet/Views/CollapsedTileView.h"
#include "Moorlet/Views/ExpandedCardView.h"
#include "Moorlet/Views/TaskPickerPopover.h"
#include "Moorlet/Views/WidgetRootView.h"
#include "tests/Moorlet/Views/WidgetScene.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>
#include <memory>
#include <vector>

// Renders the widget's views in every state the card and the tile can be in, each over a soft
// desktop backdrop so that the translucent materials show, at twice the point size.

using namespace moorlet;

namespace {

constexpr double kPixelRatio = 2.0;
const QString kFakeMusicService = QStringLiteral("org.mpris.MediaPlayer2.faketunes");

struct Shot {
    QString name;
    bool expanded = false;
    bool needsPlayer = false;
    std::function<void(WidgetScene&)> setUp;
};

// A session with a minute and a half of focus behind it, moved on to `phase`.
void toPhase(WidgetScene& scene, SessionPhase phase)
{
    if (phase == SessionPhase::idle)
        return;
    scene.controller->toggle();
    scene.run(90);
    scene.enterPhase(phase);
    scene.run(1);
}

void fillDay(WidgetScene& scene)
{
    for (int i = 0; i < 3; ++i) {
        scene.clock->advance(1800);
        scene.logFocus(1500);
    }
}

void addDeadline(WidgetScene& scene, double days)
{
    scene.store->addDeadline("Linear algebra exam", scene.clock->now() + days * 86400);
}

QImage backdrop(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor(0xB8, 0xC6, 0xDB));
    gradient.setColorAt(1, QColor(0xF5, 0xE6, 0xD3));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x5B, 0x7F, 0xA8, 90));
    painter.drawEllipse(QPointF(size.width() * 0.2, size.height() * 0.7), size.width() * 0.35, size.width() * 0.35);
    return image;
}

bool startFakePlayer(QProcess& player)
{
#ifdef MOORLET_FAKE_MPRIS_PLAYER
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    player.start(QStringLiteral(MOORLET_FAKE_MPRIS_PLAYER),
        { QStringLiteral("--bus-name"), kFakeMusicService, QStringLiteral("--identity"), QStringLiteral("Fake Tunes"),
            QStringLiteral("--track"), QStringLiteral("Weightless|Marconi Union"), QStringLiteral("--status"),
            QStringLiteral("Playing") });
    if (!player.waitForStarted())
        return false;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 5000) {
        if (bus.interface()->isServiceRegistered(kFakeMusicService))
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return false;
#else
    (void)player;
    return false;
#endif
}

void waitForMedia(MediaController& media)
{
    media.refresh();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 3000 && (media.player() ? media.title().isEmpty() : media.connectablePlayers().empty()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

int renderIcon(const QString& folder)
{
    QSvgRenderer renderer(QStringLiteral(MOORLET_SOURCE_DIR "/Moorlet/Views/resources/moorlet.svg"));
    if (!renderer.isValid())
        return 1;
    QImage image(512, 512, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    const QString path = folder.isEmpty() ? QStringLiteral(MOORLET_SOURCE_DIR "/Moorlet/Views/resources/MoorletIcon.png")
                                          : folder + QStringLiteral("/MoorletIcon.png");
    return image.save(path) ? 0 : 1;
}

std::vector<Shot> shots()
{
    std::vector<Shot> list;
    const std::pair<SessionPhase, QString> phases[] = {
        { SessionPhase::idle, QStringLiteral("idle") },
        { SessionPhase::focusing, QStringLiteral("focusing") },
        { SessionPhase::shortBreak, QStringLiteral("short-break") },
        { SessionPhase::longBreak, QStringLiteral("long-break") },
    };
    for (const auto& [phaseBinding, name] : phases) {
        // A plain copy: Clang before 16 cannot capture a structured binding.
        const auto phase = phaseBinding;
        list.push_back({ QStringLiteral("tile-") + name, false, false, [phase](WidgetScene& scene) { toPhase(scene, phase); } });
        list.push_back({ QStringLiteral("card-") + name, true, false, [phase](WidgetScene& scene) { toPhase(scene, phase); } });
        list.push_back({ QStringLiteral("card-") + name + QStringLiteral("-all-rows"), true, true,
            [phase](WidgetScene& scene) {
                fillDay(scene);
                addDeadline(scene, 2);
                toPhase(scene, phase);
            } });
    }
    list.push_back({ QStringLiteral("tile-hover"), false, false, [](WidgetScene& scene) { scene.controller->setHovered(true); } });
    list.push_back({ QStringLiteral("tile-paused"), false, false, [](WidgetScene& scene) {
                        toPhase(scene, SessionPhase::focusing);
                        scene.controller->toggle();
                    } });
    list.push_back({ QStringLiteral("tile-opacity-60"), false, false, [](WidgetScene& scene) {
                        scene.settings->setWidgetOpacity(0.6);
                        toPhase(scene, SessionPhase::focusing);
                    } });
    list.push_back({ QStringLiteral("card-paused"), true, false, [](WidgetScene& scene) {
                        toPhase(scene, SessionPhase::focusing);
                        scene.controller->toggle();
                    } });
    list.push_back({ QStringLiteral("card-dark"), true, false, [](WidgetScene& scene) {
                        scene.settings->setAppearance(veltrane::AppearancePreference::dark);
                        fillDay(scene);
                        toPhase(scene, SessionPhase::focusing);
                    } });
    list.push_back({ QStringLiteral("card-light-ocean-theme"), true, false, [](WidgetScene& scene) {
                        scene.settings->setAppearance(veltrane::AppearancePreference::light);
                        scene.settings->setAccentThemeID(QStringLiteral("ocean"));
                        toPhase(scene, SessionPhase::focusing);
                    } });
    list.push_back({ QStringLiteral("card-rain-playing"), true, false, [](WidgetScene& scene) {
                        for (const veltrane::Sound& sound : scene.ambient->sounds()) {
                            if (sound.id == "rain")
                                scene.ambient->toggle(sound);
                        }
                        toPhase(scene, SessionPhase::focusing);
                    } });
    list.push_back({ QStringLiteral("card-urgent-deadline-tomorrow"), true, false, [](WidgetScene& scene) {
                        addDeadline(scene, 1);
                        scene.controller->setHovered(true);
                    } });
    list.push_back({ QStringLiteral("card-top-leading"), true, false, [](WidgetScene& scene) {
                        scene.controller->setWidgetAnchor({ veltrane::WidgetAnchor::Horizontal::leading,
                            veltrane::WidgetAnchor::Vertical::top });
                    } });
    list.push_back({ QStringLiteral("card-bottom-trailing"), true, false, [](WidgetScene& scene) {
                        scene.controller->setWidgetAnchor({ veltrane::WidgetAnchor::Horizontal::trailing,
                            veltrane::WidgetAnchor::Vertical::bottom });
                    } });
    list.push_back({ QStringLiteral("card-reduce-motion"), true, false, [](WidgetScene& scene) {
                        scene.settings->setForceReduceMotion(true);
                        toPhase(scene, SessionPhase::focusing);
                    } });
    return list;
}

class Renderer {
public:
    explicit Renderer(QString folder)
        : m_folder(std::move(folder))
    {
        QDir().mkpath(m_folder);
        m_applications.reset(new QTemporaryDir);
        const QString entry = m_applications->path() + QStringLiteral("/share/applications/spotify.desktop");
        QDir().mkpath(QFileInfo(entry).absolutePath());
        QFile file(entry);
        if (file.open(QIODevice::WriteOnly))
            file.write("[Desktop Entry]\nType=Application\nName=Spotify\nExec=true\n");
    }

    void save(const QString& name, const QImage& content, QPointF contentOrigin = {})
    {
        QImage canvas = backdrop(content.size());
        canvas.setDevicePixelRatio(content.devicePixelRatio());
        QPainter painter(&canvas);
        painter.drawImage(contentOrigin, content);
        painter.end();
        const QString path = m_folder + QLatin1Char('/') + name + QStringLiteral(".png");
        canvas.save(path);
        QTextStream(stdout) << path << '\n';
    }

    std::unique_ptr<WidgetScene> scene(bool withPlayer)
    {
        WidgetScene::Options options;
        options.soundsFolder = m_sounds.path();
        if (withPlayer && QDBusConnection::sessionBus().isConnected())
            options.applicationsFolder = m_applications->path();
        return std::make_unique<WidgetScene>(options);
    }

    void render(const Shot& shot)
    {
        auto scene = this->scene(shot.needsPlayer);
        WidgetRootView& root = scene->makeRoot();
        if (scene->media)
            waitForMedia(*scene->media);
        shot.setUp(*scene);
        if (shot.expanded)
            scene->expand();
        scene->fitPanel();
        scene->settle();
        save(shot.name, root.renderToImage(kPixelRatio));
    }

    void renderMorph()
    {
        auto scene = this->scene(false);
        WidgetRootView& root = scene->makeRoot();
        scene->expand();
        scene->advance(0.12);
        save(QStringLiteral("morph-expanding"), root.renderToImage(kPixelRatio));
    }

    void renderCelebration()
    {
        auto scene = this->scene(false);
        WidgetRootView& root = scene->makeRoot();
        scene->expand();
        scene->settle();
        root.celebrate(QStringLiteral("Session complete"));
        scene->advance(0.45);
        save(QStringLiteral("celebration-card"), root.renderToImage(kPixelRatio));

        auto tileScene = this->scene(false);
        WidgetRootView& tileRoot = tileScene->makeRoot();
        tileScene->settle();
        tileRoot.celebrate(QStringLiteral("Daily goal reached"));
        tileScene->advance(0.6);
        save(QStringLiteral("celebration-tile"), tileRoot.renderToImage(kPixelRatio));
    }

    void renderTaskPicker()
    {
        auto scene = this->scene(false);
        scene->store->addTask("Read chapter 4");
        if (const auto task = scene->store->addTask("Problem set 3")) {
            scene->store->logTime(3660, task->id);
            scene->controller->setActiveTask(*task);
        }
        if (const auto done = scene->store->addTask("Email the tutor"))
            scene->store->toggleTask(done->id);
        WidgetRootView& root = scene->makeRoot();
        scene->expand();
        scene->settle();
        const QRectF button = root.cardTargetRect({ CardTarget::Kind::taskPicker });
        root.card().taskPicker().setShowing(true, QRect(root.mapToGlobal(button.topLeft().toPoint()), button.size().toSize()));
        TaskPickerPopover* popover = root.card().taskPicker().popover();
        const QImage card = root.renderToImage(kPixelRatio);
        QImage popup(popover->size() * kPixelRatio, QImage::Format_ARGB32_Premultiplied);
        popup.setDevicePixelRatio(kPixelRatio);
        popup.fill(Qt::transparent);
        popover->render(&popup, QPoint(), QRegion(), QWidget::DrawChildren);
        // The popover drawn where it opens, below the task button.
        QImage combined(card.size(), QImage::Format_ARGB32_Premultiplied);
        combined.setDevicePixelRatio(kPixelRatio);
        combined.fill(Qt::transparent);
        QPainter painter(&combined);
        painter.drawImage(QPointF(0, 0), card);
        painter.drawImage(QPointF(button.center().x() - popover->width() / 2.0, button.bottom() + 6), popup);
        painter.end();
        save(QStringLiteral("card-task-picker"), combined);

        auto emptyScene = this->scene(false);
        WidgetRootView& emptyRoot = emptyScene->makeRoot();
        emptyScene->expand();
        emptyScene->settle();
        emptyRoot.card().taskPicker().setShowing(true, QRect(0, 0, 10, 10));
        TaskPickerPopover* emptyPopover = emptyRoot.card().taskPicker().popover();
        QImage emptyPopup(emptyPopover->size() * kPixelRatio, QImage::Format_ARGB32_Premultiplied);
        emptyPopup.setDevicePixelRatio(kPixelRatio);
        emptyPopup.fill(Qt::transparent);
        emptyPopover->render(&emptyPopup, QPoint(), QRegion(), QWidget::DrawChildren);
        save(QStringLiteral("task-picker-empty"), emptyPopup);
    }

private:
    QString m_folder;
    QTemporaryDir m_sounds;
    std::unique_ptr<QTemporaryDir> m_applications;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool icon = arguments.removeAll(QStringLiteral("--icon")) > 0;
    const QString folder = arguments.value(0);
    if (icon)
        return renderIcon(folder);

    QProcess player;
    const bool hasPlayer = startFakePlayer(player);
    Renderer renderer(folder.isEmpty() ? QStringLiteral(MOORLET_SHOTS_DIR) : folder);
    for (const Shot& shot : shots())
        renderer.render(shot);
    renderer.renderMorph();
    renderer.renderCelebration();
    renderer.renderTaskPicker();
    if (!hasPlayer)
        QTextStream(stdout) << "(no session bus or fake player: the rows offering to open a player stand in for the now-playing row)\n";
    if (hasPlayer) {
        player.terminate();
        player.waitForFinished(2000);
    }
    return 0;
}
