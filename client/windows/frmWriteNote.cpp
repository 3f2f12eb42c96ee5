#include "frmWriteNote.h"

#include <richedit.h>

#include "ClientLinks.h"
#include "MessageBox.h"
#include "NoteRequests.h"
#include "ProgramSettings.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {
constexpr int32_t InformationBox = 70;

bool Connected() {
    const auto& connected = ClientLinks().Connected;
    return connected && connected();
}
}  // namespace

frmWriteNoteForm::frmWriteNoteForm() : FeatureWindow("frmWriteNote", IDD_WRITENOTE) {
    cmdSend.Click = [this] { cmdSend_Click(); };
    cmdClose.Click = [] { ReleaseForm<frmWriteNoteForm>(); };
    txtCash.Change = [this] { txtCash_Change(); };
}

void frmWriteNoteForm::FormLoad() {
    SendMessageA(txtMessage.hWnd(), EM_EXLIMITTEXT, 0, NoteLimit);
    SendMessageA(txtFooter.hWnd(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    // An editor closed by its title bar starts empty next time, as one closed by Close.
    for (TextBox* box : {&txtRoute, &txtSubject, &txtCash}) box->SetText("");
    txtMessage.SetPlainText("");
    txtFooter.SetPlainText("");
    lblCharCnt.SetCaption("0");
}

void frmWriteNoteForm::LoadForm() {
    Guard("frmWriteNote", "LoadForm", [&] {
        const EditorTexts texts = PrepareEditorTexts(txtMessage.Text(), txtFooter.Text(), Signature);
        txtMessage.SetPlainText(texts.Message);
        txtFooter.SetPlainText(texts.Footer);
        lblCharCnt.SetCaption(CStr(texts.CharsLeft));
    });
}

void frmWriteNoteForm::LockHeader() {
    SendMessageA(txtRoute.hWnd(), EM_SETREADONLY, TRUE, 0);
    SendMessageA(txtSubject.hWnd(), EM_SETREADONLY, TRUE, 0);
}

bool frmWriteNoteForm::KeyPreview(const MSG& msg) {
    if (msg.message != WM_CHAR || msg.hwnd != txtMessage.hWnd()) return false;
    bool swallowed = false;
    Guard("frmWriteNote", "txtMessage_KeyPress", [&] { swallowed = txtMessage_KeyPress(static_cast<int>(msg.wParam)); });
    return swallowed;
}

bool frmWriteNoteForm::txtMessage_KeyPress(int) {
    const std::string message = txtMessage.Text();
    if (Len(message) == NoteLimit) return true;
    lblCharCnt.SetCaption(CStr(CharactersLeft(message, txtFooter.Text())));
    return false;
}

void frmWriteNoteForm::txtCash_Change() {
    Guard("frmWriteNote", "txtCash_Change", [&] {
        const std::string cash = txtCash.Text();
        if (!cash.empty() && !IsNumeric(cash)) txtCash.SetText("");
    });
}

void frmWriteNoteForm::cmdSend_Click() {
    Guard("frmWriteNote", "cmdSend_Click", [&] {
        if (!Connected()) {
            // The note is not lost: the editor stays open with its text as typed.
            CSendMessage("Not connected: the note was not sent.", InformationBox, "Write Notes", 0, true, true, -1, "Tahoma");
            return;
        }
        const std::string request = NoteSendRequest(txtRoute.Text(), txtSubject.Text(), txtMessage.Text(),
                                                     txtFooter.Text(), txtCash.Text());
        if (const auto& server = ClientLinks().Server) server(NotesCommand, request);
        ReleaseForm<frmWriteNoteForm>();
    });
}

frmWriteNoteForm& frmWriteNote() { return TheForm<frmWriteNoteForm>(); }

}  // namespace skx
