#include "frmVote.h"

#include "ClientLinks.h"
#include "MessageBox.h"
#include "ProgramSettings.h"
#include "SettingsFiles.h"
#include "SettingsSnapshot.h"
#include "SettingsText.h"
#include "VoteTally.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {
constexpr uint32_t VoteRefreshMs = 3000;
constexpr char ErrorTitle[] = "Voting System Error";

void SendCommand(const std::string& line) {
    const ClientLinkTable& links = ClientLinks();
    if (links.Server) links.Server("C", line);
}

// Asks the server for the tally.
void SendVoteRequest() { SendCommand("vote"); }

void ShowError(const std::string& text) { CSendMessage(text, WindowNoticeStyle, ErrorTitle, 0, true, true, -1, "Tahoma"); }

std::string GameDatFile() { return DatPath + GameDat; }
}  // namespace

frmVoteForm::frmVoteForm() : FeatureWindow("frmVote", IDD_VOTE), tmrVote("frmVote", "tmrVote", [] { SendVoteRequest(); }) {
    gridVoteWindow.ItemClick = [this](int index) { gridVoteWindow_ItemClick(index); };
    chkAutoUpdate.Click = [this] { tmrVote.SetEnabled(chkAutoUpdate.Value() == 1); };
    cmdVote.Click = [this] { cmdVote_Click(); };
    cmdRefresh.Click = [] { SendVoteRequest(); };
    cmdDone.Click = [] { ReleaseForm<frmVoteForm>(); };
}

void frmVoteForm::FormLoad() {
    // Every opening starts empty and unticked, then asks for the tally.
    gridVoteWindow.Clear();
    chkAutoUpdate.SetValue(0);
    tmrVote.SetInterval(VoteRefreshMs);
    tmrVote.SetEnabled(false);
    ShowLegend();
    SendVoteRequest();
}

bool frmVoteForm::OnUnload() {
    tmrVote.SetEnabled(false);  // the timer goes with the window
    return false;
}

void frmVoteForm::ShowLegend() {
    const HIMAGELIST images = gridVoteWindow.Images();
    if (!images) return;
    yesIcon_ = IconHandle(ImageList_GetIcon(images, VoteList::IconVoted - 1, ILD_NORMAL), true);
    noIcon_ = IconHandle(ImageList_GetIcon(images, VoteList::IconHated - 1, ILD_NORMAL), true);
    SendMessageA(picYes.hWnd(), STM_SETICON, reinterpret_cast<WPARAM>(yesIcon_.Get()), 0);
    SendMessageA(picNo.hWnd(), STM_SETICON, reinterpret_cast<WPARAM>(noIcon_.Get()), 0);
}

void frmVoteForm::Update(const std::string& Data) {
    Guard("frmVote", "Update", [&] {
        KeyedListView::Batch batch(gridVoteWindow);
        gridVoteWindow.Clear();
        const VoteTally tally = ReadVoteTally(Data);
        // A record the list cannot take is passed over; the fill goes on and reports it once.
        if (tally.Skipped > 0) {
            ReportCaught("frmVote", "Update", 0, tally.FirstSkippedRepeats ? 35602 : errSubscriptOutOfRange,
                         "frmVote", "Record passed over: " + tally.FirstSkipped);
        }
        // Game.DAT read once for the whole fill, not once a row; a value the server set that
        // still waits for its write counts (a vote confirmed within the last second).
        const SettingsSnapshot file(GameDatFile());
        const std::string vote = file.Get("Vote", "Game", "None");
        for (const VoteRecord& r : tally.Records) {
            if (!cap_.Room(gridVoteWindow.Count())) break;
            const std::string key = HateKey(r.Game);
            const std::string hate = key.empty() ? "False" : file.Get("Hate", key, "False");
            const int row = gridVoteWindow.Add(r.Game, "", static_cast<int>(VoteIconFor(r.Game, vote, hate)));
            if (!row) continue;
            gridVoteWindow.SetSubItem(row, "game", r.Game);
            gridVoteWindow.SetSubItem(row, "vote", r.Votes);
        }
        SetCaption(CStr(static_cast<int64_t>(gridVoteWindow.Count())) + " Game(s).");
    });
}

void frmVoteForm::cmdVote_Click() {
    const int row = gridVoteWindow.SelectedIndex();
    if (row == 0) return;
    const KeyedListView::Item item = gridVoteWindow.ItemAt(row);
    if (item.SmallIcon == VoteList::IconHated) {
        ShowError("You can't vote for a game that you currently hate to play!");
        return;
    }
    // The icon follows when the server's notice stores the new vote and the next tally shows it.
    SendCommand(VoteCommand(item.SubItem("game")));
    SendVoteRequest();
}

void frmVoteForm::gridVoteWindow_ItemClick(int Index) {
    const KeyedListView::Item item = gridVoteWindow.ItemAt(Index);
    const std::string game = item.SubItem("game");
    // A game without a [Hate] key of its own (one named as the list's key) keeps no flag.
    const std::string key = HateKey(game);
    if (game == "None" || key.empty()) return;
    int icon = item.SmallIcon;
    // The row as the click left it: a selected row toggles, one the click deselected re-sends.
    if (gridVoteWindow.IsSelected(Index)) {
        if (icon == VoteList::IconVoted) {
            ShowError("You can't hate a game that you are currently voting for!");
            return;
        }
        icon = icon == VoteList::IconHated ? VoteList::IconOther : VoteList::IconHated;
        gridVoteWindow.SetSmallIcon(Index, icon);
    }
    if (icon == VoteList::IconVoted) return;
    const bool hate = icon == VoteList::IconHated;
    mfncWriteIni(GameDatFile(), "Hate", key, BoolText(hate), false);
    SendCommand(HateCommand(game, hate));
}

frmVoteForm& frmVote() { return TheForm<frmVoteForm>(); }

}  // namespace skx
