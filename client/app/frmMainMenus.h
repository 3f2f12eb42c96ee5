// The commands of the main window's menu bar and of its user-list pop-up menu.
#pragma once

namespace skx {

class frmMainForm;

// The maker's home page, opened by Help > Visit Orlenby.
inline constexpr char HomePageAddress[] = "http://www.orlenby.com/";

// Account levels from which the staff commands of the user-list pop-up act.
inline constexpr int ResetUserLevel = 89;
inline constexpr int KickUserLevel = 90;
inline constexpr int ShutupUserLevel = 90;
inline constexpr int BanUserLevel = 95;

// Connects every menu item of the main window to its command. The main window calls it once,
// when it builds its menus.
void WireMainMenus(frmMainForm& main);

}  // namespace skx
