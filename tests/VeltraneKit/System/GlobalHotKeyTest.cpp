#include "VeltraneKit/System/CarbonKeys.h"
#include "VeltraneKit/System/GlobalHotKey.h"
#include "VeltraneKit/System/XcbKeyboardMap.h"
#include "VeltraneKit/System/XcbPointer.h"

#include "tests/support/TestSupport.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include <xcb/xcb.h>
// The XKB header names a field `explicit`.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wkeyword-macro"
#endif
#define explicit xkbExplicit
#include <xcb/xkb.h>
#undef explicit
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>

using namespace veltrane;
using testsupport::processEvents;
using testsupport::waitUntil;

namespace {

constexpr auto kOptionCommand = carbon::kModifierOption | carbon::kModifierCommand;

// Presses keys the way a user would, through the X server's test extension.
void press(const char* keys, const char* action = "key")
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), { QString::fromLatin1(action), QString::fromLatin1(keys) }), 0);
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

// Counts the presses of a key that reach this process, ahead of the filters installed before.
struct KeyPresses final : QAbstractNativeEventFilter {
    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override
    {
        const auto* event = static_cast<const xcb_key_press_event_t*>(message);
        count += event->response_type == XCB_KEY_PRESS && event->detail == key;
        return false;
    }
    xcb_keycode_t key = 0;
    int count = 0;
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

// A held key repeats: as release and press pairs with one timestamp (the server's way unless a
// client asks for detectable auto-repeat), or as presses alone (when it does).
TEST_F(GlobalHotKeyTest, HoldingTheKeyFiresOnceWhicheverWayTheServerRepeatsIt)
{
    auto* connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    ASSERT_EQ(QProcess::execute(QStringLiteral("xset"), { "r", "rate", "200", "30" }), 0);
    ASSERT_EQ(hotKey->registerHotKey(carbon::kKeySpace, kOptionCommand), HotKeyRegistration::registered);
    KeyPresses space;
    space.key = *XcbKeyboardMap::read(connection)->keycodeFor(XK_space);
    QCoreApplication::instance()->installNativeEventFilter(&space);
    for (const std::uint32_t detectable : { 0u, std::uint32_t(XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT) }) {
        const XcbPointer<xcb_xkb_per_client_flags_reply_t> applied(xcb_xkb_per_client_flags_reply(connection,
            xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD,
                XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT, detectable, 0, 0, 0),
            nullptr));
        const int before = space.count;
        press("super+alt+space", "keydown");
        ASSERT_TRUE(waitUntil([&] { return space.count >= before + 3; })) << "the server never repeated";
        press("super+alt+space", "keyup");
        press("super+alt+space");
        expectPressesAfterMarker(detectable ? 4 : 2);
    }
}

// A few kinds of key (letter, digit, named key, function key, arrow) with different modifiers; a
// later registration releases the earlier key.
TEST_F(GlobalHotKeyTest, EachKindOfKeyReachesItsXKeyAndReplacesTheEarlierKey)
{
    const std::tuple<std::uint32_t, std::uint32_t, const char*> rows[] = {
        { carbon::kKeyA, carbon::kModifierControl | carbon::kModifierOption, "ctrl+alt+a" },
        { carbon::kKey0, carbon::kModifierControl | carbon::kModifierShift, "ctrl+shift+0" },
        { carbon::kKeyEscape, carbon::kModifierCommand, "super+Escape" },
        { carbon::kKeyF12, carbon::kModifierShift, "shift+F12" },
        { carbon::kKeyLeftArrow, kOptionCommand, "super+alt+Left" },
    };
    int expected = 0;
    for (const auto& [key, modifiers, keys] : rows) {
        SCOPED_TRACE(keys);
        ASSERT_EQ(hotKey->registerHotKey(key, modifiers), HotKeyRegistration::registered);
        press("super+alt+space");
        press(keys);
        expectPressesAfterMarker(++expected);
        ASSERT_EQ(hotKey->registerHotKey(carbon::kKeySpace, kOptionCommand), HotKeyRegistration::registered);
        EXPECT_FALSE(OtherClient().grabAltSuperSpace());
    }
}

// Unregistering, destroying the hot key or asking for a key X has no key for frees the key, and
// a key another program holds, even only in its NumLock form, is refused with nothing kept.
TEST_F(GlobalHotKeyTest, AKeyIsFreedWhenLetGoAndRefusedWhenAnotherProgramHoldsIt)
{
    constexpr std::uint32_t kCarbonOptionKeyItself = 0x3A;
    const std::function<void()> letGo[] = {
        [&] { hotKey->unregister(); },
        [&] { hotKey = std::make_unique<GlobalHotKey>(); },
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
    for (const bool numLockOnly : { false, true }) {
        SCOPED_TRACE(numLockOnly ? "NumLock form" : "plain form");
        {
            OtherClient holder;
            ASSERT_TRUE(holder.grabAltSuperSpace(numLockOnly ? holder.numLockMask() : 0));
            EXPECT_EQ(hotKey->registerHotKey(carbon::kKeySpace, kOptionCommand), HotKeyRegistration::refused);
            EXPECT_FALSE(hotKey->isRegistered());
        }
        EXPECT_TRUE(OtherClient().grabAltSuperSpace());
    }
}

} // namespace
