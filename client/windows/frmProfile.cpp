#include "frmProfile.h"

#include "AccountState.h"
#include "ClientLinks.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {
// The award icons' strip in the program's resources: 24-pixel cells in the award table's order.
constexpr char AwardIcons[] = "AWARD_ICONS";
constexpr int AwardIconSize = 24;
// The account level from which the administration page is offered.
constexpr int16_t AdministrationLevel = 90;
const std::vector<std::string> PageTabs{"Player", "Awards", "Administration"};
}  // namespace

frmProfileForm::frmProfileForm() : FeatureWindow("frmProfile", IDD_PROFILE) {
    for (DialogPage& page : fraProfile) pages_.Add(page);
    for (size_t i = 0; i < PlayerInfoCount; ++i) lblInfo[i].SetCaption(PlayerInfoCaptions[i]);
    for (size_t i = 0; i < AdminFieldCount; ++i) lblAdmin[i].SetCaption(AdminCaptions[i]);
    lsvAwards.SetColumns({{"award", "Award", 250}});
    tabProfile.Click = [this] { tabProfile_Click(); };
    cmdClose.Click = [] { ReleaseForm<frmProfileForm>(); };
}

void frmProfileForm::OnLoad() {
    Guard("frmProfile", "Form_Load", [&] { FormLoad(); });
}

void frmProfileForm::FormLoad() {
    tabProfile.SetTabs(PageTabs);
    if (AccessLevel < AdministrationLevel) tabProfile.RemoveTab(3);
    tabProfile.Select(1);
    if (!pages_.Create()) Raise(errOutOfMemory, "frmProfile", "Unable to create the profile pages");
    // Without the strip (a program built without the art) the rows show no icon.
    if (!imgAwards.Handle()) imgAwards.LoadStrip(AwardIcons, AwardIconSize);
    lsvAwards.SetSmallIcons(imgAwards.Handle());
    EmptyPages();
    Request(Tag, 1);
}

void frmProfileForm::EmptyPages() {
    for (TextBox& box : txtInfo) box.SetText("");
    lsvAwards.Clear();
    for (size_t i = 0; i < AdminFieldCount; ++i) {
        txtAdmin[i].SetText("");
        txtAdmin[i].SetVisible(false);
        lblAdmin[i].SetVisible(false);
    }
}

void frmProfileForm::OpenFor(const std::string& name, Form* owner) {
    if (!IsLoaded()) {
        Tag = name;  // the load asks for this player's page
        Load();
    } else if (Tag != name) {
        Tag = name;
        EmptyPages();
        Request(Tag, tabProfile.SelectedIndex());
    }
    SetCaption(name);
    Show(ShowMode::Modeless, owner);
}

void frmProfileForm::Request(const std::string& name, int page) {
    if (name.empty()) return;
    if (const auto& server = ClientLinks().Server) server("b", ProfileRequestData(name, page));
}

void frmProfileForm::tabProfile_Click() {
    Guard("frmProfile", "tabProfile_Click", [&] {
        pages_.ShowSelected();
        Request(Tag, tabProfile.SelectedIndex());
    });
}

void frmProfileForm::ProcessPlayer(const std::string& Data) {
    Guard("frmProfile", "ProcessPlayer", [&] {
        const auto values = ProfileValues(Data, PlayerInfoCount);
        if (!values) return;
        for (size_t i = 0; i < PlayerInfoCount; ++i) txtInfo[i].SetText((*values)[i]);
    });
}

void frmProfileForm::ProcessAdministrator(const std::string& Data) {
    Guard("frmProfile", "ProcessAdministrator", [&] {
        const auto values = ProfileValues(Data, AdminFieldCount);
        if (!values) return;
        for (size_t i = 0; i < AdminFieldCount; ++i) {
            TextBox& box = txtAdmin[i];
            const bool shown = !(*values)[i].empty();
            if (shown) box.SetText((*values)[i]);  // an empty value leaves the text as it was
            if (box.hWnd()) SendMessageA(box.hWnd(), EM_SETREADONLY, TRUE, 0);
            box.SetEnabled(shown);
            box.SetVisible(shown);
            lblAdmin[i].SetVisible(shown);
        }
    });
}

void frmProfileForm::ProcessAwards(const std::string& Data) {
    Guard("frmProfile", "ProcessAwards", [&] {
        lsvAwards.Clear();
        KeyedListView::Batch batch(lsvAwards);
        for (const AwardRow& row : AwardRows(Data)) {
            if (!cap_.Room(lsvAwards.Count())) break;
            lsvAwards.AddUnkeyed(row.Text, row.Icon);
        }
    });
}

frmProfileForm& frmProfile() { return TheForm<frmProfileForm>(); }

}  // namespace skx
