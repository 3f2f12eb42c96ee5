#include "Startup.h"

#include <windows.h>
#include <objbase.h>

#include "AccessCode.h"
#include "AppLinks.h"
#include "ColourSets.h"
#include "CrashGuard.h"
#include "ErrorReporter.h"
#include "MessageBox.h"
#include "ProgramSettings.h"
#include "ProtocolFrame.h"
#include "Registry.h"
#include "SettingsFiles.h"
#include "Layout.h"
#include "SystemServices.h"
#include "TestHook.h"
#include "frmEULA.h"
#include "frmMain.h"
#include "ArenaModel.h"
#include "Renderer.h"
#include "runtime/App.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/LateBound.h"
#include "runtime/MessagePump.h"

namespace skx {

namespace {

// The instance mutex, kept for the whole run so a later instance sees it.
struct MutexHolder {
    HANDLE handle = nullptr;
    bool existed = false;
    ~MutexHolder() { if (handle) CloseHandle(handle); }
};
MutexHolder& InstanceMutex() {
    static MutexHolder holder;
    return holder;
}

void DefaultEnd(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }
ProgramEndHook g_endHook = &DefaultEnd;

// Every read of the socket control hands the received text over as a string of its own
// length, and OLE Automation keeps freed strings of each length for reuse: over a session of
// reads of ever new lengths that cache only grows, so the program turns it off. (oleaut32
// exports the switch undecorated on every platform, which the 32-bit import library does not.)
void StringCacheOff() {
    using Switch = void(WINAPI*)();
    if (const Switch off = LateBound<Switch>("oleaut32.dll", "SetOaNoCache")) off();
}

// COM for the socket control, for the life of Main.
struct ComApartment {
    bool ok = SUCCEEDED(OleInitialize(nullptr));
    ~ComApartment() { if (ok) OleUninitialize(); }
};

void MakeFolder(const std::string& path) {
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        Raise(errPathNotFound, "AllAboard", "Path not found: " + path);
    }
}

void ApplyFirstRunDefaults() {
    frmMainForm& main = frmMain();
    main.mnuOptionLangFilter.SetChecked(false);
    main.mnuOptionsKeypad.SetChecked(false);
    main.mnuOptionsWASD.SetChecked(false);
    main.mnuOptionSplatIgnore.SetChecked(false);
    main.mnuOptionsScroll.SetChecked(false);
    main.mnuOptionsChat.SetChecked(true);
    MusicOn = true;
    RandomSongs = false;
    SoundOn = true;
    SetColor(ChatColours, "Blue");
    SetColor(TellColours, "Red");
    SetColor(PlanColours, "Green");
    SetColor(AnnounceColours, "Turquoise");
    BoldNames = true;
    Italic = false;
    FontType = "MS Sans Serif";
    FontType2 = "Arial";
    FontSize = 10;
}

}  // namespace

void SetProgramEndHook(ProgramEndHook hook) { g_endHook = hook ? hook : &DefaultEnd; }

void EndProgram(int exitCode) {
    WritePendingErrorCount();
    g_endHook(exitCode);
}

bool Program_Running() {
    bool running = false;
    Guard("modMiscFunctionsTwo", "Program_Running", [&] {
        if (InstanceMutex().existed) {
            running = true;
            return;
        }
        HWND other = FindWindowA(MainWindowClassName(), App::Title().c_str());
        DWORD pid = 0;
        if (other) GetWindowThreadProcessId(other, &pid);
        running = other != nullptr && pid != GetCurrentProcessId();
    });
    return running;
}

int Main() {
    SetAppLinks();
    InstallErrorReporter();
    StringCacheOff();
    ComApartment com;
    bool goOn = false;
    Guard("modMiscFunctionsTwo", "Main", [&] {
        InstallExceptionHandler();
        MutexHolder& mutex = InstanceMutex();
        mutex.handle = CreateMutexA(nullptr, FALSE, InstanceMutexName);
        mutex.existed = mutex.handle != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
        if (Program_Running()) {
            CSendMessage(InstanceDetectionText, 6, InstanceDetectionTitle, 0, true, true, -1, "Tahoma", nullptr);
            return;
        }
        goOn = true;
    });
    if (goOn && TestHookRequested(GetCommandLineA())) StartTestHook();
    if (!goOn) {
        RemoveExceptionHandler();
        return 0;
    }
    FieldSeparator = std::string(1, '\0');
    FrameEnd = std::string(1, '\x01');
    EnqChar = std::string(1, '\x05');
    FrameStart = std::string(1, '\x1B');
    AllAboard();
    // Without its main window the program could never be ended by its user.
    if (!frmMain().IsLoaded() || frmMain().Released()) {
        RemoveExceptionHandler();
        UnloadAllForms();
        WritePendingErrorCount();
        return 0;
    }
    int code = RunMessageLoop();
    UnloadAllForms();
    RemoveExceptionHandler();
    // The last errors' count, when the report file does not hold it yet.
    WritePendingErrorCount();
    return code;
}

void AllAboard() {
    ProcLine line;
    Guard("modMiscFunctionsOne", "AllAboard", [&] {
        line.Line = 1;
        DatPath = App::Path() + "\\Dat\\";
        MapPath = App::Path() + "\\Map\\";
        // Every settings write goes into these folders; they must exist.
        MakeFolder(DatPath);
        MakeFolder(MapPath);
        AccessCode = GetDriveInformation();
        // Stored values win over these, but every setting starts from its default.
        SetDefaultSettings();
        line.Line = 2;
        InitiateLayout();
        line.Line = 3;
        IsFirstRun();
        line.Line = 4;
        SetupArrays();
        line.Line = 5;
        TileSize = 16;
        line.Line = 6;
        std::string map = Trim(mfncGetFromIni(DatPath + GameDat, "LASTSETTINGS", "Map", false, "", ""));
        if (!map.empty()) MapName = map;
        line.Line = 7;
        frmMain().DXTimer.SetEnabled(true);
        line.Line = 8;
        for (size_t slot = 0; slot < GameMusicKeys.size(); ++slot) {
            GameMusic[slot] = mfncGetFromIni(DatPath + GameMusicDat, "File", GameMusicKeys[slot], false, "<none>", "");
        }
    }, &line);
}

void IsFirstRun() {
    ProcLine line;
    Guard("modMiscFunctionsOne", "IsFirstRun", [&] {
        line.Line = 1;
        RegistryValue value;
        fReadValue(ClientRegistryRoot, ClientRegistryKey(AccessCode), "Initialized", "S", std::string("False"), value);
        const std::string* text = std::get_if<std::string>(&value);
        if (text && *text == "True") {
            line.Line = 2;
            // A reinstall over an existing Dat folder keeps what the first-run table does not set.
            LoadSettings();
            ApplyFirstRunDefaults();
            frmMain().SetEnabled(false);
            frmEULA().Load();
            frmEULA().Show(ShowMode::Modeless, &frmMain());
            LoadHelpFile(frmMain().hWnd());
        } else {
            line.Line = 3;
            LoadSettings();
        }
    }, &line);
}

}  // namespace skx
