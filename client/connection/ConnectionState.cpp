#include "ConnectionState.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "ArenaModel.h"
#include "ChatTimeStamp.h"
#include "ProgramSettings.h"
#include "ProtocolFrame.h"
#include "ReceiveBuffer.h"
#include "ReceiveTurns.h"
#include "RowCap.h"
#include "SettingsFiles.h"
#include "ServerSettings.h"
#include "SettingsText.h"
#include "TextUtilities.h"
#include "frmChatBar.h"
#include "FrameWriter.h"
#include "MainWindowLinks.h"
#include "frmMapDisp.h"
#include "frmVote.h"
#include "modEvents.h"
#include "modRTFLinks.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

constexpr const char* Module = "modMiscFunctionsOne";

// The map picture's drawing area in pixels (the map window is loaded first).
SIZE MapPictureSize() {
    frmMapDisp().Load();
    RECT r{};
    if (HWND pic = frmMapDisp().picMap.hWnd()) GetClientRect(pic, &r);
    return SIZE{r.right, r.bottom};
}

// Pixels over TileSize in single precision; a tile size of 0 is a division by zero.
float Squares(long pixels) {
    if (TileSize == 0) Raise(errDivisionByZero, Module);
    return static_cast<float>(pixels) / static_cast<float>(TileSize);
}

// The decimal text of a single-precision value (seven significant digits, as it prints).
std::string SingleText(float value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(value));
    return CStr(std::strtod(buf, nullptr));
}

// The text of a row's "level" sub-item ("" when it has none).
std::string LevelOf(const KeyedListView::Item& item) { return item.SubItem("level"); }

}  // namespace

namespace {
uint64_t g_generation = 1;
}  // namespace

uint64_t ConnectionGeneration() { return g_generation; }

void NewConnectionNumber() {
    ++g_generation;
    const bool paused = ReadingPaused();
    ClearReceiveBuffer();
    Guard(Module, "Clean_Up", [paused] {
        NewMapDownloads();  // the next connection fetches maps afresh
        if (paused && MainWindowLinks().Socket && IsConnected(MainSocket())) {
            SetReadingPaused(true);
            WorkBacklogSoon();  // its turn reads on
        }
    });
}

void Clean_Up() {
    NewConnectionNumber();  // first: nothing of the connection before acts on what follows
    ProcLine line;
    Guard(Module, "Clean_Up", [&] {
        // What the server set in its last second goes to the files.
        FlushServerSettings();
        line.Line = 1;
        for (int x = 0; x < ArenaSize; ++x) {
            for (int y = 0; y < ArenaSize; ++y) {
                for (MapGrid* layer : {&MapPaintballs, &MapSplats, &MapObjects, &MapPlayers, &MapBots, &MapTargets}) {
                    (*layer)(x, y) = -1;
                }
            }
        }
        line.Line = 2;
        MapOutline.Fill(0);
        line.Line = 3;
        ViewOrigin = MapPoint{0, 0};
        OwnPosition = MapPoint{7, 7};
        line.Line = 5;
        if (MainWindowLinks().EnableEntryLine) MainWindowLinks().EnableEntryLine(false);
        frmChatBarForm& chat = frmChatBar();
        chat.Load();
        for (RichTextBox& pane : chat.txtStatus) pane.SetEnabled(false);
        chat.WhoList.SetEnabled(false);
        frmMapDisp().Load();
        frmMapDisp().picMap.SetEnabled(false);
    }, &line);
}

void Screen_Center(bool& Announce) {
    ProcLine line;
    Guard(Module, "Screen_Center", [&] {
        line.Line = 1;
        SIZE area = MapPictureSize();
        float across = Squares(area.cx);
        float down = Squares(area.cy);
        line.Line = 2;
        // 149, not 150: the view starts one square further left and up than a true centre.
        int32_t originX = CLng(static_cast<double>(OwnPosition.x + 149.0f - across / 2.0f)) % ArenaSize;
        int32_t originY = CLng(static_cast<double>(OwnPosition.y + 149.0f - down / 2.0f)) % ArenaSize;
        ViewOrigin = MapPoint{static_cast<float>(originX), static_cast<float>(originY)};
        line.Line = 3;
        Server("M", SingleText(ViewOrigin.x) + FieldSeparator + SingleText(ViewOrigin.y) + FieldSeparator +
                        SingleText(across) + FieldSeparator + SingleText(down));
        line.Line = 4;
        MoveTarget = OwnPosition;
        line.Line = 5;
        if (Announce) {
            AddToRTB(ChatTimeStamp() + "Screen Centered.", frmChatBar().txtStatus[1], 0, true, false, false, true);
        }
    }, &line);
}

