#include "frmNotes.h"

#include <richedit.h>

#include "AccountState.h"
#include "ClientLinks.h"
#include "MessageBox.h"
#include "NoteList.h"
#include "NoteRequests.h"
#include "ProgramSettings.h"
#include "WholeFile.h"
#include "frmWriteNote.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
constexpr int32_t InformationBox = 70;
constexpr int32_t YesNoQuestion = 36;
constexpr int16_t ServerDeleteLevel = 95;
constexpr const char* DeleteTitle = "Delete Selected Note";

void Send(const std::string& msg) {
    if (const auto& server = ClientLinks().Server) server(NotesCommand, msg);
}
}  // namespace

frmNotesForm::frmNotesForm() : FeatureWindow("frmNotes", IDD_NOTES) {
    tabNotes.SetTabs({"Public", "Private"});
    tabNotes.SetTabTips({"Public Note Forum", "Private Note Forum"});
    tabNotes.Click = [this] { tabNotes_Click(); };
    for (int i = 1; i <= 2; ++i) {
        KeyedListView& grid = gridNoteWindow(i);
        grid.SetColumns({{"id", "ID", 70}, {"status", "Status", 50}, {"sender", "Sender", 100}, {"subject", "Subject", 220}});
        grid.ItemClick = [this, i](int) { gridNoteWindow_Click(i); };
    }
    cmdDone.Click = [] { ReleaseForm<frmNotesForm>(); };
    cmdLast.Click = [] { Send(NotesPageRequest("0", "L")); };
    cmdNext.Click = [this] { cmdNext_Click(); };
    cmdPrev.Click = [this] { cmdPrev_Click(); };
    cmdDelete.Click = [this] { cmdDelete_Click(); };
    cmdReply.Click = [this] { cmdReply_Click(); };
    cmdNew.Click = [this] { cmdNew_Click(); };
}

