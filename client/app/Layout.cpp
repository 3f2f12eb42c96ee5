#include "Layout.h"

#include <windows.h>

#include "OptionMenuItems.h"
#include "ProgramSettings.h"
#include "Renderer.h"
#include "SettingsFiles.h"
#include "Startup.h"
#include "frmChatBar.h"
#include "frmGame.h"
#include "frmMain.h"
#include "frmMapDisp.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/MessagePump.h"
#include "runtime/ScopedCount.h"

namespace skx {

namespace {

bool g_settingsRead = false;   // the first call read the saved layout
bool g_preloaded = false;      // the renderer was started
int g_depth = 0;               // calls of the layout step running (a resize may nest one)

// The main window's load has ended when the wait starts; this bounds the wait for a show
// that the load left to a posted message.
constexpr uint32_t MainWindowWaitMs = 2000;

// An option of Game.DAT [Options] into a menu item's check, when the key holds a value.
void ReadOptionCheck(const char* key, MenuOption option) {
    Guard("modFormDesign", "InitiateLayout", [&] {
        std::string value = Trim(mfncGetFromIni(DatPath + GameDat, "Options", key, false, "", ""));
        if (!value.empty()) SetMenuChecked(option, CBool(value));
    });
}

// Moves a child window; a saved size of 0 keeps the window's own size.
void Place(Form& window, int32_t top, int32_t left, int32_t width = 0, int32_t height = 0) {
    window.Move(left, top, width > 0 ? width : -1, height > 0 ? height : -1);
}

void TileHorizontally(frmMainForm& main) {
    HWND client = FindWindowExA(main.hWnd(), nullptr, "MDIClient", nullptr);
    if (client) SendMessageA(client, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void ApplyLayout() {
    frmMainForm& main = frmMain();
    main.Load();  // the main window's load shows it
    main.picSpace.SetVisible(MenuChecked(MenuOption::LocationScanner));
    main.ArrangeControls();
    if (MenuChecked(MenuOption::GameInformation)) frmGame().Show();
    if (GameTop != 0 || GameLeft != 0) Place(frmGame(), GameTop, GameLeft);
    if (MapTop != 0 || MapLeft != 0 || MapWidth != 0 || MapHeight != 0) {
        Place(frmMapDisp(), MapTop, MapLeft, MapWidth, MapHeight);
    }
    if (ChatTop != 0 || ChatLeft != 0 || ChatWidth != 0 || ChatHeight != 0) {
        Place(frmChatBar(), ChatTop, ChatLeft, ChatWidth, ChatHeight);
        if (Splitter != 0) frmChatBar().SetSplitter(Splitter);
    }
    if (MenuChecked(MenuOption::AutoTileWindows)) TileHorizontally(main);
}

}  // namespace

void InitiateLayout() {
    const ScopedCount depth(g_depth);
    Guard("modFormDesign", "InitiateLayout", [&] {
        if (!g_settingsRead) {
            // Only the first call reads: a resize must not undo what the user changed since.
            g_settingsRead = true;
            LoadWindowLayout();
            LoadCommandButtons();
            ReadOptionCheck("GameInfo", MenuOption::GameInformation);
            ReadOptionCheck("Scanner", MenuOption::LocationScanner);
            ReadOptionCheck("AutoTile", MenuOption::AutoTileWindows);
        }
        ApplyLayout();
        // A call nested in another one (the main window resized while its load runs inside
        // the first call) only lays out: the outer call waits and starts the renderer.
        if (g_depth > 1) return;

        // The wait is for the renderer's start: a later call (a resize, also the one of a window
        // being hidden on its way out) has nothing to wait for.
        if (g_preloaded) return;
        // Wait for the main window, but not for one whose load ended without showing it.
        frmMainForm& main = frmMain();
        PumpUntil([&] { return !main.IsLoaded() || IsWindowVisible(main.Handle()); }, MainWindowWaitMs);
        g_preloaded = true;  // set first: the renderer runs once, whatever it does
        // A renderer that cannot start ends the program at once (its box said why).
        if (!PreLoadDirectX()) EndProgram(0);
    });
}

bool LayoutPreloaded() { return g_preloaded; }

void RestartLayout() {
    g_settingsRead = false;
    g_preloaded = false;
}

}  // namespace skx