void Logged_In(std::string Name, std::string Info, int16_t Index) {
    if (Index > 100 || Name.empty()) return;
    ProcLine line;
    Guard(Module, "Logged_In", [&] {
        line.Line = 1;
        PlayerAt(Index).Name = Name;
        line.Line = 2;
        KeyedListView& list = frmChatBar().WhoList;
        if (list.Count() == 0) return;
        line.Line = 3;
        // Every row is keyed and captioned by its name, so the row of that text is the row of
        // that key: one look-up, not a walk through the list.
        const int keyed = list.IndexOf(Name);
        // A player the list does not show yet waits for the next who-list feed.
        if (!keyed) return;
        line.Line = 4;
        if (!IsSameText2(LevelOf(list.ItemAt(keyed)), Info, 1)) list.SetSubItem(keyed, "level", Info);
    }, &line);
}

void Logged_Out(int16_t Index) {
    if (Index > 100) return;
    ProcLine line;
    Guard(Module, "Logged_Out", [&] {
        KeyedListView& list = frmChatBar().WhoList;
        if (list.Count() == 0) return;
        line.Line = 1;
        // The list's rows are keyed and captioned by name: the keyed look-up finds the row. A
        // list cut short may have left the player out, who then goes all the same.
        const std::string& name = PlayerAt(Index).Name;
        if (!list.IndexOf(name) && (name.empty() || !frmChatBar().WhoListCut())) return;
        PlayerRecord& player = PlayerAt(Index);
        player.Name.clear();
        player.Sprite = -1;
        line.Line = 2;
        SIZE area = MapPictureSize();
        int32_t rows = CLng(static_cast<double>(Squares(area.cy)));
        int32_t columns = CLng(static_cast<double>(Squares(area.cx)));
        int32_t left = CLng(static_cast<double>(ViewOrigin.x));
        int32_t top = CLng(static_cast<double>(ViewOrigin.y));
        for (int32_t c = 0; c <= columns; ++c) {
            for (int32_t r = 0; r <= rows; ++r) {
                int16_t& cell = MapPlayers((c + left) % ArenaSize, (r + top) % ArenaSize);
                if (cell == Index) cell = -1;
            }
        }
    }, &line);
}

void HandleVoteInformation(std::string& Data) {
    ProcLine line;
    Guard(Module, "HandleVoteInformation", [&] {
        line.Line = 1;
        std::vector<std::string> parts = SplitB2(Trim(Data), ":");
        if (parts.size() != 2) return;
        const std::string code = LCase(parts[0]);
        const std::string file = DatPath + GameDat;
        line.Line = 2;
        if (code == "v") {
            // The game voted for goes back to the server in one vote command after each login: a
            // name that could not stand as its one argument, or an empty one, keeps the stored vote.
            const std::string game = Trim(parts[1]);
            if (game.empty() || !IsVoteGameText(game)) return;
            WriteServerSetting(file, "Vote", "Game", game);
            if (frmVote().Visible() && frmVote().gridVoteWindow.Count() >= 1) {
                VoteList& list = frmVote().gridVoteWindow;
                for (int i = 1; i <= list.Count(); ++i) list.SetSmallIcon(i, VoteList::IconOther);
                list.SetSmallIcon(game, VoteList::IconVoted);
            }
        } else if (code == "h" || code == "l") {
            // The game's key of [Hate], as every reader of the flags makes it; none for the list's own.
            const std::string game = IniKeyText(parts[1]);
            const std::string key = HateKey(game);
            if (key.empty()) return;
            // Every server notice of a new game would add a key: the section keeps a bounded number.
            const std::vector<std::string> keys = IniKeys(file, "Hate");
            const bool known = std::any_of(keys.begin(), keys.end(),
                                           [&](const std::string& k) { return IsSameText2(Trim(k), key, 1); });
            if (keys.size() >= MostHateKeys && !known) {
                static bool reported = false;
                if (!std::exchange(reported, true)) Raise(errOverflow);
                return;
            }
            const bool hate = code == "h";
            WriteServerSetting(file, "Hate", key, hate ? "True" : "False");
            if (frmVote().Visible() && frmVote().gridVoteWindow.Count() >= 1) {
                frmVote().gridVoteWindow.SetSmallIcon(game, hate ? VoteList::IconHated : VoteList::IconOther);
            }
        } else if (code == "g") {
            WriteServerSetting(file, "Hate", HateListKey, IniValueText(parts[1]));
        }
    }, &line);
}

}  // namespace skx
