#include "Moorlet/Sound/AmbientController.h"

#include "Moorlet/Settings/FocusSettings.h"
#include "VeltraneKit/Widget/QtOneShotScheduler.h"
#include "VeltraneKit/Audio/AudioFileDecoder.h"
#include "VeltraneKit/Audio/SdlAudioOutput.h"
#include "VeltraneKit/Settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>
#include <QSaveFile>
#include <QStandardPaths>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <string_view>

// Resources of a static library are registered by hand, outside any namespace.
static void registerSoundResources()
{
    Q_INIT_RESOURCE(MoorletSounds);
}

namespace moorlet {

namespace {

constexpr std::string_view kCatalogueName = "sounds";

// The extensions of files listed from the user folder, compared in lower case.
constexpr std::array<std::string_view, 7> kAudioExtensions = { "mp3", "m4a", "wav", "aiff", "aif", "caf", "aac" };

struct TintRule {
    std::array<std::string_view, 4> keywords;
    QRgb colour;
};

// The first rule with a keyword in the lower-cased name and id decides.
constexpr TintRule kTintRules[] = {
    { { "rain", "storm" }, qRgb(91, 155, 213) },
    { { "ocean", "wave", "sea" }, qRgb(45, 182, 168) },
    { { "stream", "river", "brook", "water" }, qRgb(56, 189, 248) },
    { { "wind", "breeze" }, qRgb(154, 168, 184) },
    { { "forest", "bird", "leaf", "nature" }, qRgb(95, 179, 122) },
    { { "fire", "camp", "ember" }, qRgb(245, 158, 11) },
    { { "brown" }, qRgb(176, 137, 104) },
    { { "pink" }, qRgb(244, 166, 192) },
    { { "white" }, qRgb(199, 210, 222) },
};

constexpr qint64 kCopyChunk = 256 * 1024;

// The text after the last dot of a file name, unless that dot starts the name.
QString pathExtension(const QString& fileName)
{
    const auto dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.mid(dot + 1) : QString();
}

bool isAudioExtension(const QString& extension)
{
    const auto lower = extension.toLower().toStdString();
    return std::find(kAudioExtensions.begin(), kAudioExtensions.end(), lower) != kAudioExtensions.end();
}

// Copies source over destination through a temporary file in the destination's folder that is
// renamed into place only when the whole copy succeeded.
bool copyReplacing(const QString& source, const QString& destination)
{
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly))
        return false;
    QSaveFile output(destination);
    // Unbuffered, so that a full disk fails a write here: QSaveFile's commit() renames the file
    // into place even when flushing its buffer fails.
    if (!output.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    // Reads until the end is reached rather than up to a size, which some files do not know.
    QByteArray chunk(kCopyChunk, Qt::Uninitialized);
    while (true) {
        const auto count = input.read(chunk.data(), chunk.size());
        if (count == 0)
            break;
        if (count < 0 || output.write(chunk.constData(), count) != count) {
            output.cancelWriting();
            return false;
        }
    }
    return output.commit();
}

std::filesystem::path toPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QStringList chooseAudioFiles()
{
    return QFileDialog::getOpenFileNames(nullptr, QString(), QString(),
        QStringLiteral("Audio (*.mp3 *.m4a *.wav *.aiff *.aif *.caf *.aac *.MP3 *.M4A *.WAV *.AIFF *.AIF *.CAF *.AAC)"));
}

} // namespace

veltrane::ResourceBundle AmbientController::applicationBundle()
{
    registerSoundResources();
    return veltrane::ResourceBundle(QStringLiteral(":/moorlet/sounds"));
}

