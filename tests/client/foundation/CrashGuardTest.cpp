#include <gtest/gtest.h>

#include <windows.h>

#include <float.h>

#include <string>
#include <vector>

#include "CrashGuard.h"
#include "WinTestSupport.h"
#include "runtime/ErrorGuard.h"
#include "runtime/Form.h"
#include "runtime/FormTimer.h"
#include "runtime/StackGuard.h"

using namespace skx;

namespace {

struct Report {
    std::string module, proc;
    int32_t number;
    std::string source, description;
};
std::vector<Report> g_reports;
void Capture(const std::string& m, const std::string& p, int16_t, int32_t n, const std::string&) {
    g_reports.push_back({m, p, n, Err().Source, Err().Description});
}

// Real faults, out of the optimiser's sight.
int* volatile g_badPointer = nullptr;
volatile int g_zero = 0;
volatile bool g_stopRecursion = false;
volatile int g_sink = 0;
volatile double g_doubleZero = 0.0;
volatile double g_doubleSink = 0.0;

__attribute__((noinline)) void AccessViolation() { *g_badPointer = 1; }
__attribute__((noinline)) void DivideByZero() { g_sink = 100 / g_zero; }
__attribute__((noinline)) int Recurse(int depth) {
    volatile char pad[200];
    pad[depth % 200] = static_cast<char>(depth);
    if (g_stopRecursion) return pad[0];
    return Recurse(depth + 1) + pad[depth % 200];
}

void Fault(int kind) {
    switch (kind) {
        case 1: AccessViolation(); break;
        case 2: DivideByZero(); break;
        case 3: Recurse(0); break;
        default: break;
    }
}

LONG WINAPI EarlierFilter(EXCEPTION_POINTERS*) { return EXCEPTION_CONTINUE_SEARCH; }
LONG WINAPI ProbeFilter(EXCEPTION_POINTERS*) { return EXCEPTION_CONTINUE_SEARCH; }

LPTOP_LEVEL_EXCEPTION_FILTER CurrentFilter() {
    LPTOP_LEVEL_EXCEPTION_FILTER current = SetUnhandledExceptionFilter(&ProbeFilter);
    SetUnhandledExceptionFilter(current);
    return current;
}

// The crash guard installed and the reports captured for the length of a test.
class CrashGuardTest : public testing::Test {
protected:
    void SetUp() override {
        g_reports.clear();
        oldHook_ = GetReportErrorHook();
        SetReportErrorHook(&Capture);
        InstallExceptionHandler();
    }
    void TearDown() override {
        RemoveExceptionHandler();
        SetReportErrorHook(oldHook_);
    }
    // Runs the guarded procedure modTest.Proc and says whether it got past the fault.
    bool GuardedFault(int kind, bool* finished) {
        *finished = false;
        return Guard("modTest", "Proc", [&] {
            Fault(kind);
            *finished = true;
        });
    }
    void ExpectOneFaultReport(const char* module, const char* proc, const char* name) {
        ASSERT_EQ(g_reports.size(), 1u);
        EXPECT_EQ(g_reports[0].module, module);
        EXPECT_EQ(g_reports[0].proc, proc);
        EXPECT_EQ(g_reports[0].number, 10000);
        EXPECT_EQ(g_reports[0].source, "ExceptionHandler");
        EXPECT_EQ(g_reports[0].description, name);
        g_reports.clear();
    }

private:
    ReportErrorHook oldHook_ = nullptr;
};

class FaultyForm : public Form {
public:
    FaultyForm() : Form("frmFaulty") {}
    int handled = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_APP) {
            Fault(static_cast<int>(wParam));
            ++handled;
            return 7;
        }
        return Form::WindowProc(msg, wParam, lParam);
    }
};

// Runs one test of this program in a child process; returns its exit code.
DWORD RunChildTest(const std::string& name) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    testsupport::ChildProcess child;
    const std::string command = std::string("\"") + exe +
                                "\" --gtest_also_run_disabled_tests --gtest_filter=CrashGuardChild." + name;
    if (!child.Start(command)) return 1;
    DWORD code = 1;
    if (!child.Wait(60000, &code)) return 2;
    return code;
}

}  // namespace

