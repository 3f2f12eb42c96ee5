// The handler of the server's tournament replies ('T'): the details, the teams and the log of
// the tournament console. Asking whether the console is visible loads it, hidden, when it is
// not loaded; its load asks for the tournament.
#include <string>
#include <vector>

#include "ChatPanes.h"
#include "ChatTimeStamp.h"
#include "ProtocolFrame.h"
#include "TextUtilities.h"
#include "TournamentCommands.h"
#include "TournamentTeams.h"
#include "frmTournament.h"
#include "modEvents.h"
#include "modRTFLinks.h"
#include "runtime/ErrorGuard.h"
#include "runtime/RichTextEditing.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {

constexpr int32_t Black = 0;

void ShowDetails(frmTournamentForm& console, const std::vector<std::string>& f) {
    TextBox* boxes[] = {&console.txtTM, &console.txtStarted, &console.txtFee, &console.txtMax,
                        &console.txtMin, &console.txtRules, &console.txtPot};
    for (size_t i = 0; i < std::size(boxes); ++i) {
        if (i + 1 >= f.size()) Raise(errSubscriptOutOfRange, "modEvents");
        boxes[i]->SetText(boxes[i] == &console.txtRules ? CleanString(f[i + 1]) : f[i + 1]);
    }
}

void ShowTeams(frmTournamentForm& console, const std::vector<std::string>& f) {
    const TournamentTeamsRead read = ReadTournamentTeams(f);
    for (int t = 1; t <= 4; ++t) {
        KeyedTreeView& tree = console.trvTeams(t);
        KeyedTreeView::Batch batch(tree);
        tree.Clear();
        // Each tree holds at most the cap of nodes, teams and members together.
        bool room = true;
        for (size_t n = 0; n < read.Teams.size() && room; ++n) {
            const TournamentTeam& team = read.Teams[n];
            if (!(room = console.TeamsCap.Room(tree.Count()))) break;
            // The members take no key, so one in two teams shows under both.
            const int node = tree.Add(0, team.Name, team.Text);
            for (const std::string& member : team.Members) {
                if (!(room = console.TeamsCap.Room(tree.Count()))) break;
                tree.AddUnkeyed(node, member);
            }
        }
    }
    if (read.Refused) {
        // A team left out is told once, not once a tree.
        const bool empty = read.RefusedName.empty();
        ReportCaught("frmTournament", "trvTeams_Add", 0, empty ? 35603 : 35602, "trvTeams",
                     empty ? "Invalid key" : "Key is not unique in collection: " + read.RefusedName);
    }
    if (read.Malformed) Raise(errSubscriptOutOfRange, "modEvents");
}

void AddLogLine(const std::string& line) {
    frmTournamentForm& console = frmTournament();
    if (!console.Visible()) {
        AddToRTB(ChatTimeStamp() + line, ChatPaneBox(1), Black, true, false, false, true);
        return;
    }
    // The log is read back only when its length lets it equal the line (with one line break
    // at its end at most): a long log is not copied out again for every line. The box counts
    // characters and the line is bytes, of which a double-byte code page has up to two a character.
    static const int maxCharBytes = [] {
        CPINFO codePage{};
        return GetCPInfo(CP_ACP, &codePage) ? static_cast<int>(codePage.MaxCharSize) : 2;
    }();
    if (TournamentLogMayHold(RtbTextLength(console.rtbTLog), line.size(), maxCharBytes) &&
        TournamentLogHolds(RtbTextCrLf(console.rtbTLog), line))
        return;
    AddToRTB(line, console.rtbTLog, Black, true, false, false, false);
}

}  // namespace

void EventUT(std::string& data) {
    Guard("modEvents", "EventUT", [&] {
        const std::vector<std::string> f = SplitB2(data, FieldSeparator);
        const std::string& kind = f[0];
        if (kind == "0") {
            if (frmTournament().Visible()) ShowDetails(frmTournament(), f);
        } else if (kind == "1") {
            if (frmTournament().Visible()) ShowTeams(frmTournament(), f);
        } else if (kind == "2") {
            if (f.size() < 2) Raise(errSubscriptOutOfRange, "modEvents");
            AddLogLine(f[1]);
        }
    });
}

}  // namespace skx
