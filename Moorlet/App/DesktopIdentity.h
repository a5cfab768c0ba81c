#pragma once

// The names the desktop knows the program by, kept here only. The install rules (CMakeLists.txt
// beside this file) put the desktop entry in place as kDesktopEntry + ".desktop" and the icon as
// kIconName + ".svg"; InstallTest checks that the installed files answer to these names.
namespace moorlet::DesktopIdentity {

inline constexpr auto kApplicationName = "Moorlet";
// The desktop entry's id: its file name without ".desktop".
inline constexpr auto kDesktopEntry = "moorlet";
// The icon's name in the hicolor theme.
inline constexpr auto kIconName = "moorlet";

} // namespace moorlet::DesktopIdentity
