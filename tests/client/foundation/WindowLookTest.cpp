#include <gtest/gtest.h>

#include <windows.h>

#include "SelfRun.h"
#include "WinTestSupport.h"
#include "WindowLook.h"
#include "runtime/Form.h"

using namespace skx;

namespace {

std::string g_osName;
std::string TestOsName() { return g_osName; }

// Puts the system name the look decides by for one test, and the class style back after it
// (every form shares one window class).
class LookOs {
public:
    explicit LookOs(const char* name) {
        g_osName = name;
        SetOsNameSource(&TestOsName);
    }
    ~LookOs() { SetOsNameSource(nullptr); }
};

class LookDialog : public Form {
public:
    LookDialog() : Form("frmLookDialog", FormKind::Dialog) {}

protected:
    void OnLoad() override { DialogLookOnLoad(Handle()); }
    void OnActivate(bool active) override { DialogLookOnActivate(Handle(), active); }
};

class OtherWindow : public Form {
public:
    OtherWindow() : Form("frmLookOther") {}
};

bool Layered(HWND h) { return (GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

int AlphaOf(HWND h) {
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if (!GetLayeredWindowAttributes(h, &key, &alpha, &flags)) return -1;
    return (flags & LWA_ALPHA) ? alpha : -1;
}

struct ClassStyleKeeper {
    HWND h;
    ULONG_PTR style;
    explicit ClassStyleKeeper(HWND hwnd) : h(hwnd), style(GetClassLongPtrA(hwnd, GCL_STYLE)) {}
    ~ClassStyleKeeper() { SetClassLongPtrA(h, GCL_STYLE, static_cast<LONG_PTR>(style)); }
};

}  // namespace

TEST(WindowLook, WindowsXpGetsTheShadowAndNeverTranslucency) {
    LookOs os("Windows XP");
    OtherWindow& w = TheForm<OtherWindow>();
    ClassStyleKeeper keep(w.hWnd());
    SetClassLongPtrA(w.Handle(), GCL_STYLE, static_cast<LONG_PTR>(keep.style & ~static_cast<ULONG_PTR>(CS_DROPSHADOW)));
    DropShadow(w.Handle());
    EXPECT_TRUE(GetClassLongPtrA(w.Handle(), GCL_STYLE) & CS_DROPSHADOW);
    EXPECT_EQ(MakeTransparent(w.Handle(), 90), 0);
    EXPECT_FALSE(Layered(w.Handle()));
    w.Unload();
}

TEST(WindowLook, Windows2000GetsTranslucencyAndNoShadow) {
    LookOs os("Windows 2000");
    OtherWindow& w = TheForm<OtherWindow>();
    ClassStyleKeeper keep(w.hWnd());
    SetClassLongPtrA(w.Handle(), GCL_STYLE, static_cast<LONG_PTR>(keep.style & ~static_cast<ULONG_PTR>(CS_DROPSHADOW)));
    DropShadow(w.Handle());
    EXPECT_FALSE(GetClassLongPtrA(w.Handle(), GCL_STYLE) & CS_DROPSHADOW);
    w.Show();
    EXPECT_EQ(MakeTransparent(w.Handle(), 90), 0);
    EXPECT_TRUE(Layered(w.Handle()));
    EXPECT_EQ(AlphaOf(w.Handle()), 90);
    EXPECT_EQ(MakeTransparent(w.Handle(), 0), 0);
    EXPECT_EQ(AlphaOf(w.Handle()), 0);
    EXPECT_EQ(MakeOpaque(w.Handle()), 0);
    EXPECT_FALSE(Layered(w.Handle()));
    // Out of range: nothing changes.
    EXPECT_EQ(MakeTransparent(w.Handle(), 256), 1);
    EXPECT_EQ(MakeTransparent(w.Handle(), -1), 1);
    EXPECT_FALSE(Layered(w.Handle()));
    w.Unload();
}

TEST(WindowLook, OtherSystemsGetNeither) {
    LookOs os("Windows 98");
    OtherWindow& w = TheForm<OtherWindow>();
    ClassStyleKeeper keep(w.hWnd());
    SetClassLongPtrA(w.Handle(), GCL_STYLE, static_cast<LONG_PTR>(keep.style & ~static_cast<ULONG_PTR>(CS_DROPSHADOW)));
    DropShadow(w.Handle());
    EXPECT_FALSE(GetClassLongPtrA(w.Handle(), GCL_STYLE) & CS_DROPSHADOW);
    EXPECT_EQ(MakeTransparent(w.Handle(), 256), 0);  // not even the range check
    EXPECT_EQ(MakeTransparent(w.Handle(), 90), 0);
    EXPECT_FALSE(Layered(w.Handle()));
    w.Unload();
}

TEST(WindowLook, InactiveDialogTurnsTranslucentOnWindows2000) {
    LookOs os("Windows 2000");
    LookDialog& dlg = TheForm<LookDialog>();
    OtherWindow& other = TheForm<OtherWindow>();
    other.Show();
    dlg.Show();
    SetActiveWindow(dlg.Handle());
    EXPECT_TRUE(testsupport::PumpUntil([&] { return GetActiveWindow() == dlg.Handle(); }, 2000));
    EXPECT_FALSE(Layered(dlg.Handle()));
    SetActiveWindow(other.Handle());
    EXPECT_TRUE(testsupport::PumpUntil([&] { return Layered(dlg.Handle()); }, 2000));
    EXPECT_EQ(AlphaOf(dlg.Handle()), InactiveDialogAlpha);
    SetActiveWindow(dlg.Handle());
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !Layered(dlg.Handle()); }, 2000));
    dlg.Unload();
    other.Unload();
}

TEST(WindowLook, NameComesFromTheSystemDescription) {
    // Without another source the look asks the operating-system description.
    std::string name = LookOsName();
    EXPECT_FALSE(name.empty());
    EXPECT_NE(name, "Unknown OS Version");
}

// Run as a child program by the test below, under a Wine version chosen for it: prints the
// name the window look decides by.
TEST(WindowLookChild, DISABLED_PrintOsName) { printf("LOOK-OS[%s]\n", LookOsName().c_str()); }

namespace {
// Runs this test program under another name with the Windows version Wine reports to it.
std::string OsNameUnderWineVersion(const std::string& version) {
    testsupport::ScratchDir dir("looktest");
    std::string exe = dir.File("looktest_" + version + ".exe");
    if (!CopyFileA(selfrun::ThisProgram().c_str(), exe.c_str(), FALSE)) return "copy failed";
    std::string appKey = "Software\\Wine\\AppDefaults\\looktest_" + version + ".exe";
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, appKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return "registry failed";
    }
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                   static_cast<DWORD>(version.size() + 1));
    RegCloseKey(key);
    int code = 0;
    std::string text = selfrun::Run(exe, "--gtest_also_run_disabled_tests --gtest_filter=WindowLookChild.*",
                                    dir.Path(), code);
    testsupport::RegDeleteTree(HKEY_CURRENT_USER, appKey);
    size_t at = text.find("LOOK-OS[");
    if (at == std::string::npos) return "no answer";
    size_t end = text.find(']', at);
    return text.substr(at + 8, end - at - 8);
}
}  // namespace

TEST(WindowLook, WineVersionDecidesTheLook) {
    EXPECT_EQ(OsNameUnderWineVersion("winxp"), "Windows XP");
    EXPECT_EQ(OsNameUnderWineVersion("win2k"), "Windows 2000");
}
