#include "frmVote.h"

#include <algorithm>

#include "ProgramSettings.h"
#include "SettingsFiles.h"
#include "TextUtilities.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

frmVoteForm::frmVoteForm() : FeatureWindow("frmVote", IDD_VOTE) {}

void frmVoteForm::OnResize() {
    if (Handle()) gridVoteWindow.Move(4, 4, std::max(ScaleWidth() - 8, 0), std::max(ScaleHeight() - 8, 0));
}

void frmVoteForm::Update(const std::string& Data) {
    Guard("frmVote", "Update", [&] {
        gridVoteWindow.Clear();
        const std::string file = DatPath + GameDat;
        for (const std::string& record : SplitB2(Data, ";")) {
            std::vector<std::string> fields = SplitB2(record, ":");
            if (fields.size() < 2) Raise(errSubscriptOutOfRange, "frmVote");
            std::string vote = mfncGetFromIni(file, "Vote", "Game", false, "None");
            int icon = VoteList::IconOther;
            if (TextEquals(Trim(fields[0]), Trim(vote))) {
                icon = VoteList::IconVoted;
            } else if (CBool(mfncGetFromIni(file, "Hate", fields[0], false, "False"))) {
                icon = VoteList::IconHated;
            }
            gridVoteWindow.Add(fields[0], icon, fields[0], fields[1]);
        }
        SetCaption(CStr(static_cast<int64_t>(gridVoteWindow.Count())) + " Game(s).");
    });
}

frmVoteForm& frmVote() { return TheForm<frmVoteForm>(); }

}  // namespace skx
