#include "frmBtnEdit.h"

#include <string>

#include "ClientLinks.h"
#include "CommandButtonBar.h"
#include "ProgramSettings.h"
#include "SettingsFiles.h"
#include "TextUtilities.h"
#include "runtime/ErrorGuard.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
constexpr int CaptionLength = 13;
// What an INI value gives back.
constexpr int TextLength = 255;
}  // namespace

frmBtnEditForm::frmBtnEditForm() : FeatureWindow("frmBtnEdit", IDD_BTNEDIT) {
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { Unload(); };
}

void frmBtnEditForm::FormLoad() {
    SendMessageA(txt1.hWnd(), EM_LIMITTEXT, CaptionLength, 0);
    SendMessageA(txt2.hWnd(), EM_LIMITTEXT, TextLength, 0);
    SendMessageA(txt3.hWnd(), EM_LIMITTEXT, TextLength, 0);
}

void frmBtnEditForm::EditButton(int Index) {
    Guard("frmBtnEdit", "EditButton", [&] {
        if (Index < 0 || Index >= ButtonEntries) Raise(errSubscriptOutOfRange);
        Show(ShowMode::Modeless, Form::MdiFrame());
        const ButtonRecord& entry = Buttons[static_cast<size_t>(Index)];
        txt1.SetText(CleanString(entry.Name));
        txt2.SetText(CleanString(entry.Tip));
        txt3.SetText(CleanString(entry.Command));
        index_ = Index;
    });
}

void frmBtnEditForm::cmdOK_Click() {
    Guard("frmBtnEdit", "cmdOK_Click", [&] {
        const int i = index_;
        ButtonRecord& entry = Buttons.at(static_cast<size_t>(i));
        entry.Name = CleanString(txt1.Text());
        entry.Tip = CleanString(txt2.Text());
        entry.Command = CleanString(txt3.Text());
        CommandButtonBar::ShowEntry(i, entry.Name, entry.Tip);
        if (const auto& main = ClientLinks().MainCommandButton) main(i, entry.Name, entry.Tip);
        const std::string file = DatPath + ButtonsDat;
        const std::string section = "Button" + std::to_string(i);
        mfncWriteIni(file, section, "Name", entry.Name, false);
        mfncWriteIni(file, section, "Tip", entry.Tip, false);
        mfncWriteIni(file, section, "Command", entry.Command, false);
        Unload();
    });
}

frmBtnEditForm& frmBtnEdit() { return TheForm<frmBtnEditForm>(); }

}  // namespace skx
