// The notes window: in-game mail and the public forum. Pages of note headers (Update) fill a
// public and a private list; the note-text reply writes the open note into its boxes. The
// notes read and deleted here are remembered in Read-Notes.DAT and Deleted-Notes.DAT.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "FeatureWindow.h"
#include "NoteIdSet.h"
#include "runtime/KeyedListView.h"
#include "runtime/RichEditBox.h"
#include "RowCap.h"
#include "window_ids.h"

namespace skx {

class frmNotesForm : public FeatureWindow {
public:
    frmNotesForm();

    TabStrip tabNotes{*this, IDC_NOTES_TABNOTES, "tabNotes"};
    // 1 the public notes, 2 the private ones: keyed "id" & id, the id as text.
    KeyedListView gridNoteWindow1{*this, IDC_NOTES_GRIDNOTEWINDOW1, "gridNoteWindow", 1};
    KeyedListView gridNoteWindow2{*this, IDC_NOTES_GRIDNOTEWINDOW2, "gridNoteWindow", 2};
    KeyedListView& gridNoteWindow(int index) { return index == 2 ? gridNoteWindow2 : gridNoteWindow1; }

    // The open note.
    TextBox txtSender{*this, IDC_NOTES_TXTSENDER, "txtSender"};
    TextBox txtRoute{*this, IDC_NOTES_TXTROUTE, "txtRoute"};
    TextBox txtDate{*this, IDC_NOTES_TXTDATE, "txtDate"};
    TextBox txtSubject{*this, IDC_NOTES_TXTSUBJECT, "txtSubject"};
    RichEditBox txtMessage{*this, IDC_NOTES_TXTMESSAGE, "txtMessage"};

    Button cmdReply{*this, IDC_NOTES_CMDREPLY, "cmdReply"};
    Button cmdNew{*this, IDC_NOTES_CMDNEW, "cmdNew"};
    Button cmdLast{*this, IDC_NOTES_CMDLAST, "cmdLast"};
    Button cmdNext{*this, IDC_NOTES_CMDNEXT, "cmdNext"};
    Button cmdPrev{*this, IDC_NOTES_CMDPREV, "cmdPrev"};
    Button cmdDelete{*this, IDC_NOTES_CMDDELETE, "cmdDelete"};
    Button cmdDone{*this, IDC_NOTES_CMDDONE, "cmdDone"};

    // "" when the note was read, else "New"; with Add an unread note is recorded as read.
    std::string WhoStatus(const std::string& Id, bool Add);
    // Test: whether the note was deleted here. Otherwise records it as deleted (False).
    bool DeleteNote(int32_t Id, bool Test);
    // Refills both lists from a page of note headers.
    void Update(const std::string& Data);

protected:
    void FormLoad() override;
    bool OnUnload() override;

private:
    void cmdNext_Click();
    void cmdPrev_Click();
    void cmdDelete_Click();
    void cmdReply_Click();
    void cmdNew_Click();
    void gridNoteWindow_Click(int Index);
    void tabNotes_Click();
    // The id set of a file, read once per load of the window.
    NoteIdSet& NoteListLoad(bool Read);
    void NoteListSave(bool Read);

    std::optional<NoteIdSet> read_, deleted_;
    // The lowest and highest id of the last page; unset before a page with ids.
    std::optional<std::string> lowest_, highest_;
    RowCap cap_{"frmNotes", "Update", "note"};
};

frmNotesForm& frmNotes();

}  // namespace skx
