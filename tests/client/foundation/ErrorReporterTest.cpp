#include <gtest/gtest.h>
#include <windows.h>

#include <regex>
#include <string>
#include <vector>

#include "D3DXErrorString.h"
#include "ErrorReportText.h"
#include "ErrorReporter.h"
#include "ReferenceCipher.h"
#include "WinTestSupport.h"
#include "clsCrypto.h"
#include "runtime/App.h"
#include "runtime/ErrorGuard.h"
#include "runtime/Form.h"

using namespace skx;

namespace {

const std::string kRule = "'" + std::string(70, '-');

struct Box {
    std::string text, title;
    int32_t style;
    bool fileExisted;
};

std::string g_account;
bool g_showErrors = false;
std::vector<Box> g_boxes;
void (*g_inBox)() = nullptr;

std::string PathFromBoxText(const std::string& text) {
    const auto last = text.rfind("\r\n");
    return last == std::string::npos ? text : text.substr(last + 2);
}

int32_t RecordBox(const std::string& text, int32_t style, const std::string& title) {
    g_boxes.push_back({text, title, style, testsupport::FileExists(PathFromBoxText(text))});
    if (g_inBox) g_inBox();
    return 1;
}

std::vector<std::string> FilesLike(const std::string& pattern) {
    std::vector<std::string> out;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((App::Path() + "\\" + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do out.push_back(App::Path() + "\\" + fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return out;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        const auto at = text.find("\r\n", start);
        if (at == std::string::npos) {
            out.push_back(text.substr(start));
            return out;
        }
        out.push_back(text.substr(start, at - start));
        start = at + 2;
    }
}

// The report file deciphered with the wrapper; the independent decoder must agree.
std::string Decipher(const std::string& path) {
    const auto bytes = testsupport::ReadFileBytes(path);
    if (!bytes) return "<missing>";
    clsCrypto c;
    c.SetPassword(kLogPassword);
    if (!c.GeneratePasswordKey()) return "<no key>";
    c.SetInBuffer(*bytes);
    if (!c.DecryptFileData()) return "<not enciphered>";
    EXPECT_EQ(reference::DecipherReport(kLogPassword, *bytes).value_or("<reference failed>"), c.OutBuffer());
    return c.OutBuffer();
}

class TestWindow : public Form {
public:
    explicit TestWindow(const char* name) : Form(name) {}
};

// Every test reports as an account whose name starts "skxrep" and removes its files.
class ErrorReporterTest : public testing::Test {
protected:
    void SetUp() override {
        oldHook_ = GetReportErrorHook();
        oldPeers_ = GetErrorReporterPeers();
        InstallErrorReporter();
        ErrorReporterPeers peers;
        peers.AccountName = [] { return g_account; };
        peers.ShowErrors = [] { return g_showErrors; };
        peers.ShowBox = &RecordBox;
        SetErrorReporterPeers(peers);
        ResetLastReportedError();
        g_account = "skxrep";
        g_showErrors = false;
        g_boxes.clear();
        g_inBox = nullptr;
        RemoveReports();
    }
    void TearDown() override {
        RemoveReports();
        SetErrorReporterPeers(oldPeers_);
        SetReportErrorHook(oldHook_);
        ResetLastReportedError();
        SetD3DXErrorStringSource(nullptr);
    }
    static void RemoveReports() {
        for (const std::string& f : FilesLike("skxrep*.log")) {
            SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(f.c_str());
        }
        for (const std::string& f : FilesLike("-*.log")) DeleteFileA(f.c_str());
        for (const std::string& f : FilesLike("skx*.tmp")) DeleteFileA(f.c_str());
    }
    static std::string OnlyReport(const std::string& pattern = "skxrep*.log") {
        const auto files = FilesLike(pattern);
        EXPECT_EQ(files.size(), 1u) << pattern;
        return files.empty() ? std::string() : files[0];
    }
    static void Fail(const char* module, const char* proc, int32_t number, int line = 0,
                     const std::string& details = {}) {
        ProcLine l;
        Guard(module, proc, [&] {
            l.Line = line;
            Raise(number);
        }, &l, details);
    }

    ReportErrorHook oldHook_ = nullptr;
    ErrorReporterPeers oldPeers_;
};

std::string ExpectedOsLine() {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(&v);
    std::string name;
    if (v.dwMajorVersion == 5 && v.dwMinorVersion <= 2)
        name = v.dwMinorVersion == 0 ? "Windows 2000" : v.dwMinorVersion == 1 ? "Windows XP" : "Windows .NET";
    else
        name = "Unknown OS Version " + std::to_string(v.dwMajorVersion) + "." + std::to_string(v.dwMinorVersion);
    return "Operating System: \t" + name + " v" + std::to_string(v.dwMajorVersion) + "." +
           std::to_string(v.dwMinorVersion) + ", Build " + std::to_string(v.dwBuildNumber);
}

}  // namespace

TEST_F(ErrorReporterTest, GuardedFailureWritesAnEncipheredReportLaidOutLineByLine) {
    TestWindow a("frmReportOne"), b("frmReportTwo");
    a.Load();
    b.Load();
    SYSTEMTIME before{};
    GetLocalTime(&before);
    Fail("modTest", "FailingProc", errObjectNotSet, 20);
    const std::string path = OnlyReport();
    ASSERT_FALSE(path.empty());

    // Name: account, "-", the time stamp's numbers without leading zeros, ".log".
    const std::string name = path.substr(App::Path().size() + 1);
    EXPECT_TRUE(std::regex_match(name, std::regex("skxrep-" + std::to_string(before.wYear) +
                                                  "[1-9][0-9]?[1-9][0-9]?[0-9]{1,2}[0-9]{1,2}[0-9]{1,2}\\.log")))
        << name;

    // The file on disk is no plain text.
    EXPECT_EQ(testsupport::ReadFileBytes(path)->find("Error in"), std::string::npos);
    const std::vector<std::string> l = Lines(Decipher(path));
    ASSERT_GE(l.size(), 30u);
    size_t i = 0;
    EXPECT_EQ(l[i++], "");
    EXPECT_EQ(l[i++], kRule);
    EXPECT_EQ(l[i++], "Error in: \t" + App::Title());
    EXPECT_TRUE(std::regex_match(l[i], std::regex("Time: \t[A-Z][a-z]+day [A-Z][a-z]{2} [0-9]{2},[0-9]{4} @ "
                                                  "[0-2][0-9]:[0-5][0-9]:[0-5][0-9]")))
        << l[i];
    ++i;
    EXPECT_EQ(l[i++], "Version: \t" + std::to_string(App::Major()) + "." + std::to_string(App::Minor()) + "." +
                          std::to_string(App::Revision()) + App::Comments());
    EXPECT_TRUE(l[i].rfind("File Time: \t", 0) == 0 && l[i].size() > 14) << l[i];
    ++i;
    EXPECT_EQ(l[i++], "Program Path: \t" + App::Path() + "\\" + App::EXEName());
    EXPECT_EQ(l[i++], ExpectedOsLine());
    EXPECT_TRUE(l[i].rfind("CSD Version: \t", 0) == 0) << l[i];
    ++i;
    const std::string size = "[0-9]+(\\.[0-9]+)?[KMGT]?";
    EXPECT_TRUE(std::regex_match(l[i], std::regex("Virtual Memory: \t" + size + " \\(Total: " + size + "\\)"))) << l[i];
    ++i;
    EXPECT_TRUE(std::regex_match(l[i], std::regex("Used Virtual Memory: \t" + size))) << l[i];
    ++i;
    EXPECT_TRUE(std::regex_match(l[i], std::regex("Physical Memory: \t" + size + " \\(Total: " + size + "\\)"))) << l[i];
    ++i;
    EXPECT_TRUE(std::regex_match(l[i], std::regex("Used Physical Memory: \t" + size))) << l[i];
    ++i;
    EXPECT_EQ(l[i++], "Module: \tmodTest");
    EXPECT_EQ(l[i++], "Procedure: \tFailingProc");
    EXPECT_EQ(l[i++], "Line Number: \t 20");
    EXPECT_EQ(l[i++], "Error Number: \t 91");
    EXPECT_EQ(l[i++], std::string("Error Category: \t") + kErrorCategory);
    EXPECT_EQ(l[i++], "Error Description: ");
    EXPECT_EQ(l[i++], "Object variable or With block variable not set");
    EXPECT_EQ(l[i++], "DirectX Error: ");
    EXPECT_EQ(l[i++], "");
    EXPECT_EQ(l[i++], kRule);
    EXPECT_EQ(l[i++], kRule);
    EXPECT_EQ(l[i++], "Open Forms:");
    EXPECT_EQ(l[i++], "");
    for (Form* f : LoadedForms()) {
        ASSERT_LT(i, l.size());
        EXPECT_EQ(l[i++], f->Name());
    }
    ASSERT_EQ(l.size(), i + 3);
    EXPECT_EQ(l[i++], kRule);
    EXPECT_EQ(l[i++], "");  // the extra line end after the report
    EXPECT_EQ(l[i++], "");
    a.Unload();
    b.Unload();
}

TEST_F(ErrorReporterTest, DetailsStandBetweenTheRulesUnchanged) {
    Fail("frmGame", "Update", 13, 0, "iCommand:\r\n2\r\n\r\nRawData:\r\nxyz\r\n");
    const std::string text = Decipher(OnlyReport());
    EXPECT_NE(text.find("Line Number: \t 0\r\n"), std::string::npos);
    EXPECT_NE(text.find(kRule + "\r\niCommand:\r\n2\r\n\r\nRawData:\r\nxyz\r\n" + kRule + "\r\nOpen Forms:"),
              std::string::npos);
}

TEST_F(ErrorReporterTest, RepeatOfTheLastErrorIsDroppedAndARunWritesOneFilePerErrorModuleAndProcedure) {
    g_showErrors = true;
    g_account = "skxrepA1";
    Fail("m", "p", 5);
    g_account = "skxrepA2";
    Fail("m", "p", 5);
    EXPECT_EQ(FilesLike("skxrepA1-*.log").size(), 1u);
    EXPECT_EQ(FilesLike("skxrepA2-*.log").size(), 0u);
    g_account = "skxrepB";
    Fail("m", "p", 6);
    // A run writes one file per error number, module and procedure: the second 5 of m's p is
    // counted in a line of the last file instead; a 5 of n's p, once another number came between,
    // has a file of its own.
    g_account = "skxrepC";
    Fail("m", "p", 5);
    EXPECT_EQ(FilesLike("skxrepC-*.log").size(), 0u);
    EXPECT_EQ(g_boxes.size(), 2u);
    EXPECT_NE(Decipher(OnlyReport("skxrepB-*.log")).find("Further errors since this report (not reported in files of their own): 1\r\n"),
              std::string::npos);
    g_account = "skxrepE";
    Fail("n", "p", 5);  // the same number as the last, from another procedure: no report
    EXPECT_EQ(FilesLike("skxrepE-*.log").size(), 0u);
    g_account = "skxrepG";
    Fail("n", "p", 7);
    g_account = "skxrepE";
    Fail("n", "p", 5);
    EXPECT_EQ(FilesLike("skxrepE-*.log").size(), 1u);
    // And at most 10 files a run.
    for (int n = 100; n < 120; ++n) {
        g_account = "skxrepD" + std::to_string(n);
        Fail("m", "p", n);
    }
    EXPECT_EQ(FilesLike("skxrep*.log").size(), 10u);
    EXPECT_EQ(FilesLike("skxrepD119-*.log").size(), 0u);
}

TEST_F(ErrorReporterTest, AFurtherCountNotWrittenYetGoesInBeforeTheNextFile) {
    const auto further = [](const char* account) {
        const std::string text = Decipher(OnlyReport(std::string(account) + "-*.log"));
        const size_t at = text.rfind("): ");
        return at == std::string::npos ? std::string("none") : text.substr(at + 3);
    };
    g_account = "skxrepF1";
    Fail("m", "p", 80);
    g_account = "skxrepF2";
    Fail("m", "p", 81);
    Fail("m", "p", 80);  // counted and written at once
    Fail("m", "p", 81);  // counted, its file rewritten at most once a second
    g_account = "skxrepF3";
    Fail("m", "p", 82);
    EXPECT_EQ(further("skxrepF2"), "2\r\n\r\n");
}

TEST_F(ErrorReporterTest, BoxOnlyWithShowErrorsAndBeforeTheFile) {
    Fail("m", "p", 11);
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_NE(Decipher(OnlyReport()), "<not enciphered>");
    RemoveReports();

    g_showErrors = true;
    Fail("m", "p", errObjectNotSet);
    ASSERT_EQ(g_boxes.size(), 1u);
    const Box& box = g_boxes[0];
    EXPECT_EQ(box.style, 22);
    EXPECT_EQ(box.title, "Client Error: ( 91) Object variable or With block variable not set");
    const std::string path = OnlyReport();
    const std::vector<std::string> l = Lines(box.text);
    ASSERT_EQ(l.size(), 7u);
    EXPECT_EQ(l[0], "Skirmora Client:");
    EXPECT_EQ(l[1], "");
    EXPECT_EQ(l[2], "A report of the error has been generated and placed in your installation folder.");
    EXPECT_EQ(l[3], "Please send the following file to the Administration at the following");
    EXPECT_EQ(l[4], kReportContact);
    EXPECT_EQ(l[5], "");
    EXPECT_EQ(l[6], path);
    EXPECT_FALSE(box.fileExisted);
}

TEST_F(ErrorReporterTest, TwoReportsInOneSecondShareTheFileAndTheLaterWins) {
    // Start early in a second so that both reports fall into it.
    ASSERT_TRUE(testsupport::PumpUntil([] {
        SYSTEMTIME t;
        GetLocalTime(&t);
        return t.wMilliseconds < 300;
    }, 3000));
    Fail("m", "first", 52);
    Fail("m", "second", 53);
    const std::string text = Decipher(OnlyReport());
    EXPECT_NE(text.find("Procedure: \tsecond"), std::string::npos);
    EXPECT_EQ(text.find("Procedure: \tfirst"), std::string::npos);
}

TEST_F(ErrorReporterTest, FileNameIsCleanedAndEmptyBeforeLogin) {
    g_account = std::string("skxrep\\a/b:c*d?e\"f<g>h|i\tj\x01k");
    Fail("m", "p", 61);
    const std::string path = OnlyReport("skxrep_a_b_c_d_e_f_g_h_i_j_k-*.log");
    EXPECT_NE(Decipher(path), "<missing>");
    RemoveReports();

    g_account.clear();
    Fail("m", "p", 62);
    EXPECT_FALSE(OnlyReport("-*.log").empty());
}

TEST_F(ErrorReporterTest, NativeFaultIsNamedAfterTheFault) {
    g_showErrors = true;
    Guard("frmMain", "DXTimer_Timer", [] { Raise(errNativeFault, "ExceptionHandler", "Access Violation"); });
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].title, "Client Error: ( 10000) Access Violation");
    const std::vector<std::string> l = Lines(Decipher(OnlyReport()));
    bool found = false;
    for (size_t i = 0; i + 1 < l.size(); ++i)
        if (l[i] == "Error Description: ") {
            EXPECT_EQ(l[i + 1], "Access Violation");
            found = true;
        }
    EXPECT_TRUE(found);
}