TEST(CrashGuardNames, TableAndUnknownCodes) {
    EXPECT_EQ(ExceptionName(static_cast<int32_t>(0xC0000005)), "Access Violation");
    EXPECT_EQ(ExceptionName(static_cast<int32_t>(0xC0000094)), "Integer Divide By Zero");
    EXPECT_EQ(ExceptionName(static_cast<int32_t>(0xC00000FD)), "Stack Overflow");
    EXPECT_EQ(ExceptionName(static_cast<int32_t>(0x80000001)), "Guard Page Violation");
    EXPECT_EQ(ExceptionName(static_cast<int32_t>(0xC000013A)), "Control-C Exit");
    EXPECT_EQ(ExceptionName(static_cast<int32_t>(0xC000008E)), "Divide By Zero");
    EXPECT_EQ(ExceptionName(0x1234), "Unknown (&H00001234)");
    EXPECT_EQ(ExceptionName(static_cast<int32_t>(0xE06D7363)), "Unknown (&HE06D7363)");
}

TEST(CrashGuardInstall, TwiceIsOnceAndRemoveRestoresTheEarlierFilter) {
    LPTOP_LEVEL_EXCEPTION_FILTER before = SetUnhandledExceptionFilter(&EarlierFilter);
    InstallExceptionHandler();
    InstallExceptionHandler();
    EXPECT_TRUE(ExceptionHandlerInstalled());
    EXPECT_EQ(CurrentFilter(), &ExceptionFilter);
    RemoveExceptionHandler();
    EXPECT_FALSE(ExceptionHandlerInstalled());
    EXPECT_EQ(CurrentFilter(), &EarlierFilter);
    RemoveExceptionHandler();  // not installed: nothing happens
    EXPECT_EQ(CurrentFilter(), &EarlierFilter);
    SetUnhandledExceptionFilter(before);
}

TEST_F(CrashGuardTest, AccessViolationInGuardedProcedureIsError10000AndTheProgramGoesOn) {
    bool finished = true;
    EXPECT_FALSE(GuardedFault(1, &finished));
    EXPECT_FALSE(finished);
    ExpectOneFaultReport("modTest", "Proc", "Access Violation");
    // The same procedure runs normally afterwards.
    EXPECT_TRUE(GuardedFault(0, &finished));
    EXPECT_TRUE(finished);
    EXPECT_TRUE(g_reports.empty());
    // And faults again, as often as it likes.
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(GuardedFault(1, &finished));
    EXPECT_EQ(g_reports.size(), 5u);
}

TEST_F(CrashGuardTest, IntegerDivideByZeroIsNamed) {
    bool finished = true;
    EXPECT_FALSE(GuardedFault(2, &finished));
    EXPECT_FALSE(finished);
    ExpectOneFaultReport("modTest", "Proc", "Integer Divide By Zero");
}

TEST_F(CrashGuardTest, StackOverflowIsRecoveredAndTheGuardPageRearmed) {
    for (int round = 0; round < 3; ++round) {
        bool finished = true;
        EXPECT_FALSE(GuardedFault(3, &finished));
        EXPECT_FALSE(finished);
        ExpectOneFaultReport("modTest", "Proc", "Stack Overflow");
        EXPECT_TRUE(StackGuardArmed());
    }
}

TEST_F(CrashGuardTest, FloatingPointTrapIsTakenAndTheFloatingPointStateIsThatOfTheProcedure) {
    _clearfp();
    const unsigned int before = _controlfp(0, 0);
    EXPECT_FALSE(Guard("modTest", "Proc", [] {
        _controlfp(_controlfp(0, 0) & ~_EM_ZERODIVIDE, _MCW_EM);  // traps on division by zero
        g_doubleSink = 1.0 / g_doubleZero;
    }));
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0].number, 10000);
    EXPECT_FALSE(g_reports[0].description.empty());
    g_reports.clear();
    // Back as the procedure had it: traps masked, no flag pending.
    EXPECT_EQ(_controlfp(0, 0), before);
    // The status bits share the values of the mask bits.
    EXPECT_EQ(_statusfp() & _EM_ZERODIVIDE, 0u);
    g_doubleSink = 1.0 / g_doubleZero;
    EXPECT_NE(_statusfp() & _EM_ZERODIVIDE, 0u);  // masked: only flagged
    _clearfp();
}