AmbientController::AmbientController(veltrane::SettingsStore& settings, const FocusSettings& focusSettings,
    veltrane::ResourceBundle bundle, Environment environment, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_focusSettings(focusSettings)
    , m_defaults(settings.defaults())
    , m_bundle(std::move(bundle))
    , m_soundsFolder(std::move(environment.soundsFolder))
    , m_chooseFiles(std::move(environment.chooseFiles))
    , m_decodeInBackground(std::move(environment.decodeInBackground))
{
    if (!environment.output)
        environment.output = std::make_unique<veltrane::SdlAudioOutput>();
    if (!environment.mainQueue)
        environment.mainQueue = std::make_shared<veltrane::QtOneShotScheduler>();
    if (m_soundsFolder.isEmpty()) {
        const auto dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (!dataHome.isEmpty())
            m_soundsFolder = dataHome + QStringLiteral("/Moorlet/UserSounds");
    }
    if (!m_chooseFiles)
        m_chooseFiles = &chooseAudioFiles;
    if (!m_decodeInBackground) {
        // The watcher belongs to the controller: a result that arrives after it is gone is dropped.
        m_decodeInBackground = [this](std::filesystem::path path, DecodeDone done) {
            auto* watcher = new QFutureWatcher<std::optional<veltrane::StereoBuffer>>(this);
            connect(watcher, &QFutureWatcherBase::finished, this, [watcher, done = std::move(done)] {
                done(watcher->result());
                watcher->deleteLater();
            });
            watcher->setFuture(QtConcurrent::run([path = std::move(path)] { return veltrane::AudioFileDecoder::decode(path); }));
        };
    }
    m_mixer = std::make_unique<veltrane::AudioMixer>(std::move(environment.output), std::move(environment.mainQueue));

    m_library = veltrane::SoundLibrary::load(kCatalogueName, m_bundle);

    if (const auto stored = m_defaults.value(kVolumesKey); stored && stored->is_object()) {
        std::map<std::string, float> volumes;
        bool allNumbers = true;
        for (const auto& [id, level] : stored->items()) {
            if (!level.is_number()) {
                allNumbers = false;
                break;
            }
            volumes[id] = static_cast<float>(level.get<double>());
        }
        if (allNumbers)
            m_volumes = std::move(volumes);
    }

    m_mixer->setMasterVolume(static_cast<float>(m_settings.masterVolume()));
    // The settings window's slider changes the stored master volume; the mix follows at once.
    connect(&m_settings, &veltrane::SettingsStore::masterVolumeChanged, this,
        [this] { m_mixer->setMasterVolume(static_cast<float>(m_settings.masterVolume())); });

    rebuildSounds();

    std::set<std::string> saved;
    if (const auto stored = m_defaults.value(kActiveKey); stored && stored->is_array()) {
        for (const auto& id : *stored) {
            if (!id.is_string()) {
                saved.clear();
                break;
            }
            saved.insert(id.get<std::string>());
        }
    }
    std::set<std::string> restored;
    for (const auto& sound : m_sounds) {
        if (!saved.contains(sound.id))
            continue;
        const auto source = sourceFor(sound);
        if (source && source->filePath()) {
            m_pendingRestores.insert(sound.id);
            m_decodeInBackground(*source->filePath(), [this, id = sound.id](std::optional<veltrane::StereoBuffer> decoded) {
                finishRestore(id, std::move(decoded));
            });
        } else if (source && m_mixer->add(sound.id, *source, levelFor(sound.id), m_settings.fadeDuration())) {
            restored.insert(sound.id);
        }
    }
    setActiveIDs(std::move(restored));
}

AmbientController::~AmbientController() = default;

std::optional<veltrane::TrackSource> AmbientController::sourceFor(const veltrane::Sound& sound) const
{
    if (auto kind = sound.noiseKind())
        return veltrane::TrackSource::noise(*kind);
    if (auto user = m_userURLs.find(sound.id); user != m_userURLs.end())
        return veltrane::TrackSource::file(user->second);
    if (auto resource = veltrane::SoundLibrary::url(sound, m_bundle))
        return veltrane::TrackSource::file(*resource);
    return std::nullopt;
}

float AmbientController::levelFor(const std::string& id) const
{
    const auto stored = m_volumes.find(id);
    return stored == m_volumes.end() ? kDefaultLevel : stored->second;
}

bool AmbientController::configure(const veltrane::Sound& sound)
{
    const auto source = sourceFor(sound);
    return source && m_mixer->add(sound.id, *source, levelFor(sound.id), m_settings.fadeDuration());
}

void AmbientController::finishRestore(const std::string& id, std::optional<veltrane::StereoBuffer> decoded)
{
    // Switched on or off, or deleted, while it decoded: the user's choice stands.
    if (!m_pendingRestores.erase(id))
        return;
    if (decoded) {
        const auto source = veltrane::TrackSource::decoded(std::make_shared<const veltrane::StereoBuffer>(std::move(*decoded)));
        if (m_mixer->add(id, source, levelFor(id), m_settings.fadeDuration())) {
            auto ids = m_activeIDs;
            ids.insert(id);
            setActiveIDs(std::move(ids));
            return;
        }
    }
    const auto sound = std::find_if(m_sounds.begin(), m_sounds.end(), [&](const auto& entry) { return entry.id == id; });
    emit soundCannotPlay(QString::fromStdString(sound != m_sounds.end() ? sound->name : id));
    persist();
}

void AmbientController::toggle(const veltrane::Sound& sound)
{
    m_pendingRestores.erase(sound.id);
    auto ids = m_activeIDs;
    if (ids.contains(sound.id)) {
        m_mixer->remove(sound.id);
        ids.erase(sound.id);
    } else if (configure(sound)) {
        ids.insert(sound.id);
        m_mixer->start();
    } else if (sound.type == veltrane::SoundType::file) {
        emit soundCannotPlay(QString::fromStdString(sound.name));
    }
    setActiveIDs(std::move(ids));
    persist();
}

void AmbientController::persist()
{
    auto active = nlohmann::json::array();
    std::set<std::string> ids = m_activeIDs;
    ids.insert(m_pendingRestores.begin(), m_pendingRestores.end());
    for (const auto& id : ids)
        active.push_back(id);
    m_defaults.setValue(kActiveKey, active);
    auto volumes = nlohmann::json::object();
    for (const auto& [id, level] : m_volumes)
        volumes[id] = static_cast<double>(level);
    m_defaults.setValue(kVolumesKey, volumes);
}

void AmbientController::handlePhase(SessionPhase phase)
{
    if (m_activeIDs.empty())
        return;
    switch (phase) {
    case SessionPhase::shortBreak:
    case SessionPhase::longBreak:
        if (m_focusSettings.ambientPauseOnBreak())
            m_mixer->pause();
        break;
    case SessionPhase::focusing:
        if (m_focusSettings.ambientOnFocus())
            m_mixer->start();
        break;
    case SessionPhase::idle:
        m_mixer->pause();
        break;
    }
}

void AmbientController::importSounds()
{
    importFiles(m_chooseFiles());
}

void AmbientController::importFiles(const QStringList& paths)
{
    if (const auto folder = soundsDirectory()) {
        for (const auto& path : paths) {
            const QFileInfo source(path);
            if (!source.isFile())
                continue;
            const auto destination = *folder + QLatin1Char('/') + source.fileName();
            const QFileInfo existing(destination);
            // Copying a file onto itself would at best do nothing and at worst destroy it.
            if (existing.exists() && existing.canonicalFilePath() == source.canonicalFilePath())
                continue;
            copyReplacing(path, destination);
        }
    }
    rebuildSounds();
}

void AmbientController::deleteUserSound(const std::string& id)
{
    m_pendingRestores.erase(id);
    if (m_activeIDs.contains(id)) {
        m_mixer->remove(id);
        auto ids = m_activeIDs;
        ids.erase(id);
        setActiveIDs(std::move(ids));
    }
    if (auto user = m_userURLs.find(id); user != m_userURLs.end())
        QFile::remove(QFile::decodeName(user->second.c_str()));
    rebuildSounds();
    persist();
}

std::optional<QString> AmbientController::soundsDirectory() const
{
    if (m_soundsFolder.isEmpty() || !QDir().mkpath(m_soundsFolder))
        return std::nullopt;
    return m_soundsFolder;
}

void AmbientController::rebuildSounds()
{
    auto list = m_library.availableSounds(m_bundle);
    m_userURLs.clear();
    if (const auto folder = soundsDirectory()) {
        const QDir directory(*folder);
        const auto entries = directory.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const auto& entry : entries) {
            const auto fileName = entry.fileName();
            const auto extension = pathExtension(fileName);
            if (!isAudioExtension(extension))
                continue;
            const auto name = fileName.left(fileName.size() - extension.size() - 1);
            veltrane::Sound sound;
            sound.id = kUserSoundPrefix + fileName.toStdString();
            sound.name = name.toStdString();
            sound.type = veltrane::SoundType::file;
            sound.file = fileName.toStdString();
            sound.icon = "music.note";
            m_userURLs[sound.id] = toPath(entry.absoluteFilePath());
            list.push_back(std::move(sound));
        }
    }
    setSounds(std::move(list));
}

