#include "VeltraneKit/System/CarbonKeys.h"
#include "VeltraneKit/System/GlobalHotKey.h"
#include "VeltraneKit/System/XcbKeyboardMap.h"
#include "VeltraneKit/System/XcbPointer.h"

#include "tests/support/TestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <functional>

#include <xcb/xcb.h>

#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>

using namespace veltrane;
using testsupport::processEvents;
using testsupport::waitUntil;

namespace {

constexpr auto kOptionCommand = carbon::kModifierOption | carbon::kModifierCommand;

// Presses keys the way a user would, through the X server's test extension.
void press(const char* keys)
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), { QStringLiteral("key"), QString::fromLatin1(keys) }), 0);
}

// Another program on the same display: its own connection, its own grabs.
class OtherClient {
public:
    OtherClient()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
    }
    ~OtherClient() { xcb_disconnect(m_connection); }
    OtherClient(const OtherClient&) = delete;
    OtherClient& operator=(const OtherClient&) = delete;

    // Whether the server gives this client Alt+Super+Space with the extra lock bits.
    bool grabAltSuperSpace(std::uint16_t extraModifiers = 0)
    {
        const auto keyboard = XcbKeyboardMap::read(m_connection);
        const auto space = keyboard->keycodeFor(XK_space);
        const auto modifiers = static_cast<std::uint16_t>(keyboard->modifierMaskFor({ XK_Alt_L })
            | keyboard->modifierMaskFor({ XK_Super_L }) | extraModifiers);
        const auto root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const XcbPointer<xcb_generic_error_t> error(xcb_request_check(m_connection,
            xcb_grab_key_checked(m_connection, 1, root, modifiers, *space, XCB_GRAB_MODE_ASYNC,
                XCB_GRAB_MODE_ASYNC)));
        return error == nullptr;
    }

    std::uint16_t numLockMask() { return XcbKeyboardMap::read(m_connection)->modifierMaskFor({ XK_Num_Lock }); }

private:
    xcb_connection_t* m_connection;
};

class GlobalHotKeyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        hotKey = std::make_unique<GlobalHotKey>();
        hotKey->onPressed = [this] { ++presses; };
    }

    // Presses that reach the key have all been delivered once a later, counted press has: the
    // server, Qt and the queued hop each keep their order.
    void expectPressesAfterMarker(int expected)
    {
        ASSERT_TRUE(waitUntil([&] { return presses >= expected; }));
        processEvents();
        EXPECT_EQ(presses, expected);
    }

    std::unique_ptr<GlobalHotKey> hotKey;
    int presses = 0;
};

TEST_F(GlobalHotKeyTest, OptionCommandSpaceFiresOncePerPressWhateverTheLocks)
{
    ASSERT_TRUE(GlobalHotKey::isAvailable());
    // Presses before a callback is set are dropped.
    hotKey->onPressed = nullptr;
    ASSERT_EQ(hotKey->registerHotKey(carbon::kKeySpace, kOptionCommand), HotKeyRegistration::registered);
    EXPECT_TRUE(hotKey->isRegistered());
    press("super+alt+space");
    processEvents();
    hotKey->onPressed = [this] { ++presses; };
    press("super+alt+space");
    expectPressesAfterMarker(1);

    for (const char* lock : { "Num_Lock", "Caps_Lock", "Num_Lock", "Caps_Lock" }) {
        press(lock);
        press("super+alt+space");
    }
    expectPressesAfterMarker(5);

    // Extra or missing modifiers make another key, which stays with whoever has the focus.
    for (const char* other : { "ctrl+super+alt+space", "alt+space", "space", "super+alt+space" })
        press(other);
    expectPressesAfterMarker(6);
}

// Unregistering or asking for a key X has no key for frees the key, and
// a key another program holds is refused with nothing kept.
TEST_F(GlobalHotKeyTest, AKeyIsFreedWhenLetGoAndRefusedWhenAnotherProgramHoldsIt)
{
    constexpr std::uint32_t kCarbonOptionKeyItself = 0x3A;
    const std::function<void()> letGo[] = {
        [&] { hotKey->unregister(); },
        [&] {
            EXPECT_EQ(hotKey->registerHotKey(kCarbonOptionKeyItself, carbon::kModifierCommand),
                HotKeyRegistration::unsupportedKey);
        },
    };
    for (const auto& release : letGo) {
        ASSERT_EQ(hotKey->registerHotKey(carbon::kKeySpace, kOptionCommand), HotKeyRegistration::registered);
        release();
        EXPECT_FALSE(hotKey->isRegistered());
        OtherClient other;
        EXPECT_TRUE(other.grabAltSuperSpace() && other.grabAltSuperSpace(other.numLockMask() | XCB_MOD_MASK_LOCK));
    }
    {
        OtherClient holder;
        ASSERT_TRUE(holder.grabAltSuperSpace());
        EXPECT_EQ(hotKey->registerHotKey(carbon::kKeySpace, kOptionCommand), HotKeyRegistration::refused);
        EXPECT_FALSE(hotKey->isRegistered());
    }
    EXPECT_TRUE(OtherClient().grabAltSuperSpace());
}

} // namespace