void frmNotesForm::FormLoad() {
    // The reader takes a note of any length (the limit of 5000 is the editor's).
    SendMessageA(txtMessage.hWnd(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    // A window closed by its title bar comes back as fresh as one closed by Done.
    gridNoteWindow1.Clear();
    gridNoteWindow2.Clear();
    for (TextBox* box : {&txtSender, &txtRoute, &txtDate, &txtSubject}) box->SetText("");
    txtMessage.SetPlainText("");
    read_.reset();
    deleted_.reset();
    lowest_.reset();
    highest_.reset();
    Send(NotesPageRequest(CStr(LastNote), "L"));
}

bool frmNotesForm::OnUnload() {
    if (const auto& focus = ClientLinks().FocusEntryLine) focus();
    return false;
}

NoteIdSet& frmNotesForm::NoteListLoad(bool Read) {
    std::optional<NoteIdSet>& set = Read ? read_ : deleted_;
    if (!set) {
        std::string bytes;
        const std::string path = DatPath + (Read ? ReadNotesFile : DeletedNotesFile);
        if (!IsFilePresent(path) || !ReadWholeFile(path, bytes)) bytes.clear();
        set = NoteIdSet::FromFile(bytes);
    }
    return *set;
}

void frmNotesForm::NoteListSave(bool Read) {
    Guard("frmNotes", "NoteListSave", [&] {
        // A failed write leaves the old file as it was.
        const std::string path = DatPath + (Read ? ReadNotesFile : DeletedNotesFile);
        if (!ReplaceWholeFile(path, NoteListLoad(Read).FileBytes())) Raise(errPathFileAccess, "frmNotes");
    });
}

std::string frmNotesForm::WhoStatus(const std::string& Id, bool Add) {
    std::string status;
    Guard("frmNotes", "WhoStatus", [&] {
        NoteIdSet& read = NoteListLoad(true);
        if (read.Contains(Id)) return;
        status = "New";
        if (Add && read.Add(Id)) NoteListSave(true);
    });
    return status;
}

bool frmNotesForm::DeleteNote(int32_t Id, bool Test) {
    bool deleted = false;
    Guard("frmNotes", "DeleteNote", [&] {
        NoteIdSet& set = NoteListLoad(false);
        if (Test) {
            deleted = set.Contains(CStr(Id));
        } else if (set.Add(CStr(Id))) {
            NoteListSave(false);
        }
    });
    return deleted;
}

void frmNotesForm::Update(const std::string& Data) {
    Guard("frmNotes", "Update", [&] {
        const NoteIdSet& deleted = NoteListLoad(false);
        const NotePage page = ReadNoteList(Data, Username, [&](const std::string& id) { return deleted.Contains(id); });
        lowest_ = page.Lowest;
        highest_ = page.Highest;
        KeyedListView::Batch batch1(gridNoteWindow1), batch2(gridNoteWindow2);
        gridNoteWindow1.Clear();
        gridNoteWindow2.Clear();
        for (const NoteHeader& note : page.Rows) {
            // One page fills both lists: the cap counts their rows together.
            if (!cap_.Room(gridNoteWindow1.Count() + gridNoteWindow2.Count())) break;
            const int list = note.Private ? 2 : 1;
            tabNotes.SetHighlighted(list, true);
            KeyedListView& grid = gridNoteWindow(list);
            const int row = grid.Add("id" + note.Id, note.Id);
            if (!row) continue;
            grid.SetSubItem(row, "status", WhoStatus(note.Id, false));
            grid.SetSubItem(row, "sender", note.Sender);
            grid.SetSubItem(row, "subject", note.Subject);
        }
        SetCaption("Forum - " + CStr(static_cast<int64_t>(gridNoteWindow1.Count() + gridNoteWindow2.Count())) +
                   " Posts...");
        if (page.Malformed) Raise(errSubscriptOutOfRange, "frmNotes", "A note header of the page was not readable.");
    });
}

void frmNotesForm::gridNoteWindow_Click(int Index) {
    Guard("frmNotes", "gridNoteWindow_Click", [&] {
        KeyedListView& grid = gridNoteWindow(Index);
        const int row = grid.SelectedIndex();
        if (!row) return;
        const std::string id = grid.ItemAt(row).Text;
        LastNote = CLng(id);
        Send(NoteTextRequest(id));
        WhoStatus(id, true);
    });
}

void frmNotesForm::cmdNext_Click() {
    Guard("frmNotes", "cmdNext_Click", [&] {
        if (!highest_) return;  // no page with ids yet
        LastNote = CLng(*highest_);
        Send(NotesPageRequest(CStr(LastNote), "N"));
    });
}

void frmNotesForm::cmdPrev_Click() {
    Guard("frmNotes", "cmdPrev_Click", [&] {
        if (!lowest_) return;
        LastNote = CLng(*lowest_);
        Send(NotesPageRequest(CStr(LastNote), "P"));
    });
}

void frmNotesForm::cmdDelete_Click() {
    Guard("frmNotes", "cmdDelete_Click", [&] {
        KeyedListView& grid = gridNoteWindow(tabNotes.SelectedIndex());
        const int row = grid.SelectedIndex();
        const int32_t id = row ? CLng(grid.ItemAt(row).Text) : 0;
        if (!id) {
            CSendMessage("Please select a note to delete!", InformationBox, DeleteTitle, 0, true, true, -1, "Tahoma");
            return;
        }
        LastNote = id;
        if (AccessLevel >= ServerDeleteLevel &&
            CSendMessage("Would you like to delete this note permanently?\r\nWarning:  This will delete the note from the server!",
                         YesNoQuestion, DeleteTitle, 0, true, true, -1, "Tahoma") == mbrYes) {
            Send(NoteDeleteRequest(CStr(id)));
        }
        DeleteNote(id, false);
    });
}

void frmNotesForm::cmdNew_Click() {
    Guard("frmNotes", "cmdNew_Click", [&] {
        frmWriteNoteForm& editor = frmWriteNote();
        editor.Load();
        editor.Show(ShowMode::Modeless, this);
        editor.LoadForm();
    });
}

void frmNotesForm::cmdReply_Click() {
    Guard("frmNotes", "cmdReply_Click", [&] {
        frmWriteNoteForm& editor = frmWriteNote();
        editor.Load();
        editor.Show(ShowMode::Modeless, this);
        editor.txtRoute.SetText(ReplyRoute(txtRoute.Text(), txtSender.Text()));
        editor.txtSubject.SetText("RE: " + txtSubject.Text());
        editor.LockHeader();
        editor.txtFooter.SetPlainText(ReplyFooter(txtSender.Text(), txtRoute.Text(), txtDate.Text(), txtMessage.Text()));
        editor.LoadForm();
    });
}

void frmNotesForm::tabNotes_Click() {
    const int selected = tabNotes.SelectedIndex();
    for (int i = 1; i <= 2; ++i) {
        if (i == selected) {
            gridNoteWindow(i).SetVisible(true);
            tabNotes.SetHighlighted(i, false);
        } else {
            gridNoteWindow(i).SetVisible(false);
        }
    }
}

frmNotesForm& frmNotes() { return TheForm<frmNotesForm>(); }

}  // namespace skx
