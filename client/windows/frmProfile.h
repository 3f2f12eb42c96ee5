// The profile window: one player's statistics, awards and, for staff, administration page,
// each asked for when its tab is chosen and filled when the server's reply comes. Its Tag
// holds the name of the player whose profile is shown.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "FeatureWindow.h"
#include "ProfileData.h"
#include "runtime/ImageList.h"
#include "runtime/KeyedListView.h"
#include "runtime/TabPages.h"
#include "RowCap.h"
#include "window_ids.h"

namespace skx {

class frmProfileForm : public FeatureWindow {
    // fraProfile(0 to 2): the pages of the tabs "Player", "Awards" and "Administration".
    std::array<DialogPage, 3> fraProfile{{{"frmProfile", IDD_PROFILE_PLAYER},
                                          {"frmProfile", IDD_PROFILE_AWARDS},
                                          {"frmProfile", IDD_PROFILE_ADMIN}}};

public:
    frmProfileForm();

    TabStrip tabProfile{*this, IDC_PROFILE_TABPROFILE, "tabProfile"};
    Button cmdClose{*this, IDC_PROFILE_CMDCLOSE, "cmdClose"};
    ControlArray<TextBox, PlayerInfoCount> txtInfo{fraProfile[0], IDC_PROFILE_TXTINFO, "txtInfo"};
    ControlArray<Label, PlayerInfoCount> lblInfo{fraProfile[0], IDC_PROFILE_LBLINFO, "lblInfo"};
    KeyedListView lsvAwards{fraProfile[1], IDC_PROFILE_LSVAWARDS, "lsvAwards"};
    ControlArray<TextBox, AdminFieldCount> txtAdmin{fraProfile[2], IDC_PROFILE_TXTADMIN, "txtAdmin"};
    ControlArray<Label, AdminFieldCount> lblAdmin{fraProfile[2], IDC_PROFILE_LBLADMIN, "lblAdmin"};

    // The administration page from a list of 23 values; a list of another length changes nothing.
    void ProcessAdministrator(const std::string& Data);
    // The player page from a list of 10 values; a list of another length changes nothing.
    void ProcessPlayer(const std::string& Data);
    // The award list, replaced whole by the tiers of the award items.
    void ProcessAwards(const std::string& Data);

    // Shows the profile of a user: a first opening loads the window, which asks for the player
    // page; another user's name empties every page and asks for the selected one; the same
    // name only shows the window.
    void OpenFor(const std::string& name, Form* owner);

    std::vector<ControlHost*> ControlHosts() override { return {this, &fraProfile[0], &fraProfile[1], &fraProfile[2]}; }

protected:
    void FormLoad() override;
    // The profile window keeps the plain look: no shadow, no translucency.
    void OnLoad() override;
    void OnActivate(bool) override {}

private:
    void tabProfile_Click();
    // Asks for a page of a user's profile (nothing for an empty name).
    void Request(const std::string& name, int page);
    void EmptyPages();

    TabPages pages_{tabProfile};
    ImageList imgAwards;
    RowCap cap_{"frmProfile", "ProcessAwards", "award"};
};

frmProfileForm& frmProfile();

}  // namespace skx
