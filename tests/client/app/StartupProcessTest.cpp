// The client started as a program: first run and agreement window, saved settings, the Dat
// and Map folders, the second instance, and the end through the agreement's Cancel.
#include <gtest/gtest.h>

#include <windows.h>

#include "ClientProcess.h"
#include "HookClient.h"
#include "WinTestSupport.h"
#include "Startup.h"
#include "frmMain.h"

using namespace clienttest;
using testsupport::ScratchDir;

namespace {

constexpr uint32_t StartTimeout = 30000;
constexpr char AgreementTitle[] = "End User License Agreement";

bool FolderExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string IniValue(const std::string& file, const char* section, const char* key) {
    char buf[256] = {};
    GetPrivateProfileStringA(section, key, "<missing>", buf, sizeof buf, file.c_str());
    return buf;
}

class ClientStart : public ::testing::Test {
protected:
    void SetUp() override {
        exe = PrepareProgramFolder(dir.Path());
        key = ClientKeyFor(dir.Path());
        // No tip window in the way unless a test asks for it.
        SetClientValue(key, "Update", "False");
    }
    void TearDown() override {
        client.Kill();
        DeleteClientValue(key, "Initialized");
        DeleteClientValue(key, "Update");
    }
    HWND StartClient(const std::string& options = {}) {
        EXPECT_TRUE(client.Start("\"" + exe + "\"" + options, dir.Path()));
        return WaitForProcessWindow(client.Pid(), skx::MainWindowClass, "Skirmex", StartTimeout);
    }
    // For a client started with the test hook: waits until its start-up has started the frame
    // timer, which it does after a first run's agreement would have been shown.
    bool PastTheAgreement() {
        testsupport::HookClient hook;
        return hook.Attach(client.Pid(), StartTimeout) &&
               hook.WaitForDump("frmMain", [](const std::string& d) { return d.find("timer DXTimer enabled=1") != std::string::npos; },
                                StartTimeout);
    }

    ScratchDir dir{"startup"};
    std::string exe;
    std::string key;
    Process client;
};

TEST_F(ClientStart, SavedSettingsRunShowsNoAgreementAndMakesTheFolders) {
    SetClientValue(key, "Initialized", "False");
    HWND main = StartClient(" --test-hook");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PastTheAgreement());
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(FindProcessWindow(client.Pid(), nullptr, AgreementTitle), nullptr);
    EXPECT_TRUE(FolderExists(dir.File("Dat")));
    EXPECT_TRUE(FolderExists(dir.File("Map")));
    // The title bar's close is refused: the window stays.
    PostMessageA(main, WM_CLOSE, 0, 0);
    // A minimize posted behind it (a thread's posted messages keep their order): once the
    // window is minimized, the close has been handled.
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return IsIconic(main) != FALSE; }, StartTimeout));
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(client.Running());
}

TEST_F(ClientStart, InitializedMustBeExactlyTrue) {
    for (const char* value : {"true", "True ", "TRUE", "1"}) {
        SetClientValue(key, "Initialized", value);
        HWND main = StartClient(" --test-hook");
        ASSERT_NE(main, nullptr) << value;
        ASSERT_TRUE(PastTheAgreement()) << value;
        EXPECT_EQ(FindProcessWindow(client.Pid(), nullptr, AgreementTitle), nullptr) << value;
        EXPECT_TRUE(IsWindowEnabled(main)) << value;
        client.Kill();
    }
}

TEST_F(ClientStart, FirstRunAgreementRefusesCloseAndOkWritesFalse) {
    SetClientValue(key, "Initialized", "True");
    HWND main = StartClient();
    ASSERT_NE(main, nullptr);
    HWND agreement = WaitForProcessWindow(client.Pid(), nullptr, AgreementTitle, StartTimeout);
    ASSERT_NE(agreement, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main));
    // The agreement text file beside the program is shown, not the waiting text.
    HWND text = FindChild(agreement, "RichEdit20A", nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_NE(WindowText(text).find("Skirmora End User License Agreement"), std::string::npos) << WindowText(text);

    PostMessageA(agreement, WM_CLOSE, 0, 0);
    // The Cancel button pushed in by a message posted behind it: once it shows so, the close
    // has been handled. (A minimize would show again a window that the close had hidden.)
    HWND cancel = FindChild(agreement, "Button", "Cancel");
    ASSERT_NE(cancel, nullptr);
    PostMessageA(cancel, BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        DWORD_PTR state = 0;
        return SendMessageTimeoutA(cancel, BM_GETSTATE, 0, 0, SMTO_ABORTIFHUNG, 1000, &state) && (state & BST_PUSHED);
    }, StartTimeout));
    EXPECT_TRUE(IsWindowVisible(agreement));
    EXPECT_EQ(testsupport::RegReadString(HKEY_LOCAL_MACHINE, key, "Initialized").value_or(""), "True");

    HWND ok = FindChild(agreement, "Button", "OK");
    ASSERT_NE(ok, nullptr);
    PostMessageA(ok, BM_CLICK, 0, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return IsWindowEnabled(main) != FALSE; }, 5000));
    EXPECT_FALSE(IsWindowVisible(agreement));
    // Written once the agreement's loop has ended, which may come after the window is enabled.
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] { return testsupport::RegReadString(HKEY_LOCAL_MACHINE, key, "Initialized").value_or("") == "False"; },
        StartTimeout));
    EXPECT_TRUE(client.Running());
}

