#pragma once

// The names the desktop knows the program by, kept here only: the build reads them from this
// file to write the installed desktop entry (kDesktopEntry + ".desktop"), the AppStream metainfo
// (kApplicationId + ".metainfo.xml") and the icons (kIconName + ".svg" and ".png"); InstallTest
// checks that the installed files answer to these names.
namespace moorlet::DesktopIdentity {

inline constexpr auto kApplicationName = "Moorlet";
// The reverse-DNS application id: the AppStream component's id, the desktop entry's and the
// icon's name, which is what docks, software centres and notification servers match on.
inline constexpr auto kApplicationId = "org.moorlet.Moorlet";
// The desktop entry's id: its file name without ".desktop".
inline constexpr auto kDesktopEntry = kApplicationId;
// The icon's name in the hicolor theme.
inline constexpr auto kIconName = kApplicationId;
// The class Qt puts in our windows' WM_CLASS (the application name), which the desktop entry
// names as StartupWMClass so that docks match the windows to it.
inline constexpr auto kWindowClass = kApplicationName;

} // namespace moorlet::DesktopIdentity
