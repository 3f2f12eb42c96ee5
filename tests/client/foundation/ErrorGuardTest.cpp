#include <gtest/gtest.h>

#include <vector>

#include "runtime/ErrorGuard.h"

using namespace skx;

namespace {
struct Report {
    std::string module, proc;
    int16_t line;
    int32_t number;
    std::string details, description;
};
std::vector<Report> g_reports;
void Capture(const std::string& m, const std::string& p, int16_t l, int32_t n, const std::string& d) {
    g_reports.push_back({m, p, l, n, d, Err().Description});
}

struct ReporterScope {
    ReportErrorHook old = GetReportErrorHook();
    ReporterScope() { g_reports.clear(); SetReportErrorHook(&Capture); }
    ~ReporterScope() { SetReportErrorHook(old); }
};

int PartialSum(bool fail) {
    int result = 0;
    ProcLine line;
    Guard("modTest", "PartialSum", [&] {
        line.Line = 10;
        result = 5;
        line.Line = 20;
        if (fail) Raise(errDivisionByZero);
        result = 9;
    }, &line);
    return result;
}
}  // namespace

TEST(ErrorGuard, FailingProcedureReportsOnceAndReturnsPartialResult) {
    ReporterScope scope;
    EXPECT_EQ(PartialSum(false), 9);
    EXPECT_TRUE(g_reports.empty());
    EXPECT_EQ(PartialSum(true), 5);
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0].module, "modTest");
    EXPECT_EQ(g_reports[0].proc, "PartialSum");
    EXPECT_EQ(g_reports[0].line, 20);
    EXPECT_EQ(g_reports[0].number, 11);
    EXPECT_EQ(g_reports[0].description, "Division by zero");
}

TEST(ErrorGuard, CppExceptionsBecomeRunTimeErrors) {
    ReporterScope scope;
    Guard("m", "p", [] { throw std::out_of_range("x"); });
    Guard("m", "q", [] { throw 42; });
    Guard("m", "r", [] { Raise(380, "src", "custom text"); }, nullptr, "details\r\n");
    ASSERT_EQ(g_reports.size(), 3u);
    EXPECT_EQ(g_reports[0].number, 9);
    EXPECT_EQ(g_reports[1].number, 51);
    EXPECT_EQ(g_reports[2].number, 380);
    EXPECT_EQ(g_reports[2].description, "custom text");
    EXPECT_EQ(g_reports[2].details, "details\r\n");
    EXPECT_EQ(Err().Source, "src");
}

TEST(ErrorGuard, ReporterThatFailsIsNotReportedAgain) {
    static int calls = 0;
    calls = 0;
    ReportErrorHook old = GetReportErrorHook();
    SetReportErrorHook([](const std::string&, const std::string&, int16_t, int32_t, const std::string&) {
        ++calls;
        // The reporter's own helpers fail and report again; the nesting is capped.
        Guard("rep", "helper", [] { Raise(5); });
        throw 1;
    });
    Guard("m", "p", [] { Raise(7); });
    SetReportErrorHook(old);
    EXPECT_EQ(calls, 3);
}
