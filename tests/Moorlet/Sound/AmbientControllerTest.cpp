#include "Moorlet/Settings/FocusSettings.h"
#include "Moorlet/Sound/AmbientController.h"
#include "VeltraneKit/Audio/AudioFileDecoder.h"
#include "VeltraneKit/Audio/FloatWavFile.h"
#include "VeltraneKit/Audio/OfflineAudioOutput.h"
#include "VeltraneKit/Time/ManualOneShotScheduler.h"
#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "VeltraneKit/Symbols/SymbolCatalog.h"

#include "tests/Moorlet/TestFiles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <nlohmann/json.hpp>

using namespace moorlet;
using veltrane::NoiseKind;
using veltrane::Sound;
using veltrane::SoundType;

namespace {

// A catalogue of our own for the tests: two generated sounds, a file sound whose resource
// exists, one whose resource is missing, and a generated sound of an unknown kind that names a
// file.
constexpr auto kTestCatalogue = R"([
    { "id": "rain", "name": "Rain", "type": "generated", "subtype": "rain", "icon": "cloud.rain.fill" },
    { "id": "brown-noise", "name": "Brown Noise", "type": "generated", "subtype": "brown", "icon": "moon.fill" },
    { "id": "campfire", "name": "Campfire", "type": "file", "file": "campfire.wav", "icon": "flame.fill" },
    { "id": "cafe", "name": "Café", "type": "file", "file": "cafe.mp3", "icon": "cup.and.saucer.fill" },
    { "id": "hum", "name": "Hum", "type": "generated", "subtype": "hum", "file": "campfire.wav", "icon": "waveform" },
    { "id": "drone", "name": "Drone", "type": "generated", "subtype": "drone", "icon": "waveform" }
])";

using veltrane::testing::readBytes;

void writeFile(const QString& path, const QByteArray& contents)
{
    ASSERT_TRUE(veltrane::testing::writeBytes(path, contents));
}

// A short stereo WAV file the decoder reads, in a folder made for it; seed makes its contents differ.
void writeAudio(const QString& path, float seed = 0.1f)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    std::vector<float> samples(2 * 441, seed);
    ASSERT_TRUE(veltrane::FloatWavFile::write(QFile::encodeName(path).toStdString(), 2, 44100, samples));
}

std::vector<std::string> idsOf(const std::vector<Sound>& sounds)
{
    std::vector<std::string> ids;
    for (const auto& sound : sounds)
        ids.push_back(sound.id);
    return ids;
}

const Sound& soundWithID(const AmbientController& controller, const std::string& id)
{
    for (const auto& sound : controller.sounds())
        if (sound.id == id)
            return sound;
    throw std::runtime_error("no sound " + id);
}

class AmbientControllerTest : public ::testing::Test {
protected:
    AmbientControllerTest()
    {
        writeFile(m_bundleFolder.filePath("sounds.json"), kTestCatalogue);
        writeAudio(m_bundleFolder.filePath("campfire.wav"));
    }

    QString userFolder() const { return m_dataFolder.filePath("Moorlet/UserSounds"); }

    // With `ownWorker`, restored files decode on the controller's own worker thread.
    AmbientController& make(std::optional<QString> bundleRoot = std::nullopt, bool ownWorker = false)
    {
        // Decodes handed to a controller that is replaced now would report to nobody.
        m_decodes.clear();
        auto output = std::make_unique<veltrane::OfflineAudioOutput>();
        m_output = output.get();
        AmbientController::Environment environment;
        environment.output = std::move(output);
        environment.mainQueue = m_queue;
        environment.soundsFolder = userFolder();
        environment.chooseFiles = [this] { return m_chosen; };
        if (!ownWorker) {
            environment.decodeInBackground = [this](std::filesystem::path path, AmbientController::DecodeDone done) {
                m_decodes.emplace_back(std::move(path), std::move(done));
            };
        }
        m_controller = std::make_unique<AmbientController>(*m_settings, *m_focusSettings,
            veltrane::ResourceBundle(bundleRoot.value_or(m_bundleFolder.path())), std::move(environment));
        return *m_controller;
    }

