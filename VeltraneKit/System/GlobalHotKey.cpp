#include "VeltraneKit/System/GlobalHotKey.h"

#include "VeltraneKit/System/CarbonKeys.h"
#include "VeltraneKit/System/HotKeyPress.h"
#include "VeltraneKit/System/XcbKeyboardMap.h"
#include "VeltraneKit/System/XcbPointer.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>

#include <xcb/xcb.h>

#define XK_MISCELLANY
#include <X11/keysymdef.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace veltrane {

namespace {

// The eight core modifier bits; the rest of an event's state holds pointer buttons.
constexpr std::uint16_t kCoreModifiers = 0xff;

xcb_connection_t* applicationConnection()
{
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!application)
        return nullptr;
    auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

} // namespace

// One held key: the grabs on the root window and the filter that spots their presses. Ending it
// releases the grabs, so a half-made grab is undone by simply letting it go.
class GlobalHotKey::Grab final : public QAbstractNativeEventFilter {
public:
    Grab(xcb_connection_t* connection, xcb_keycode_t keycode, std::uint16_t modifiers,
        std::uint16_t ignoredLocks, std::function<void()> onPress)
        : m_connection(connection)
        , m_root(rootWindow(connection))
        , m_keycode(keycode)
        , m_modifiers(modifiers)
        , m_ignoredLocks(ignoredLocks)
        , m_onPress(std::move(onPress))
    {
    }

