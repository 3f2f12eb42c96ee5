// Bursts of server frames that make the client write files: map announcements, the news
// number and the vote notices. In each the main window answers within 2 s, the closing "U" is
// answered, the Map folder gains at most 5 files and Game.DAT stays under 64 KB.
#include <atomic>
#include <cstring>
#include <filesystem>
#include <thread>

#include "LoggedInClient.h"

using namespace clienttest;

namespace {

class BurstFiles : public ClientTest {
protected:
    void StartWithMaps() {
        ASSERT_TRUE(CreateDirectoryA(dir.File("Map").c_str(), nullptr));
        ASSERT_TRUE(maps.Start({"m0", "m1", "m2"}));
        ASSERT_TRUE(Start({.game = maps.MapUrlLine()}));
    }
    void ExpectBounded(const BurstOutcome& o) {
        EXPECT_TRUE(o.Bearable());
        EXPECT_LT(testsupport::ReadFileBytes(Game()).value_or("").size(), 65536u);
        uint64_t files = 0, bytes = 0;
        for (const auto& f : std::filesystem::directory_iterator(dir.File("Map"))) ++files, bytes += f.file_size();
        EXPECT_LE(files, 5u);
        EXPECT_LE(bytes, 5u * 65536);
    }
    std::string Requests() const { return maps.Requests(); }
    // Count map announcements, the name and size fields of each from nameAndSize.
    static std::string Maps(int count, const std::function<std::string(int)>& nameAndSize) {
        std::string frames;
        for (int i = 0; i < count; ++i) frames += (i ? R"(, ["?", "ID", )" : R"(["?", "ID", )") + nameAndSize(i) + "]";
        return frames;
    }

    MapHost maps{"burst-served"};
};

}  // namespace

TEST_F(BurstFiles, MapAnnouncementsFetchNoMoreThanAMapHoldsAndASilentHostHoldsOneOfThem) {
    ASSERT_NO_FATAL_FAILURE(StartWithMaps());
    ExpectBounded(Burst(Maps(200, [](int i) {
                            const std::string n = std::to_string(i);
                            return i < 3 ? R"("m)" + n + R"(", "22500")" : R"("big)" + n + R"(", "1048576")";
                        }), 200));
    EXPECT_EQ(Requests(), "/maps/m0.map\n/maps/m1.map\n/maps/m2.map\n");  // none for a size past a map's
    EXPECT_TRUE(Dump("frmChatBar", "Receiving Map 'big199' FAILED!")) << last;

    // A host that takes the request and never answers: the first waits its bound, the rest
    // fail at once.
    const std::string silent = "http://127.0.0.1:" + std::to_string(maps.Port()) + "/silent/";
    ASSERT_TRUE(WritePrivateProfileStringA("LASTSERVER", "MapURL", silent.c_str(), Game().c_str()));
    const DWORD start = GetTickCount();
    ExpectBounded(Burst(Maps(25, [](int i) { return R"("s)" + std::to_string(i) + R"(", "22500")"; }), 25));
    EXPECT_LT(GetTickCount() - start, 100000u);  // not 25 waits of the bound
    EXPECT_EQ(Count(Requests(), "/silent/"), 1) << Requests();
}

TEST_F(BurstFiles, ServerSetValuesAreWrittenAtMostOnceASecondTheLatestKeptAtExit) {
    ASSERT_TRUE(Start());
    std::atomic<bool> done{false};
    int changes = 0;
    // How often Game.DAT is written meanwhile: the changes on disk within 200 ms of the first of
    // them count as one write (a write of the waiting values stores each value with a call of
    // its own, which a busy machine may spread over a few polls).
    std::thread watch([&] {
        FILETIME seen{};
        DWORD writeStart = 0;
        for (; !done; Sleep(10)) {
            WIN32_FILE_ATTRIBUTE_DATA a{};
            if (!GetFileAttributesExA(Game().c_str(), GetFileExInfoStandard, &a)) continue;
            if (CompareFileTime(&a.ftLastWriteTime, &seen) == 0) continue;
            seen = a.ftLastWriteTime;
            if (changes == 0 || GetTickCount() - writeStart > 200) ++changes, writeStart = GetTickCount();
        }
    });
    const DWORD start = GetTickCount();
    const BurstOutcome o =
        Burst(R"(["D", "1", "5"], ["M", "50", "v:Alpha"], ["D", "1", "6"], ["M", "50", "v:Beta"])", 4000);
    const DWORD seconds = (GetTickCount() - start + 999) / 1000;
    done = true;
    watch.join();
    ExpectBounded(o);
    EXPECT_LE(changes, static_cast<int>(seconds) + 3);
    ASSERT_TRUE(Exit());
    EXPECT_EQ(IniValue(Game(), "Options", "News"), "6");
    EXPECT_EQ(IniValue(Game(), "Vote", "Game"), "Beta");
}

TEST_F(BurstFiles, VoteNoticesKeepHateKeysShortAndFewAndTheStoredVoteOneCommand) {
    ASSERT_TRUE(Start());
    const std::string longGame = "Long" + std::string(96, 'g');  // its key cut, its flag kept
    std::string frames = R"(["M", "50", "h:Alpha"], ["M", "50", "l:Beta"], ["M", "50", "g:Alpha@Beta@)" + longGame +
                         R"("], ["M", "50", "h:List"], ["M", "50", "l: list "], ["M", "50", "h:)" + longGame +
                         R"("], ["M", "50", "v:Gamma"], ["M", "50", "v:King's Hill"], )"
                         R"(["M", "50", "v:Alpha' & quit\r\n & vote 'Beta"])";
    for (int i = 0; i < 300; ++i) {  // games of 300-character names, each a new one
        frames += R"(, ["M", "50", "h:G)" + std::to_string(i) + std::string(300, 'x') + R"("])";
    }
    ExpectBounded(Burst(frames, 309));
    server.Command(R"({"cmd": "close"})");
    ASSERT_TRUE(Dump("frmMain", "panel 1 \"Disconnected\"", 10000)) << last;
    EXPECT_EQ(IniValue(Game(), "Hate", "List"), "Alpha@Beta@" + longGame);
    char names[65536] = {};
    GetPrivateProfileStringA("Hate", nullptr, "", names, sizeof names, Game().c_str());
    size_t keys = 0;
    for (const char* at = names; *at; at += strlen(at) + 1, ++keys) EXPECT_LE(strlen(at), 64u) << at;
    EXPECT_LE(keys, 64u);

    Clear();
    ASSERT_TRUE(LogIn());
    EXPECT_TRUE(WaitSent(R"(["C", "game hate )" + longGame + R"("])")) << server.Frames();
    EXPECT_EQ(Sent(R"(["C", "vote)"), 1) << server.Frames();
    EXPECT_EQ(Sent(R"(["C", "vote 'Gamma'"])"), 1) << server.Frames();  // the refused ones kept it
    EXPECT_EQ(Sent(R"(["C", "game hate Alpha"])") + Sent(R"(["C", "game like Beta"])"), 2) << server.Frames();
}