TEST_F(CrashGuardTest, LocalStateOfTheProcedureSurvivesAndNestedGuardsTakeTheirOwn) {
    int reached = 0;
    std::string text = "kept";
    bool outer = Guard("modTest", "Outer", [&] {
        reached = 1;
        bool inner = Guard("modTest", "Inner", [&] {
            reached = 2;
            AccessViolation();
            reached = 99;
        });
        EXPECT_FALSE(inner);
        reached = 3;
        text += " intact";
    });
    EXPECT_TRUE(outer);
    EXPECT_EQ(reached, 3);
    EXPECT_EQ(text, "kept intact");
    ExpectOneFaultReport("modTest", "Inner", "Access Violation");
}

bool g_faultInReporter = false;
void FaultingReporter(const std::string& m, const std::string& p, int16_t l, int32_t n, const std::string& d) {
    if (g_faultInReporter) {
        g_faultInReporter = false;
        AccessViolation();
    }
    Capture(m, p, l, n, d);
}

TEST_F(CrashGuardTest, FaultInsideTheReporterGoesToTheEnclosingGuardAndReportingGoesOn) {
    SetReportErrorHook(&FaultingReporter);
    for (int round = 0; round < 5; ++round) {
        g_faultInReporter = true;
        EXPECT_FALSE(Guard("modTest", "Outer", [] { Guard("modTest", "Inner", [] { Raise(errInvalidProcedureCall); }); }));
        ExpectOneFaultReport("modTest", "Outer", "Access Violation");
    }
    // The abandoned reports left no nesting behind: errors are still reported.
    EXPECT_FALSE(Guard("modTest", "Proc", [] { Raise(errInvalidProcedureCall); }));
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0].number, 5);
    SetReportErrorHook(&Capture);
}

TEST_F(CrashGuardTest, RunTimeErrorsStillReportAsBefore) {
    EXPECT_FALSE(Guard("modTest", "Proc", [] { Raise(errDivisionByZero); }));
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0].number, 11);
    EXPECT_EQ(g_reports[0].description, "Division by zero");
}

TEST_F(CrashGuardTest, RaisedExceptionOfUnknownCodeIsNamedByItsCode) {
    EXPECT_FALSE(Guard("modTest", "Proc", [] { RaiseException(0xE0001234, 0, 0, nullptr); }));
    ExpectOneFaultReport("modTest", "Proc", "Unknown (&HE0001234)");
    // Not continuable: the guard still takes it, for the thread does not go back to it.
    EXPECT_FALSE(Guard("modTest", "Proc", [] { RaiseException(0xC0000005, EXCEPTION_NONCONTINUABLE, 0, nullptr); }));
    ExpectOneFaultReport("modTest", "Proc", "Access Violation");
}

TEST_F(CrashGuardTest, NestedExceptionIsNamedAfterTheInnermostRecord) {
    using RaiseFn = VOID(NTAPI*)(PEXCEPTION_RECORD);
    auto raise = reinterpret_cast<RaiseFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlRaiseException")));
    ASSERT_NE(raise, nullptr);
    EXPECT_FALSE(Guard("modTest", "Proc", [&] {
        EXCEPTION_RECORD inner{};
        inner.ExceptionCode = 0xC0000094;
        EXCEPTION_RECORD outer{};
        outer.ExceptionCode = 0xE0000001;
        outer.ExceptionRecord = &inner;
        raise(&outer);
    }));
    ExpectOneFaultReport("modTest", "Proc", "Integer Divide By Zero");
}

