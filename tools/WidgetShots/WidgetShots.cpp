#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Media/MediaController.h"
#include "Moorlet/Sound/AmbientController.h"
#include "Moorlet/Views/CollapsedTileView.h"
#include "Moorlet/Views/ExpandedCardView.h"
#include "Moorlet/Views/IntentionPopover.h"
#include "Moorlet/Views/SubjectPickerPopover.h"
#include "Moorlet/Views/TaskPickerPopover.h"
#include "Moorlet/Views/WidgetRootView.h"
#include "tests/Moorlet/Views/WidgetScene.h"

#include "tools/ShotFolder.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

// Renders the widget's views in every state the card and the tile can be in, each over a soft
// desktop backdrop so that the translucent materials show, at twice the point size.

using namespace moorlet;

namespace {

constexpr double kPixelRatio = 2.0;
const QString kFakeMusicService = QStringLiteral("org.mpris.MediaPlayer2.faketunes");

// What the card's media row has to show: nothing (no media controller), a music player that
// plays, or the offers to open the installed players (the fake player stopped by then).
enum class Media { none, player, offer };

struct Shot {
    QString name;
    bool expanded = false;
    Media media = Media::none;
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

void playSound(WidgetScene& scene, const std::string& id)
{
    for (const veltrane::Sound& sound : scene.ambient->sounds()) {
        if (sound.id == id)
            scene.ambient->toggle(sound);
    }
}

// Every optional row at once: a task picked, a day of focus (the insight), a deadline, a sound
// playing (White Noise, whose pale tint is the hardest to show as playing).
void fillEveryRow(WidgetScene& scene)
{
    if (const auto task = scene.store->addTask("Problem set 3"))
        scene.controller->setActiveTask(*task);
    scene.controller->setCurrentSubject(QStringLiteral("Study"));
    scene.controller->setIntention(QStringLiteral("Finish questions 1 to 4"));
    fillDay(scene);
    addDeadline(scene, 2);
    playSound(scene, "white-noise");
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
        list.push_back({ QStringLiteral("tile-") + name, false, Media::none, [phase](WidgetScene& scene) { toPhase(scene, phase); } });
        list.push_back({ QStringLiteral("card-") + name, true, Media::none, [phase](WidgetScene& scene) { toPhase(scene, phase); } });
    }
    // The card in every state, light and dark, with every optional row, the media row once with
    // a playing player and once offering to open one.
    std::vector<std::pair<QString, std::function<void(WidgetScene&)>>> states;
    for (const auto& [phaseBinding, name] : phases) {
        const auto phase = phaseBinding;
        states.emplace_back(name, [phase](WidgetScene& scene) { toPhase(scene, phase); });
    }
    states.emplace_back(QStringLiteral("paused"), [](WidgetScene& scene) {
        toPhase(scene, SessionPhase::focusing);
        scene.controller->toggle();
    });
    for (const auto& [appearanceBinding, look] : { std::pair { veltrane::AppearancePreference::light, QStringLiteral("light") },
             { veltrane::AppearancePreference::dark, QStringLiteral("dark") } }) {
        const auto appearance = appearanceBinding;
        for (const auto& [state, enterBinding] : states) {
            const auto enter = enterBinding;
            for (const auto& [media, suffix] : { std::pair { Media::player, QStringLiteral("player") },
                     { Media::offer, QStringLiteral("no-player") } }) {
                list.push_back({ QStringLiteral("card-%1-%2-all-rows-%3").arg(look, state, suffix), true, media,
                    [appearance, enter](WidgetScene& scene) {
                        scene.settings->setAppearance(appearance);
                        fillEveryRow(scene);
                        enter(scene);
                    } });
            }
        }
    }
    // The chips scrolled half way, fading at both ends, in a pastel theme with rain playing.
    list.push_back({ QStringLiteral("card-chips-scrolled-sakura"), true, Media::none, [](WidgetScene& scene) {
                        scene.settings->setAccentThemeID(QStringLiteral("sakura"));
                        playSound(scene, "rain");
                        toPhase(scene, SessionPhase::focusing);
                    } });
    list.push_back({ QStringLiteral("tile-hover"), false, Media::none, [](WidgetScene& scene) { scene.controller->setHovered(true); } });
    list.push_back({ QStringLiteral("tile-paused"), false, Media::none, [](WidgetScene& scene) {
                        toPhase(scene, SessionPhase::focusing);
                        scene.controller->toggle();
                    } });
    list.push_back({ QStringLiteral("tile-opacity-60"), false, Media::none, [](WidgetScene& scene) {
                        scene.settings->setWidgetOpacity(0.6);
                        toPhase(scene, SessionPhase::focusing);
                    } });
    list.push_back({ QStringLiteral("card-paused"), true, Media::none, [](WidgetScene& scene) {
                        toPhase(scene, SessionPhase::focusing);
                        scene.controller->toggle();
                    } });
    list.push_back({ QStringLiteral("card-dark"), true, Media::none, [](WidgetScene& scene) {
                        scene.settings->setAppearance(veltrane::AppearancePreference::dark);
                        fillDay(scene);
                        toPhase(scene, SessionPhase::focusing);
                    } });
    list.push_back({ QStringLiteral("card-light-ocean-theme"), true, Media::none, [](WidgetScene& scene) {
                        scene.settings->setAppearance(veltrane::AppearancePreference::light);
                        scene.settings->setAccentThemeID(QStringLiteral("ocean"));
                        toPhase(scene, SessionPhase::focusing);
                    } });
    list.push_back({ QStringLiteral("card-rain-playing"), true, Media::none, [](WidgetScene& scene) {
                        playSound(scene, "rain");
                        toPhase(scene, SessionPhase::focusing);
                    } });
    list.push_back({ QStringLiteral("card-urgent-deadline-tomorrow"), true, Media::none, [](WidgetScene& scene) {
                        addDeadline(scene, 1);
                        scene.controller->setHovered(true);
                    } });
    list.push_back({ QStringLiteral("card-top-leading"), true, Media::none, [](WidgetScene& scene) {
                        scene.controller->setWidgetAnchor({ veltrane::WidgetAnchor::Horizontal::leading,
                            veltrane::WidgetAnchor::Vertical::top });
                    } });
    list.push_back({ QStringLiteral("card-bottom-trailing"), true, Media::none, [](WidgetScene& scene) {
                        scene.controller->setWidgetAnchor({ veltrane::WidgetAnchor::Horizontal::trailing,
                            veltrane::WidgetAnchor::Vertical::bottom });
                    } });
    list.push_back({ QStringLiteral("card-reduce-motion"), true, Media::none, [](WidgetScene& scene) {
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
        const auto write = [](const QString& path, const QByteArray& text) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(text);
        };
        write(entry, "[Desktop Entry]\nType=Application\nName=Spotify\nExec=true\n");
        // A music player with a long name, whose offer has to wrap.
        write(m_applications->path() + QStringLiteral("/share/applications/mpv.desktop"),
            "[Desktop Entry]\nType=Application\nName=mpv Media Player\nExec=true\n");
        write(m_applications->path() + QStringLiteral("/config/mimeapps.list"),
            "[Default Applications]\naudio/mpeg=mpv.desktop\n");
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
        auto scene = this->scene(shot.media != Media::none);
        WidgetRootView& root = scene->makeRoot();
        if (scene->media)
            waitForMedia(*scene->media);
        shot.setUp(*scene);
        // Past the celebrations the set-up may have set off (a day of focus reaches the goal).
        scene->advance(2.5);
        if (shot.expanded)
            scene->expand();
        scene->fitPanel();
        scene->settle();
        if (shot.name.startsWith(QStringLiteral("card-chips-scrolled"))) {
            const QRectF row = *root.card().layout().rect(CardRow::ambient);
            root.card().ambientView().scroll(row, -120 * 2);
            scene->settle();
        }
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

    // The popup as it draws itself.
    static QImage popupImage(QWidget& popup)
    {
        QImage image(popup.size() * kPixelRatio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(kPixelRatio);
        image.fill(Qt::transparent);
        popup.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }

    // The card with the popup drawn where it opens, below `anchor` (in the widget's coordinates).
    void savePopupOnCard(const QString& name, WidgetRootView& root, const QRectF& anchor, QWidget& popup)
    {
        const QImage card = root.renderToImage(kPixelRatio);
        QImage combined(card.size(), QImage::Format_ARGB32_Premultiplied);
        combined.setDevicePixelRatio(kPixelRatio);
        combined.fill(Qt::transparent);
        QPainter painter(&combined);
        painter.drawImage(QPointF(0, 0), card);
        const double left = std::clamp(anchor.center().x() - popup.width() / 2.0, 0.0, double(root.width() - popup.width()));
        painter.drawImage(QPointF(left, anchor.bottom() + CardPopup::kAnchorGap), popupImage(popup));
        painter.end();
        save(name, combined);
    }

    static QRect onScreen(WidgetRootView& root, const CardTarget& target)
    {
        const QRectF rect = root.cardTargetRect(target);
        return { root.mapToGlobal(rect.topLeft().toPoint()), rect.size().toSize() };
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
        root.card().taskPicker().setShowing(true, onScreen(root, { CardTarget::Kind::taskPicker }));
        savePopupOnCard(QStringLiteral("card-task-picker"), root, root.cardTargetRect({ CardTarget::Kind::taskPicker }), *root.card().taskPicker().popover());

        auto emptyScene = this->scene(false);
        WidgetRootView& emptyRoot = emptyScene->makeRoot();
        emptyScene->expand();
        emptyScene->settle();
        emptyRoot.card().taskPicker().setShowing(true, QRect(0, 0, 10, 10));
        save(QStringLiteral("task-picker-empty"), popupImage(*emptyRoot.card().taskPicker().popover()));
    }

    // The subject menu (a default subject, a task's title chosen as the subject) and the intention
    // asked for as focus starts from the play button, light and dark.
    void renderSubjectAndIntention()
    {
        using Kind = CardTarget::Kind;
        for (const auto& [appearance, look] : { std::pair { veltrane::AppearancePreference::light, QStringLiteral("light") },
                 { veltrane::AppearancePreference::dark, QStringLiteral("dark") } }) {
            auto scene = this->scene(false);
            scene->settings->setAppearance(appearance);
            scene->focusSettings->setDefaultSubject(QStringLiteral("Study"));
            if (const auto task = scene->store->addTask("Problem set 3"))
                scene->controller->setActiveTask(*task);
            WidgetRootView& root = scene->makeRoot();
            scene->expand();
            scene->settle();
            SubjectIntentionRow& row = root.card().subjectIntention();
            row.subjectMenu().setShowing(true, onScreen(root, { Kind::subject }));
            savePopupOnCard(QStringLiteral("card-subject-menu-") + look, root, root.cardTargetRect({ Kind::subject }), *row.subjectPopover());
            row.subjectMenu().setShowing(false);

            root.card().activate({ Kind::primary }, {});
            scene->run(3);
            scene->settle();
            row.intentionPopover()->field()->setText(QStringLiteral("Finish questions 1 to 4"));
            const QRectF line = root.card().layout().rect(CardRow::subjectIntention).value_or(QRectF()).translated(root.cardRect().topLeft());
            savePopupOnCard(QStringLiteral("card-intention-prompt-") + look, root, line, *row.intentionPopover());
        }
    }

private:
    QString m_folder;
    QTemporaryDir m_sounds;
    std::unique_ptr<QTemporaryDir> m_applications;
};

} // namespace

int main(int argc, char** argv)
{
    shottool::renderOffscreenUnlessAsked();
    QApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool icon = arguments.removeAll(QStringLiteral("--icon")) > 0;
    const QString folder = arguments.value(0);
    if (icon)
        return renderIcon(folder);

    QProcess player;
    const bool hasPlayer = startFakePlayer(player);
    Renderer renderer(folder.isEmpty() ? QStringLiteral(MOORLET_SHOTS_DIR) : folder);
    for (const Shot& shot : shots()) {
        if (shot.media != Media::offer)
            renderer.render(shot);
    }
    if (hasPlayer) {
        player.terminate();
        player.waitForFinished(2000);
    }
    for (const Shot& shot : shots()) {
        if (shot.media == Media::offer)
            renderer.render(shot);
    }
    renderer.renderMorph();
    renderer.renderCelebration();
    renderer.renderTaskPicker();
    renderer.renderSubjectAndIntention();
    if (!hasPlayer)
        QTextStream(stdout) << "(no session bus or fake player: the rows offering to open a player stand in for the now-playing row)\n";
    return 0;
}
