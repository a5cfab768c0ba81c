#include "VeltraneKit/System/CarbonKeys.h"
#include "VeltraneKit/System/GlobalHotKey.h"

#include <gtest/gtest.h>

#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>

using namespace veltrane;

namespace {

TEST(GlobalHotKeyWithoutX11Test, RegistrationReportsUnavailableAndHoldsNothing)
{
    EXPECT_FALSE(GlobalHotKey::isAvailable());
    GlobalHotKey hotKey;
    EXPECT_EQ(hotKey.registerHotKey(carbon::kKeySpace, carbon::kModifierOption | carbon::kModifierCommand),
        HotKeyRegistration::unavailable);
    EXPECT_FALSE(hotKey.isRegistered());
    hotKey.unregister();
}

TEST(CarbonKeysTest, KeyCodesFollowTheAnsiLayoutNotTheAlphabet)
{
    // The Carbon codes are scattered over the keyboard's rows, so a shifted table is easy to make.
    for (auto [code, keysym] : { std::pair<std::uint32_t, std::uint32_t> { 0x0B, XK_b }, { 0x16, XK_6 }, { 0x17, XK_5 }, { 0x2E, XK_m },
             { 0x33, XK_BackSpace }, { 0x75, XK_Delete }, { 0x5A, XK_F20 }, { 0x5B, XK_KP_8 } })
        EXPECT_EQ(carbon::xKeysymFor(code), keysym) << code;
    // 0x0A is the ISO section key and 0x34 and 0x3A–0x3F are modifiers or unused.
    for (auto code : { 0x0A, 0x3A, 0xFFFF })
        EXPECT_EQ(carbon::xKeysymFor(code), std::nullopt) << code;
}

} // namespace