    ~Grab() override
    {
        // When the application has already closed its connection, the server let go with it.
        if (m_grabbedVariants.empty() || applicationConnection() != m_connection)
            return;
        for (const std::uint16_t variant : m_grabbedVariants)
            xcb_ungrab_key(m_connection, m_keycode, m_root, static_cast<std::uint16_t>(m_modifiers | variant));
        // A round trip, so that the key is free for other programs once we return.
        const XcbPointer<xcb_get_input_focus_reply_t> reply(
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

    Grab(const Grab&) = delete;
    Grab& operator=(const Grab&) = delete;

    // Grabs the key with each combination of the locks. False as soon as the server refuses one
    // combination; the ones already held are released with the object.
    bool grabAll()
    {
        std::vector<std::uint16_t> variants;
        for (const std::uint16_t lock : { std::uint16_t(0), std::uint16_t(XCB_MOD_MASK_LOCK) }) {
            for (const std::uint16_t numLock : { std::uint16_t(0), numLockMask() }) {
                const auto variant = static_cast<std::uint16_t>(lock | numLock);
                if (std::find(variants.begin(), variants.end(), variant) == variants.end())
                    variants.push_back(variant);
            }
        }
        std::vector<xcb_void_cookie_t> cookies;
        for (const std::uint16_t variant : variants) {
            cookies.push_back(xcb_grab_key_checked(m_connection, 1, m_root,
                static_cast<std::uint16_t>(m_modifiers | variant), m_keycode, XCB_GRAB_MODE_ASYNC,
                XCB_GRAB_MODE_ASYNC));
        }
        bool allGranted = true;
        for (std::size_t index = 0; index < cookies.size(); ++index) {
            const XcbPointer<xcb_generic_error_t> error(xcb_request_check(m_connection, cookies[index]));
            if (error)
                allGranted = false;
            else
                m_grabbedVariants.push_back(variants[index]);
        }
        return allGranted;
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        // The high bit marks an event another client sent: a grab never produces one.
        const bool isPress = event->response_type == XCB_KEY_PRESS;
        if (!isPress && event->response_type != XCB_KEY_RELEASE)
            return false;
        // A key release has the same layout as a press.
        const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
        if (key->detail != m_keycode)
            return false;
        if (!isPress) {
            // While the grab is active every event of the key comes here, whatever modifiers
            // have been let go of first.
            m_keyDown = false;
            m_lastReleaseTime = key->time;
            return false;
        }
        const auto held = static_cast<std::uint16_t>(key->state & kCoreModifiers & ~m_ignoredLocks);
        if (held != m_modifiers)
            return false;
        // A held key repeats. With detectable auto-repeat the server sends further presses
        // without releases; without it, each repeat is a release and a press stamped with the
        // same time. Either way a press counts only after a real release.
        const bool isRepeat = m_keyDown || m_lastReleaseTime == key->time;
        m_keyDown = true;
        if (!isRepeat)
            m_onPress();
        return true;
    }

private:
    std::uint16_t numLockMask() const
    {
        return static_cast<std::uint16_t>(m_ignoredLocks & ~XCB_MOD_MASK_LOCK);
    }

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    xcb_keycode_t m_keycode;
    std::uint16_t m_modifiers;
    std::uint16_t m_ignoredLocks;
    std::function<void()> m_onPress;
    std::vector<std::uint16_t> m_grabbedVariants;
    bool m_keyDown = false;
    std::optional<xcb_timestamp_t> m_lastReleaseTime;
};

GlobalHotKey::GlobalHotKey() = default;

GlobalHotKey::~GlobalHotKey() = default;

bool GlobalHotKey::isAvailable()
{
    return applicationConnection() != nullptr;
}

HotKeyRegistration GlobalHotKey::registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers)
{
    unregister();
    m_state = grab(keyCode, modifiers);
    return m_state;
}

HotKeyRegistration GlobalHotKey::grab(std::uint32_t keyCode, std::uint32_t modifiers)
{
    xcb_connection_t* connection = applicationConnection();
    if (!connection)
        return HotKeyRegistration::unavailable;
    const auto keyboard = XcbKeyboardMap::read(connection);
    if (!keyboard)
        return HotKeyRegistration::unavailable;
    const auto keysym = carbon::xKeysymFor(keyCode);
    const auto keycode = keysym ? keyboard->keycodeFor(*keysym) : std::nullopt;
    if (!keycode)
        return HotKeyRegistration::unsupportedKey;

    // Super and Alt sit on Mod4 and Mod1 on nearly every server; ask the server all the same.
    const auto maskOr = [](std::uint16_t found, std::uint16_t usual) { return found ? found : usual; };
    const std::uint16_t superMask
        = maskOr(keyboard->modifierMaskFor({ XK_Super_L, XK_Super_R }), XCB_MOD_MASK_4);
    const std::uint16_t altMask
        = maskOr(keyboard->modifierMaskFor({ XK_Alt_L, XK_Alt_R, XK_Meta_L, XK_Meta_R }), XCB_MOD_MASK_1);
    const std::uint16_t numLockMask = keyboard->modifierMaskFor({ XK_Num_Lock });

    const auto wanted = carbon::ModifierKeys::fromMask(modifiers);
    std::uint16_t xModifiers = 0;
    xModifiers |= wanted.command ? superMask : 0;
    xModifiers |= wanted.option ? altMask : 0;
    xModifiers |= wanted.shift ? std::uint16_t(XCB_MOD_MASK_SHIFT) : 0;
    xModifiers |= wanted.control ? std::uint16_t(XCB_MOD_MASK_CONTROL) : 0;
    // A lock that is also one of the wanted modifiers cannot be ignored.
    const auto ignoredLocks = static_cast<std::uint16_t>((XCB_MOD_MASK_LOCK | numLockMask) & ~xModifiers);

    auto grab = std::make_unique<Grab>(connection, *keycode, xModifiers, ignoredLocks, [this] { deliverPress(); });
    if (!grab->grabAll())
        return HotKeyRegistration::refused;
    QCoreApplication::instance()->installNativeEventFilter(grab.get());
    m_grab = std::move(grab);
    return HotKeyRegistration::registered;
}

void GlobalHotKey::unregister()
{
    m_grab.reset();
    m_state = HotKeyRegistration::unavailable;
}

void GlobalHotKey::deliverPress()
{
    deliverPressLater(*this, m_deliveryContext);
}

} // namespace veltrane
