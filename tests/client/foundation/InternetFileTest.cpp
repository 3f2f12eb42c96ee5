// Downloads from a real HTTP server on the loopback address.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "InternetFile.h"
#include "WinTestSupport.h"

using namespace skx;

namespace {

std::string Pattern(size_t n) {
    const std::string unit = "0123456789abcdefghijklmnopqrstuvwxyz\r\n";
    std::string s;
    while (s.size() < n) s += unit;
    return s.substr(0, n);
}

class InternetFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server_ = new testsupport::ChildProcess;  // lives for the suite
        port_ = testsupport::StartPythonServer(*server_, "tools/httpfiles.py", "");
        ASSERT_NE(port_, 0);
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    std::string Read(const std::string& file) const { return testsupport::ReadFileBytes(file).value_or("<none>"); }

    testsupport::ScratchDir dir_{"download"};
    static uint16_t port_;
    static testsupport::ChildProcess* server_;
};

uint16_t InternetFile::port_ = 0;
testsupport::ChildProcess* InternetFile::server_ = nullptr;

// Starts the download and handles the thread's messages until its result has come back (or 20 s
// have passed): "saved" or "failed" as delivered, else "not started" or "never delivered".
std::string Download(InternetTransfer& inet, const std::string& url, const std::string& file, uint32_t size) {
    std::optional<bool> saved;
    if (!GetInternetFile(inet, url, file, size, [&saved](bool ok) { saved = ok; })) return "not started";
    testsupport::PumpUntil([&] { return saved.has_value(); }, 20000);
    return !saved ? "never delivered" : *saved ? "saved" : "failed";
}

}  // namespace

TEST_F(InternetFile, OkAnswerReplacesTheFile) {
    const std::string file = dir_.File("arena.map");
    ASSERT_TRUE(testsupport::WriteFileBytes(file, "old map"));
    InternetTransfer inet;
    EXPECT_EQ(Download(inet, Url("/file/22500"), file, 22500), "saved");
    EXPECT_EQ(Read(file), Pattern(22500));
    EXPECT_EQ(inet.ResponseCode(), 200);
    EXPECT_FALSE(inet.StillExecuting());
    EXPECT_FALSE(testsupport::FileExists(file + ".download"));
}

TEST_F(InternetFile, OkAnswerCreatesAMissingFile) {
    const std::string file = dir_.File("new.map");
    InternetTransfer inet;
    EXPECT_EQ(Download(inet, Url("/file/10"), file, 10), "saved");
    EXPECT_EQ(Read(file), Pattern(10));
}

TEST_F(InternetFile, EmptyAnswerMakesAnEmptyFile) {
    const std::string file = dir_.File("empty.map");
    ASSERT_TRUE(testsupport::WriteFileBytes(file, "old map"));
    InternetTransfer inet;
    EXPECT_EQ(Download(inet, Url("/empty"), file, 0), "saved");
    EXPECT_EQ(Read(file), "");
}

TEST_F(InternetFile, ErrorStatusKeepsTheOldFile) {
    const std::string file = dir_.File("arena.map");
    ASSERT_TRUE(testsupport::WriteFileBytes(file, "old map"));
    InternetTransfer inet;
    EXPECT_EQ(Download(inet, Url("/missing"), file, 1000), "failed");
    EXPECT_EQ(inet.ResponseCode(), 404);
    EXPECT_EQ(Read(file), "old map");
    // A whole answer of another size than the one expected, shorter or longer.
    EXPECT_EQ(Download(inet, Url("/file/10"), file, 11), "failed");
    EXPECT_EQ(Download(inet, Url("/file/22500"), file, 10), "failed");
    EXPECT_EQ(Read(file), "old map");
    EXPECT_EQ(Download(inet, Url("/error"), file, 1000), "failed");
    EXPECT_EQ(inet.ResponseCode(), 500);
    EXPECT_EQ(Read(file), "old map");
    // No file appears where there was none.
    EXPECT_EQ(Download(inet, Url("/missing"), dir_.File("none.map"), 1000), "failed");
    EXPECT_FALSE(testsupport::FileExists(dir_.File("none.map")));
}

TEST_F(InternetFile, DroppedConnectionKeepsTheOldFile) {
    const std::string file = dir_.File("arena.map");
    ASSERT_TRUE(testsupport::WriteFileBytes(file, "old map"));
    InternetTransfer inet;
    EXPECT_EQ(Download(inet, Url("/drop"), file, 1000), "failed");
    EXPECT_EQ(Read(file), "old map");
    EXPECT_EQ(Download(inet, Url("/reset"), file, 1000), "failed");
    EXPECT_EQ(Read(file), "old map");
    EXPECT_FALSE(testsupport::FileExists(file + ".download"));
}

TEST_F(InternetFile, NoServerKeepsTheOldFile) {
    const std::string file = dir_.File("arena.map");
    ASSERT_TRUE(testsupport::WriteFileBytes(file, "old map"));
    InternetTransfer inet;
    const std::string closed = "http://127.0.0.1:" + std::to_string(testsupport::FreePort()) + "/file/10";
    EXPECT_EQ(Download(inet, closed, file, 1000), "failed");
    EXPECT_EQ(Read(file), "old map");
}

TEST_F(InternetFile, StalledTransferTimesOut) {
    const std::string file = dir_.File("arena.map");
    ASSERT_TRUE(testsupport::WriteFileBytes(file, "old map"));
    InternetTransfer inet(2000);
    const DWORD start = GetTickCount();
    EXPECT_EQ(Download(inet, Url("/stall"), file, 1000), "failed");
    EXPECT_LT(GetTickCount() - start, 15000u);  // long before the stall's minute is over
    EXPECT_EQ(inet.LastError(), 12002u);
    EXPECT_EQ(Read(file), "old map");
}

TEST_F(InternetFile, OneTransferAtATimeAndAnAbandonedOneIsNeverDelivered) {
    const std::string file = dir_.File("arena.map");
    InternetTransfer inet(3000);
    int delivered = 0;
    ASSERT_TRUE(GetInternetFile(inet, Url("/stall"), file, 1000, [&](bool) { ++delivered; }));
    EXPECT_TRUE(inet.StillExecuting());
    EXPECT_FALSE(GetInternetFile(inet, Url("/file/10"), file, 10, [&](bool) { ++delivered; }));
    inet.Abandon();
    EXPECT_FALSE(inet.StillExecuting());
    // A new one starts at once and is the only one delivered, the stalled one's time-out never.
    std::optional<bool> saved;
    ASSERT_TRUE(GetInternetFile(inet, Url("/file/10"), file, 10, [&](bool ok) { saved = ok; }));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return saved.has_value(); }, 20000));
    EXPECT_TRUE(*saved);
    EXPECT_EQ(Read(file), Pattern(10));
    // Past the stalled one's own time (3 s), asked as a marker of a later transfer of its own.
    InternetTransfer later(3000);
    std::optional<bool> late;
    ASSERT_TRUE(GetInternetFile(later, Url("/stall"), dir_.File("late.map"), 1000, [&](bool ok) { late = ok; }));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return late.has_value(); }, 20000));
    EXPECT_EQ(delivered, 0);
}
