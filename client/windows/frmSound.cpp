#include "frmSound.h"

#include <commdlg.h>

#include "ClientLinks.h"
#include "FileServices.h"
#include "HoldingMusicList.h"
#include "Id3Tags.h"
#include "MessageBox.h"
#include "ProgramSettings.h"
#include "WholeFile.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

const char* const AudioFilter = "Audio Files (*.mid;*.wav;*.mp3)|*.mid;*.wav;*.mp3";
constexpr uint32_t MustExist = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;  // 6144

void NotValidFormat() {
    CSendMessage("The file you selected is not a valid format for your file format selection.  Please try again.",
                 WindowNoticeStyle, "Incorrect File Type");
}

}  // namespace

frmSoundForm::frmSoundForm() : FeatureWindow("frmSound", IDD_SOUND) {
    cmdAdd.Click = [this] { cmdAdd_Click(); };
    cmdBrowse.Click = [this] { cmdBrowse_Click(); };
    cmdRemove.Click = [this] {
        if (const int i = lstHoldingMusic.ListIndex(); i >= 0) lstHoldingMusic.RemoveItem(i);
    };
    cmdPlay.Click = [this] {
        cmdPlay.SetEnabled(false);
        cmdStop.SetEnabled(true);
    };
    cmdStop.Click = [this] { cmdStop_Click(); };
    lstHoldingMusic.Click = [this] { lstHoldingMusic_Click(); };
    for (size_t i = 0; i < txtGames.size(); ++i) {
        txtGames[i].MouseDown = [this, i](int, int, int, int) { txtGames_Pick(static_cast<int>(i)); };
    }
    cmdDone.Click = [this] { cmdDone_Click(); };
    cmdHide.Click = [this] { Hide(); };
}

void frmSoundForm::FormLoad() {
    gamePicked_ = false;
    ComDiag = OpenFileDialog{};
    chkPlay.SetValue(MusicOn ? 1 : 0);
    chkSound.SetValue(SoundOn ? 1 : 0);
    chkRandom.SetValue(RandomSongs ? 1 : 0);
    SngListLoad_Game();
    SngListLoad_Holding();
}

void frmSoundForm::SngListLoad_Game() {
    Guard("frmSound", "SngListLoad_Game", [&] {
        for (size_t i = 0; i < txtGames.size(); ++i) txtGames[i].SetText(GameMusic[i]);
    });
}

void frmSoundForm::SngListSave_Game() {
    Guard("frmSound", "SngListSave_Game", [&] {
        for (size_t i = 0; i < txtGames.size(); ++i) GameMusic[i] = txtGames[i].Text();
    });
}

void frmSoundForm::SngListLoad_Holding() {
    Guard("frmSound", "SngListLoad_Holding", [&] {
        const std::string path = DatPath + HoldingMusicDat;
        if (!FileExist(path)) return;
        std::string text;
        if (!ReadWholeFile(path, text)) Raise(errPathFileAccess, "frmSound", "Unable to read " + path);
        for (const std::string& entry : HoldingMusicEntries(text)) lstHoldingMusic.AddItem(entry);
    });
}

void frmSoundForm::SngListSave_Holding() {
    Guard("frmSound", "SngListSave_Holding", [&] {
        if (cmdStop.Enabled()) cmdStop_Click();
        std::vector<std::string> entries;
        for (int i = 0; i < lstHoldingMusic.ListCount(); ++i) entries.push_back(lstHoldingMusic.List(i));
        const std::string path = DatPath + HoldingMusicDat;
        if (!ReplaceWholeFile(path, HoldingMusicText(entries))) Raise(errPathFileAccess, "frmSound", "Unable to write " + path);
    });
}

bool frmSoundForm::ShowOpen() {
    // A Cancel changes nothing and says nothing, whether or not the dialog raises it.
    try {
        return ComDiag.ShowOpen(Handle());
    } catch (const RunTimeError& e) {
        if (e.Number() == errDialogCancelled) return false;
        throw;
    }
}

void frmSoundForm::cmdAdd_Click() {
    ComDiag.Filter = AudioFilter;
    ComDiag.Flags = MustExist;
    ComDiag.DialogTitle = "Select a Music File";
    ComDiag.CancelError = true;
    if (!ShowOpen()) return;
    if (!ComDiag.FileName.empty()) lstHoldingMusic.AddItem(ComDiag.FileName);
    else NotValidFormat();
}

void frmSoundForm::cmdBrowse_Click() {
    ComDiag.Filter = AudioFilter;  // the other settings are those "&Add" left
    if (!ShowOpen()) return;
    if (!ComDiag.FileName.empty()) txtGames[static_cast<size_t>(selectedGame_)].SetText(ComDiag.FileName);
    else NotValidFormat();
}

void frmSoundForm::cmdStop_Click() {
    cmdStop.SetEnabled(false);
    cmdPlay.SetEnabled(true);
}

void frmSoundForm::lstHoldingMusic_Click() {
    const int i = lstHoldingMusic.ListIndex();
    if (i < 0) return;
    const std::string entry = lstHoldingMusic.List(i);
    if (LCase(Right(entry, 4)) != ".mp3") return;
    const Id3Texts tag = ReadId3File(entry);
    lblTitle.SetCaption(tag.Title);
    lblArtist.SetCaption(tag.Artist);
}

void frmSoundForm::txtGames_Pick(int Index) {
    selectedGame_ = Index;
    gamePicked_ = true;
    for (TextBox& box : txtGames) {
        if (box.hWnd()) InvalidateRect(box.hWnd(), nullptr, TRUE);
    }
}

bool frmSoundForm::KeyPreview(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    for (size_t i = 0; i < txtGames.size(); ++i) {
        if (msg.hwnd == txtGames[i].hWnd()) txtGames_Pick(static_cast<int>(i));
    }
    return false;
}

LRESULT frmSoundForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The picked game box has the desktop's colour behind its text; the others the window's.
    if (msg == WM_CTLCOLOREDIT && gamePicked_ &&
        reinterpret_cast<HWND>(lParam) == txtGames[static_cast<size_t>(selectedGame_)].hWnd()) {
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_DESKTOP));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_DESKTOP));
    }
    return FeatureWindow::WindowProc(msg, wParam, lParam);
}

void frmSoundForm::cmdDone_Click() {
    MusicOn = chkPlay.Value() == 1;
    SoundOn = chkSound.Value() == 1;
    RandomSongs = chkRandom.Value() == 1;
    SngListSave_Holding();
    SngListSave_Game();
    ReleaseForm<frmSoundForm>();  // the next opening starts from the stored values
    if (ClientLinks().FocusEntryLine) ClientLinks().FocusEntryLine();
}

frmSoundForm& frmSound() { return TheForm<frmSoundForm>(); }

}  // namespace skx