TEST_F(ErrorReporterTest, DirectXModuleAlsoGetsTheExtensionLibraryText) {
    const int32_t invalidCall = static_cast<int32_t>(0x8876086Cu);
    SetD3DXErrorStringSource([](int32_t) -> std::optional<std::string> { return std::string("D3DERR_INVALIDCALL"); });
    Fail("modDirectX8", "Render", invalidCall);
    std::string text = Decipher(OnlyReport());
    EXPECT_NE(text.find("Error Number: \t-2005530516\r\n"), std::string::npos);
    const auto first = text.find("DirectX Error: \r\nD3DERR_INVALIDCALL\r\nDirectX Error: \r\n");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(text.find("DirectX Error: \r\nThe method call is invalid", first), std::string::npos);
    RemoveReports();

    // Other modules get only the Direct3D sentence.
    Fail("frmMain", "Form_Load", 7);
    text = Decipher(OnlyReport());
    EXPECT_EQ(text.find("D3DERR_INVALIDCALL"), std::string::npos);
    EXPECT_NE(text.find("Error Description: \r\nOut of memory\r\nDirectX Error: \r\n"), std::string::npos);
}

TEST_F(ErrorReporterTest, FailuresInsideTheBoxAreNotReportedAgainAndNestingIsCapped) {
    g_showErrors = true;
    // The box's own failure: not reported again.
    g_inBox = [] { Guard("modMiscFunctionsOne", "CSendMessage", [] { Raise(5); }); };
    Fail("m", "p", 70);
    EXPECT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(FilesLike("skxrep*.log").size(), 1u);
    // A box that throws does not stop the report.
    RemoveReports();
    g_boxes.clear();
    g_inBox = [] { throw std::runtime_error("box broke"); };
    Fail("m", "p", 71);
    EXPECT_EQ(g_boxes.size(), 1u);
    EXPECT_NE(Decipher(OnlyReport()), "<missing>");
    // Errors of other procedures while the box is open are reported, a few deep at most.
    g_boxes.clear();
    g_inBox = [] {
        static int32_t next = 1000;
        ReportError("frmOther", "tmrTick_Timer", 0, ++next, "");
    };
    Fail("m", "p", 72);
    EXPECT_EQ(g_boxes.size(), 3u);
}