    nlohmann::json stored(const char* key) const { return m_defaults->value(key).value_or(nullptr); }

    // Runs the decodes the controller handed to its worker, in order, here.
    void finishDecodes()
    {
        for (auto& [path, done] : std::exchange(m_decodes, {}))
            done(veltrane::AudioFileDecoder::decode(path));
    }

    testsupport::TemporaryFolder m_bundleFolder;
    testsupport::TemporaryFolder m_dataFolder;
    std::shared_ptr<veltrane::MemoryUserDefaults> m_defaults = std::make_shared<veltrane::MemoryUserDefaults>();
    std::unique_ptr<veltrane::SettingsStore> m_settings = std::make_unique<veltrane::SettingsStore>(m_defaults);
    std::unique_ptr<FocusSettings> m_focusSettings = std::make_unique<FocusSettings>(m_defaults);
    std::shared_ptr<veltrane::ManualOneShotScheduler> m_queue = std::make_shared<veltrane::ManualOneShotScheduler>();
    QStringList m_chosen;
    std::vector<std::pair<std::filesystem::path, AmbientController::DecodeDone>> m_decodes;
    veltrane::OfflineAudioOutput* m_output = nullptr;
    std::unique_ptr<AmbientController> m_controller;
};

} // namespace

TEST(AmbientCatalogueTest, ShipsOneGeneratedSoundPerKindWithKnownSymbols)
{
    const auto bundle = AmbientController::applicationBundle();
    const auto sounds = veltrane::SoundLibrary::load("sounds", bundle).sounds();
    ASSERT_EQ(sounds.size(), veltrane::allNoiseKinds.size());
    for (std::size_t index = 0; index < sounds.size(); ++index) {
        SCOPED_TRACE(sounds[index].id);
        EXPECT_EQ(sounds[index].noiseKind(), veltrane::allNoiseKinds[index]);
        EXPECT_TRUE(veltrane::SymbolCatalog::contains(QString::fromStdString(sounds[index].icon)));
    }
}

TEST_F(AmbientControllerTest, ListsAvailableCatalogueSoundsThenAudioFilesFromTheUserFolder)
{
    writeAudio(userFolder() + "/Thunder.MP3");
    writeAudio(userFolder() + "/birds.wav");
    writeFile(userFolder() + "/notes.txt", "not a sound");

    auto& controller = make();
    EXPECT_EQ(idsOf(controller.sounds()),
        (std::vector<std::string> { "rain", "brown-noise", "campfire", "hum", "drone", "user_Thunder.MP3", "user_birds.wav" }));
    const auto& thunder = soundWithID(controller, "user_Thunder.MP3");
    EXPECT_EQ(thunder, (Sound { "user_Thunder.MP3", "Thunder", SoundType::file, std::nullopt, "Thunder.MP3", "music.note" }));
    EXPECT_EQ(controller.userURLs().at("user_birds.wav"), std::filesystem::path(QFile::encodeName(userFolder() + "/birds.wav").toStdString()));
    EXPECT_EQ(controller.userURLs().size(), 2u);
}