TEST_F(ClientStart, FirstRunCancelEndsWithTheSettingsSaved) {
    SetClientValue(key, "Initialized", "True");
    // A reinstall over an old Dat folder: what the first-run table does not set survives.
    CreateDirectoryA(dir.File("Dat").c_str(), nullptr);
    std::string gameDat = dir.File("Dat\\Game.DAT");
    WritePrivateProfileStringA("Signature", "String", "old signature", gameDat.c_str());
    WritePrivateProfileStringA("Notes", "Last", "42", gameDat.c_str());
    WritePrivateProfileStringA("Settings", "LeftClick", "LOOK", gameDat.c_str());
    WritePrivateProfileStringA("LASTSETTINGS", "Map", "  Harbour  ", gameDat.c_str());
    WritePrivateProfileStringA("File", "Hunt", "hunt.mid", dir.File("Dat\\GameMusic.DAT").c_str());

    HWND main = StartClient();
    ASSERT_NE(main, nullptr);
    HWND agreement = WaitForProcessWindow(client.Pid(), nullptr, AgreementTitle, StartTimeout);
    ASSERT_NE(agreement, nullptr);
    HWND cancel = FindChild(agreement, "Button", "Cancel");
    ASSERT_NE(cancel, nullptr);
    PostMessageA(cancel, BM_CLICK, 0, 0);
    DWORD code = 1234;
    ASSERT_TRUE(client.Wait(15000, &code));
    EXPECT_EQ(code, 0u);

    // The first-run defaults reached Game.DAT at shut-down.
    EXPECT_EQ(IniValue(gameDat, "Colours", "Plan"), "Green");
    EXPECT_EQ(IniValue(gameDat, "Colours", "Announce"), "Turquoise");
    EXPECT_EQ(IniValue(gameDat, "Options", "AutoChat"), "True");
    EXPECT_EQ(IniValue(gameDat, "Options", "KeyPad"), "False");
    EXPECT_EQ(IniValue(gameDat, "Settings", "FontType"), "MS Sans Serif");
    EXPECT_EQ(IniValue(gameDat, "Settings", "FontSize"), "10");
    EXPECT_EQ(IniValue(gameDat, "Signature", "String"), "old signature");
    EXPECT_EQ(IniValue(gameDat, "Notes", "Last"), "42");
    EXPECT_EQ(IniValue(gameDat, "Settings", "LeftClick"), "LOOK");
    EXPECT_NE(IniValue(dir.File("Dat\\Buttons.DAT"), "Button0", "Name"), "<missing>");
    // The last map and the music slots were read at start-up and went back unchanged.
    EXPECT_EQ(IniValue(gameDat, "LASTSETTINGS", "Map"), "Harbour");
    EXPECT_EQ(IniValue(dir.File("Dat\\GameMusic.DAT"), "File", "Hunt"), "hunt.mid");
    EXPECT_EQ(IniValue(dir.File("Dat\\GameMusic.DAT"), "File", "Survival"), "<none>");
    // Cancel does not accept the agreement.
    EXPECT_EQ(testsupport::RegReadString(HKEY_LOCAL_MACHINE, key, "Initialized").value_or(""), "True");
}

TEST_F(ClientStart, SecondInstanceShowsTheBoxAndEndsWithoutTouchingDat) {
    SetClientValue(key, "Initialized", "False");
    EXPECT_FALSE(skx::Program_Running());
    HWND main = StartClient();
    ASSERT_NE(main, nullptr);
    // Another process's main window counts as a running client.
    EXPECT_TRUE(skx::Program_Running());

    ScratchDir second("startup-second");
    std::string secondExe = PrepareProgramFolder(second.Path());
    Process other;
    ASSERT_TRUE(other.Start("\"" + secondExe + "\"", second.Path()));
    HWND box = WaitForProcessWindow(other.Pid(), nullptr, "Instance Detection Error", StartTimeout);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(FindProcessWindow(other.Pid(), skx::MainWindowClass, nullptr), nullptr);
    HWND ok = FindChild(box, "Button", nullptr);
    ASSERT_NE(ok, nullptr);
    PostMessageA(ok, BM_CLICK, 0, 0);
    DWORD code = 1234;
    ASSERT_TRUE(other.Wait(15000, &code));
    EXPECT_FALSE(FolderExists(second.File("Dat")));
    EXPECT_FALSE(FolderExists(second.File("Map")));

    // The first goes on.
    EXPECT_TRUE(client.Running());
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer), 0);
}

}  // namespace
