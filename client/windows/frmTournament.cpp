#include "frmTournament.h"

#include <commctrl.h>

#include <string>

#include "runtime/RunTimeError.h"

namespace skx {

frmTournamentForm::frmTournamentForm()
    : FeatureDialog("frmTournament", "<- Skirmora Tournament ->", 560, 440) {}

Control& frmTournamentForm::trvTeams(int index) {
    if (index < 1 || index > 4) {
        Raise(340, "frmTournament", "Control array element '" + std::to_string(index) + "' doesn't exist");
    }
    return teams_[static_cast<size_t>(index - 1)];
}

void frmTournamentForm::CreateControls() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    const struct {
        Control* box;
        const char* label;
    } details[] = {{&txtTM, "Master:"}, {&txtStarted, "Started:"}, {&txtFee, "Fee:"}, {&txtMax, "Max:"},
                   {&txtMin, "Min:"},   {&txtPot, "Pot:"},         {&txtRules, "Rules:"}};
    int w = ScaleWidth();
    int y = 8;
    for (size_t i = 0; i < labels_.size(); ++i) {
        labels_[i].SetCaption(details[i].label);
        AddControl(labels_[i], "STATIC", SS_RIGHT, 8, y + 3, 52, 18);
        AddControl(*details[i].box, "EDIT", ES_AUTOHSCROLL | ES_READONLY, 64, y, 180, 22, WS_EX_CLIENTEDGE);
        y += 26;
    }
    int treeWidth = (w - 260) / 2 - 4;
    for (int i = 0; i < 4; ++i) {
        AddControl(teams_[static_cast<size_t>(i)], WC_TREEVIEWA, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                   252 + (i % 2) * (treeWidth + 4), 8 + (i / 2) * 94, treeWidth, 90, WS_EX_CLIENTEDGE);
    }
    rtbTLog.Move(8, y + 4, w - 16, 120);
    rtbTLog.Create(Handle());
    Own(rtbTLog);
    StatusBar1.Create(Handle(), {-1});
    Own(StatusBar1);
}

frmTournamentForm& frmTournament() { return TheForm<frmTournamentForm>(); }

}  // namespace skx
