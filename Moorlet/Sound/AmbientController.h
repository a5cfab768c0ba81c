#pragma once

#include "MoorletCore/SessionPhase.h"
#include "VeltraneKit/Audio/AudioMixer.h"
#include "VeltraneKit/Audio/ResourceBundle.h"
#include "VeltraneKit/Audio/Sound.h"
#include "VeltraneKit/Audio/SoundLibrary.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace veltrane {
class AudioOutput;
class OneShotScheduler;
class SettingsStore;
class UserDefaults;
} // namespace veltrane

namespace moorlet {

class FocusSettings;

// The ambient mini-player's state: the sounds on offer (the catalogue's, then the user's own
// files), which of them play, at which levels, and the mixer that plays them. It remembers the
// selection across launches and follows the focus cycle: the scene plays when focus starts and
// pauses on breaks, as the focus settings say.
//
// Its own keys: "com.veltrane.focus.ambientActive" (the playing ids) and
// "com.veltrane.focus.ambientVolumes" (id to level). A sound without a stored level plays at 0.6.
// Imported files live in $XDG_DATA_HOME/Moorlet/UserSounds, each listed with the id "user_"
// followed by its file name. File-system and decoding failures are silent (what cannot be read
// is not listed or does not play) but for one: a file that was playing at the last run and no
// longer decodes is dropped from the stored selection with a warning, so that it is not tried at
// every start. Restored files decode on a worker thread: a long or damaged file never holds up
// the start.
//
// Main thread only.
class AmbientController : public QObject {
    Q_OBJECT

public:
    static constexpr auto kActiveKey = "com.veltrane.focus.ambientActive";
    static constexpr auto kVolumesKey = "com.veltrane.focus.ambientVolumes";
    static constexpr float kDefaultLevel = 0.6f;
    static constexpr auto kUserSoundPrefix = "user_";

    using DecodeDone = std::function<void(std::optional<veltrane::StereoBuffer>)>;

    // What the controller runs on. Every empty field gets the real thing.
    struct Environment {
        // The ambient mix's output device; null for SDL's.
        std::unique_ptr<veltrane::AudioOutput> output;
        // Where fade steps wait; null for Qt's event loop.
        std::shared_ptr<veltrane::OneShotScheduler> mainQueue;
        // The folder of imported files; empty for $XDG_DATA_HOME/Moorlet/UserSounds.
        QString soundsFolder;
        // Asks the user for audio files to import; empty for the file dialog.
        std::function<QStringList()> chooseFiles;
        // Decodes a restored file away from the main thread and hands the result back on the
        // main thread; empty for a worker of Qt's thread pool.
        std::function<void(std::filesystem::path, DecodeDone)> decodeInBackground;
    };

    // The catalogue the application ships, in its Qt resources.
    static veltrane::ResourceBundle applicationBundle();

    // Loads the catalogue from bundle, restores the stored levels and the master volume, lists
    // the sounds and prepares the ones that were playing at the last run; a file among them joins
    // the active ones once it has decoded. The device does not start here: restored sounds begin
    // at the next start (focus, or a toggle).
    AmbientController(veltrane::SettingsStore& settings, const FocusSettings& focusSettings,
        veltrane::ResourceBundle bundle, Environment environment = {}, QObject* parent = nullptr);
    ~AmbientController() override;

    const std::vector<veltrane::Sound>& sounds() const { return m_sounds; }
    const std::set<std::string>& activeIDs() const { return m_activeIDs; }
    bool isActive(const std::string& id) const { return m_activeIDs.contains(id); }
    const std::map<std::string, float>& volumes() const { return m_volumes; }
    const std::map<std::string, std::filesystem::path>& userURLs() const { return m_userURLs; }
    veltrane::AudioMixer& mixer() { return *m_mixer; }

    // Switches a sound off, or on (which always starts the device, during a break too), and
    // stores the selection. A sound that cannot play stays off.
    void toggle(const veltrane::Sound& sound);
    // Writes the playing ids and the levels to their keys.
    void persist();
    // Follows the focus cycle: on focus, plays if ambientOnFocus is on; on a break, pauses if
    // ambientPauseOnBreak is on; when idle, pauses. With nothing selected it does nothing.
    void handlePhase(SessionPhase phase);

    // Asks for audio files and imports them (see importFiles).
    void importSounds();
    // Copies each file into the user folder under its own name, replacing a file of that name,
    // then lists the sounds again. A file is copied to a temporary name in the folder and then
    // renamed over its destination, so a failed copy leaves the old file as it was; a file that
    // already is its own destination is left alone.
    void importFiles(const QStringList& paths);
    // Stops an imported sound, deletes its file and lists the sounds again.
    void deleteUserSound(const std::string& id);
    // The user folder, created on demand; nothing if it cannot be made.
    std::optional<QString> soundsDirectory() const;
    // Lists the catalogue sounds whose resources exist, then the audio files in the user folder.
    void rebuildSounds();

    // The colour a sound's name or id suggests ("rain", "ocean", …), or nothing.
    static std::optional<QColor> tint(const veltrane::Sound& sound);
    // The tint of the first playing sound that has one, in list order.
    std::optional<QColor> sceneTint() const;

Q_SIGNALS:
    void soundsChanged();
    void activeIDsChanged();
    void sceneTintChanged();
    // A sound file that cannot be decoded, restored at launch or switched on: it stays off.
    void soundCannotPlay(const QString& name);

private:
    std::optional<veltrane::TrackSource> sourceFor(const veltrane::Sound& sound) const;
    float levelFor(const std::string& id) const;
    bool configure(const veltrane::Sound& sound);
    void finishRestore(const std::string& id, std::optional<veltrane::StereoBuffer> decoded);
    void setActiveIDs(std::set<std::string> ids);
    void setSounds(std::vector<veltrane::Sound> sounds);
    void updateSceneTint();

    veltrane::SettingsStore& m_settings;
    const FocusSettings& m_focusSettings;
    veltrane::UserDefaults& m_defaults;
    veltrane::ResourceBundle m_bundle;
    QString m_soundsFolder;
    std::function<QStringList()> m_chooseFiles;
    std::function<void(std::filesystem::path, DecodeDone)> m_decodeInBackground;

    std::vector<veltrane::Sound> m_sounds;
    std::set<std::string> m_activeIDs;
    // Restored files still decoding; they stay in the stored selection meanwhile.
    std::set<std::string> m_pendingRestores;
    std::unique_ptr<veltrane::AudioMixer> m_mixer;
    veltrane::SoundLibrary m_library;
    std::map<std::string, float> m_volumes;
    std::map<std::string, std::filesystem::path> m_userURLs;
    std::optional<QColor> m_sceneTint;
};

} // namespace moorlet