TEST_F(AmbientControllerTest, RestoresSavedSoundsAtLaunchWithoutStartingTheDevice)
{
    writeAudio(userFolder() + "/song.wav");
    writeFile(userFolder() + "/broken.wav", "RIFF but not really");
    m_defaults->setValue(AmbientController::kActiveKey, nlohmann::json { "rain", "gone", "user_song.wav", "user_broken.wav", "drone" });
    m_defaults->setValue(AmbientController::kVolumesKey, nlohmann::json { { "rain", 0.3 }, { "gone", 1 } });
    m_settings->setMasterVolume(0.5);

    auto& controller = make();
    QSignalSpy cannotPlay(&controller, &AmbientController::soundCannotPlay);
    // Files decode on the worker: until they have, only the generated sound plays.
    EXPECT_EQ(controller.activeIDs(), (std::set<std::string> { "rain" }));
    EXPECT_EQ(m_decodes.size(), 2u);
    finishDecodes();
    ASSERT_EQ(cannotPlay.size(), 1) << "the user is told which sound went quiet";
    EXPECT_EQ(cannotPlay.at(0).at(0).toString(), "broken");
    EXPECT_EQ(controller.activeIDs(), (std::set<std::string> { "rain", "user_song.wav" }));
    auto& mixer = controller.mixer();
    EXPECT_EQ(mixer.activeSoundIDs(), (std::vector<std::string> { "rain", "user_song.wav" }));
    EXPECT_EQ(mixer.volume("rain"), 0.3f);
    EXPECT_EQ(mixer.volume("user_song.wav"), AmbientController::kDefaultLevel);
    EXPECT_EQ(mixer.masterVolume(), 0.5f);
    EXPECT_EQ(m_output->startCount(), 0);
    // The file that no longer decodes leaves the stored selection at once, and so does every
    // other id that did not come back, so that it is not decoded again at every start.
    EXPECT_EQ(stored(AmbientController::kActiveKey), (nlohmann::json { "rain", "user_song.wav" }));
    EXPECT_EQ(stored(AmbientController::kVolumesKey), (nlohmann::json { { "gone", 1.0 }, { "rain", double(0.3f) } }));
}

TEST_F(AmbientControllerTest, RestoredFilesDecodeOnAWorkerThreadByDefault)
{
    writeAudio(userFolder() + "/song.wav");
    m_defaults->setValue(AmbientController::kActiveKey, nlohmann::json { "user_song.wav" });
    auto& controller = make(std::nullopt, /*ownWorker=*/true);
    EXPECT_TRUE(testsupport::waitUntil([&] { return controller.isActive("user_song.wav"); }));
}

TEST_F(AmbientControllerTest, ToggleStartsTheDeviceFadesInAndRemembers)
{
    auto& controller = make();
    QSignalSpy activeChanged(&controller, &AmbientController::activeIDsChanged);
    controller.toggle(soundWithID(controller, "rain"));
    EXPECT_EQ(controller.activeIDs(), (std::set<std::string> { "rain" }));
    EXPECT_EQ(activeChanged.count(), 1);
    EXPECT_TRUE(controller.mixer().isRunning());
    EXPECT_EQ(controller.mixer().volume("rain"), AmbientController::kDefaultLevel);
    // The default fade of 0.4 s in sixteen steps.
    EXPECT_EQ(m_queue->queuedCount(), 16u);
    m_queue->advance(0.4);
    EXPECT_EQ(m_queue->queuedCount(), 0u);
    EXPECT_EQ(stored(AmbientController::kActiveKey), (nlohmann::json { "rain" }));

    controller.toggle(soundWithID(controller, "rain"));
    EXPECT_TRUE(controller.activeIDs().empty());
    EXPECT_FALSE(controller.mixer().isActive("rain"));
    EXPECT_EQ(activeChanged.count(), 2);
    EXPECT_EQ(stored(AmbientController::kActiveKey), nlohmann::json::array());
}