TEST_F(CrashGuardTest, FaultThePlatformHandlesItselfIsNotTaken) {
    int length = -1;
    EXPECT_TRUE(Guard("modTest", "Proc", [&] { length = lstrlenA(reinterpret_cast<LPCSTR>(g_badPointer) + 1); }));
    EXPECT_EQ(length, 0);
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(CrashGuardTest, FaultsInAWindowProcedureAreReportedAndTheNextMessageIsProcessed) {
    FaultyForm form;
    HWND hwnd = form.hWnd();
    ASSERT_NE(hwnd, nullptr);
    const struct {
        int kind;
        const char* name;
    } cases[] = {{1, "Access Violation"}, {2, "Integer Divide By Zero"}, {3, "Stack Overflow"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form.handled = 0;
        // Posted: reaches the procedure through the message loop's dispatch.
        PostMessageA(hwnd, WM_APP, static_cast<WPARAM>(c.kind), 0);
        PostMessageA(hwnd, WM_APP, 0, 0);
        EXPECT_TRUE(testsupport::PumpUntil([&] { return form.handled == 1; }, 5000));
        ExpectOneFaultReport("frmFaulty", "WindowProc", c.name);
        // Sent: the procedure answers 0 for the failed message and goes on.
        EXPECT_EQ(SendMessageA(hwnd, WM_APP, static_cast<WPARAM>(c.kind), 0), 0);
        EXPECT_EQ(SendMessageA(hwnd, WM_APP, 0, 0), 7);
        ExpectOneFaultReport("frmFaulty", "WindowProc", c.name);
    }
    EXPECT_TRUE(form.Unload());
}

TEST_F(CrashGuardTest, FaultsInATimerTickAreReportedAndTheTimerGoesOn) {
    int ticks = 0;
    int kind = 1;
    FormTimer timer("frmTest", "tmrFault", [&] {
        ++ticks;
        const int now = kind;
        kind = kind == 3 ? 0 : kind + 1;
        Fault(now);
    });
    timer.SetInterval(20);
    timer.SetEnabled(true);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return ticks >= 5; }, 10000));
    timer.SetEnabled(false);
    ASSERT_GE(g_reports.size(), 3u);
    const char* names[] = {"Access Violation", "Integer Divide By Zero", "Stack Overflow"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(g_reports[i].module, "frmTest");
        EXPECT_EQ(g_reports[i].proc, "tmrFault_Timer");
        EXPECT_EQ(g_reports[i].number, 10000);
        EXPECT_EQ(g_reports[i].description, names[i]);
    }
}

// The platform's message dispatch keeps faults of timer procedures to itself (the process's
// filter never hears of them); the guard inside the procedure still takes them.
int g_rawTicks = 0;
void CALLBACK RawTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    Guard("modTest", "RawTick", [] {
        if (++g_rawTicks == 1) AccessViolation();
    });
}

TEST_F(CrashGuardTest, FaultsInAPlatformTimerProcedureAreTakenByTheGuardInside) {
    g_rawTicks = 0;
    const UINT_PTR id = SetTimer(nullptr, 0, 10, &RawTimerProc);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(testsupport::PumpUntil([] { return g_rawTicks >= 3; }, 5000));
    KillTimer(nullptr, id);
    ExpectOneFaultReport("modTest", "RawTick", "Access Violation");
}

// Faults the crash guard must leave alone end the process as they would without it; these
// run in a child process started by the tests below. The child's own last-chance filter
// ends it with the fault's code (the platform's default would start a debugger here).
LONG WINAPI EndWithTheFaultCode(EXCEPTION_POINTERS* pointers) {
    TerminateProcess(GetCurrentProcess(), pointers->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

TEST(CrashGuardChild, DISABLED_FaultInGuardWithoutTheCrashGuard) {
    SetUnhandledExceptionFilter(&EndWithTheFaultCode);
    Guard("modTest", "Proc", [] { AccessViolation(); });
    ExitProcess(0);  // not reached when the fault takes its default path
}

TEST(CrashGuardChild, DISABLED_FaultOutsideEveryGuard) {
    SetUnhandledExceptionFilter(&EndWithTheFaultCode);
    InstallExceptionHandler();  // declines and hands the fault to the filter before it
    AccessViolation();
    ExitProcess(0);
}

TEST(CrashGuardChild, DISABLED_FaultAfterRemove) {
    SetUnhandledExceptionFilter(&EndWithTheFaultCode);
    InstallExceptionHandler();
    RemoveExceptionHandler();
    Guard("modTest", "Proc", [] { DivideByZero(); });
    ExitProcess(0);
}

TEST(CrashGuardDefaultPath, FaultsTheGuardDoesNotTakeEndTheProcess) {
    EXPECT_EQ(RunChildTest("DISABLED_FaultInGuardWithoutTheCrashGuard"), 0xC0000005u);
    EXPECT_EQ(RunChildTest("DISABLED_FaultOutsideEveryGuard"), 0xC0000005u);
    EXPECT_EQ(RunChildTest("DISABLED_FaultAfterRemove"), 0xC0000094u);
}
