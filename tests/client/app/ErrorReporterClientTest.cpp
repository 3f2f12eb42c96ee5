// The reporter with the client's own peers: the settings' account name, the main window's
// Show Errors item and the client's message box.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "../foundation/BoxDriver.h"
#include "ErrorReporter.h"
#include "ProgramSettings.h"
#include "WinTestSupport.h"
#include "frmMain.h"
#include "runtime/App.h"
#include "runtime/ErrorGuard.h"

using namespace skx;

namespace {

std::vector<std::string> ReportsOf(const std::string& account) {
    std::vector<std::string> out;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((App::Path() + "\\" + account + "-*.log").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do out.push_back(App::Path() + "\\" + fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return out;
}

void RemoveReportsOf(const std::string& account) {
    for (const std::string& f : ReportsOf(account)) DeleteFileA(f.c_str());
}

struct ClientPeersScope {
    ReportErrorHook oldHook = GetReportErrorHook();
    ErrorReporterPeers oldPeers = GetErrorReporterPeers();
    std::string oldUser = Username;
    bool oldShow = frmMain().mnuOptionsShowErrors.Checked();
    ClientPeersScope() {
        InstallErrorReporter();
        SetErrorReporterPeers(ClientErrorReporterPeers());
        ResetLastReportedError();
    }
    ~ClientPeersScope() {
        Username = oldUser;
        frmMain().mnuOptionsShowErrors.SetChecked(oldShow);
        SetErrorReporterPeers(oldPeers);
        SetReportErrorHook(oldHook);
        ResetLastReportedError();
    }
};

}  // namespace

TEST(ErrorReporterClient, AccountNameAndNoBoxWhileShowErrorsIsOff) {
    ClientPeersScope scope;
    Username = "skxrepClientA";
    frmMain().mnuOptionsShowErrors.SetChecked(false);
    Guard("modTest", "Quiet", [] { Raise(errPathNotFound); });
    EXPECT_EQ(ReportsOf("skxrepClientA").size(), 1u);
    RemoveReportsOf("skxrepClientA");
}

TEST(ErrorReporterClient, ShowErrorsShowsTheClientBoxBeforeTheFileIsWritten) {
    ClientPeersScope scope;
    Username = "skxrepClientB";
    frmMain().mnuOptionsShowErrors.SetChecked(true);
    bool sawBox = false;
    bool fileWhileOpen = true;
    std::string text;
    const std::string title = "Client Error: ( 76) Path not found";
    boxtest::Driver d({[&] {
        skx::frmMsgBox* box = boxtest::FindBox(title);
        if (!box || !IsWindowVisible(box->Handle())) return false;
        sawBox = true;
        fileWhileOpen = !ReportsOf("skxrepClientB").empty();
        SendMessageA(box->Handle(), WM_CLOSE, 0, 0);
        return true;
    }});
    Guard("modTest", "Loud", [] { Raise(errPathNotFound); });
    EXPECT_FALSE(d.TimedOut());
    EXPECT_TRUE(sawBox);
    EXPECT_FALSE(fileWhileOpen);
    EXPECT_EQ(ReportsOf("skxrepClientB").size(), 1u);
    RemoveReportsOf("skxrepClientB");
}