TEST_F(AmbientControllerTest, TheDeviceFollowsTheFocusCycleAsTheSettingsSay)
{
    m_settings->setFadeDuration(0);
    auto& controller = make();
    // Nothing selected: the device is never touched.
    for (auto phase : { SessionPhase::focusing, SessionPhase::shortBreak, SessionPhase::idle })
        controller.handlePhase(phase);
    EXPECT_EQ(m_output->startCount(), 0);

    controller.toggle(soundWithID(controller, "rain"));
    ASSERT_EQ(m_output->startCount(), 1);
    controller.handlePhase(SessionPhase::longBreak);
    EXPECT_FALSE(controller.mixer().isRunning());
    // A sound switched on during a break starts the paused device; the file track plays.
    controller.toggle(soundWithID(controller, "campfire"));
    EXPECT_TRUE(controller.mixer().isRunning());
    std::vector<float> block(2 * 256);
    controller.mixer().render(block);
    EXPECT_NE(block[0], 0.0f);
    controller.handlePhase(SessionPhase::idle);
    EXPECT_FALSE(controller.mixer().isRunning());

    m_focusSettings->setAmbientOnFocus(false);
    controller.handlePhase(SessionPhase::focusing);
    EXPECT_FALSE(controller.mixer().isRunning());
    m_focusSettings->setAmbientOnFocus(true);
    controller.handlePhase(SessionPhase::focusing);
    EXPECT_TRUE(controller.mixer().isRunning());
    m_focusSettings->setAmbientPauseOnBreak(false);
    controller.handlePhase(SessionPhase::shortBreak);
    EXPECT_TRUE(controller.mixer().isRunning());
}

TEST_F(AmbientControllerTest, ImportCopiesFilesInReplacesOnesOfTheSameNameAndNeverLosesOne)
{
    testsupport::TemporaryFolder elsewhere;
    writeAudio(elsewhere.filePath("Waves.MP3"), 0.2f);
    writeFile(elsewhere.filePath("readme.txt"), "words");
    auto& controller = make();
    QSignalSpy soundsChanged(&controller, &AmbientController::soundsChanged);
    m_chosen = { elsewhere.filePath("Waves.MP3"), elsewhere.filePath("readme.txt"), elsewhere.filePath("missing.wav"), elsewhere.path() };
    controller.importSounds();
    EXPECT_EQ(soundsChanged.count(), 1);
    EXPECT_EQ(readBytes(userFolder() + "/Waves.MP3"), readBytes(elsewhere.filePath("Waves.MP3")));
    EXPECT_TRUE(QFile::exists(userFolder() + "/readme.txt"));
    EXPECT_EQ(idsOf(controller.sounds()).back(), "user_Waves.MP3");
    EXPECT_EQ(QDir(userFolder()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    const auto waves = readBytes(userFolder() + "/Waves.MP3");
    // Choosing the file that already lies in the folder leaves it as it is, and so does a copy
    // that fails part way, here on a full disk. Nothing of a copy is left behind.
    controller.importFiles({ userFolder() + "/Waves.MP3", userFolder() + "/./Waves.MP3" });
    EXPECT_EQ(readBytes(userFolder() + "/Waves.MP3"), waves);
    EXPECT_TRUE(controller.userURLs().contains("user_Waves.MP3"));
    writeAudio(elsewhere.filePath("Waves.MP3"), 0.5f);
    {
        testsupport::FullDisk full(1000);
        controller.importFiles({ elsewhere.filePath("Waves.MP3") });
    }
    EXPECT_EQ(readBytes(userFolder() + "/Waves.MP3"), waves);
    EXPECT_EQ(QDir(userFolder()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST_F(AmbientControllerTest, DeletingAUserSoundStopsItAndRemovesItsFile)
{
    writeAudio(userFolder() + "/song.wav");
    auto& controller = make();
    controller.toggle(soundWithID(controller, "user_song.wav"));
    controller.toggle(soundWithID(controller, "rain"));
    ASSERT_TRUE(controller.isActive("user_song.wav"));

    controller.deleteUserSound("user_song.wav");
    EXPECT_FALSE(QFile::exists(userFolder() + "/song.wav"));
    EXPECT_FALSE(controller.mixer().isActive("user_song.wav"));
    EXPECT_EQ(idsOf(controller.sounds()).back(), "drone");
    EXPECT_EQ(stored(AmbientController::kActiveKey), (nlohmann::json { "rain" }));
}