TEST_F(ErrorReporterTest, DoEncryptReplacesTheFileOnlyWhenItCan) {
    testsupport::ScratchDir dir("doencrypt");
    const std::string file = dir.File("report.log");
    ASSERT_TRUE(testsupport::WriteFileBytes(file, "plain report\r\n"));
    ASSERT_TRUE(DoEncrypt(file, kLogPassword));
    EXPECT_EQ(reference::DecipherReport(kLogPassword, *testsupport::ReadFileBytes(file)).value_or(""),
              "plain report\r\n");

    // A report that cannot be replaced (held open by a reader that shares no deletion)
    // stays as it was, and no temporary file is left.
    const std::string held = dir.File("held.log");
    ASSERT_TRUE(testsupport::WriteFileBytes(held, "keep me"));
    HANDLE reader = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(DoEncrypt(held, kLogPassword));
    CloseHandle(reader);
    EXPECT_EQ(testsupport::ReadFileBytes(held).value_or(""), "keep me");
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(dir.File("*.tmp").c_str(), &fd);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(ErrorReporterTest, DoEncryptAndConvertValuesReportTheirOwnErrorsOutsideAReport) {
    g_account = "skxrepHelper";
    EXPECT_FALSE(DoEncrypt(App::Path() + "\\no-such-report.log", kLogPassword));
    const std::string text = Decipher(OnlyReport());
    EXPECT_NE(text.find("Module: \tmodMiscFunctionsOne\r\nProcedure: \tDoEncrypt\r\n"), std::string::npos);
    EXPECT_NE(text.find("Error Number: \t 53\r\n"), std::string::npos);
    RemoveReports();
    EXPECT_EQ(ConvertValues("12abc"), "");
    EXPECT_NE(Decipher(OnlyReport()).find("Procedure: \tConvertValues\r\n"), std::string::npos);
}

TEST(ConvertValues, SizesAsTheReportShowsThem) {
    EXPECT_EQ(ConvertValues("0"), "");
    EXPECT_EQ(ConvertValues("512"), "512");
    EXPECT_EQ(ConvertValues("1,000"), "1000");
    EXPECT_EQ(ConvertValues("1000"), "1000");
    EXPECT_EQ(ConvertValues("-5"), "-5");
    EXPECT_EQ(ConvertValues("1001"), "1K");
    EXPECT_EQ(ConvertValues("1048576"), "1.05M");
    EXPECT_EQ(ConvertValues("2147352576"), "2.15G");
    EXPECT_EQ(ConvertValues("999999"), "1000K");
    EXPECT_EQ(ConvertValues("1000000"), "1000K");
    EXPECT_EQ(ConvertValues("1500000"), "1.5M");
    EXPECT_EQ(ConvertValues("12345678"), "12.4M");  // 12.35, then the half to the even 4
    EXPECT_EQ(ConvertValues("123456789"), "123M");
    EXPECT_EQ(ConvertValues("4294967296"), "4.29G");
    EXPECT_EQ(ConvertValues("8000000000000"), "8T");
    // Four whole digits of terabytes keep their whole part.
    EXPECT_EQ(ConvertValues("1234567890123456"), "1235T");
    // Halves go to the even neighbour.
    EXPECT_EQ(ConvertValuesWith("1125", "."), "1.12K");
    EXPECT_EQ(ConvertValuesWith("1135", "."), "1.14K");
    EXPECT_EQ(ConvertValuesWith("1048576", ","), "1,05M");
}