std::optional<QColor> AmbientController::tint(const veltrane::Sound& sound)
{
    const auto text = QString::fromStdString(sound.name + " " + sound.id).toLower().toStdString();
    for (const auto& rule : kTintRules) {
        for (const auto keyword : rule.keywords) {
            if (!keyword.empty() && text.find(keyword) != std::string::npos)
                return QColor(rule.colour);
        }
    }
    return std::nullopt;
}

std::optional<QColor> AmbientController::sceneTint() const
{
    return m_sceneTint;
}

void AmbientController::setActiveIDs(std::set<std::string> ids)
{
    if (ids == m_activeIDs)
        return;
    m_activeIDs = std::move(ids);
    Q_EMIT activeIDsChanged();
    updateSceneTint();
}

void AmbientController::setSounds(std::vector<veltrane::Sound> sounds)
{
    if (sounds == m_sounds)
        return;
    m_sounds = std::move(sounds);
    Q_EMIT soundsChanged();
    updateSceneTint();
}

void AmbientController::updateSceneTint()
{
    std::optional<QColor> scene;
    for (const auto& sound : m_sounds) {
        if (!m_activeIDs.contains(sound.id))
            continue;
        if ((scene = tint(sound)))
            break;
    }
    if (scene == m_sceneTint)
        return;
    m_sceneTint = scene;
    Q_EMIT sceneTintChanged();
}

} // namespace moorlet
