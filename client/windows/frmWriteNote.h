// The note editor ("Write Notes"): a note to a player or to the forum, with cash attached and
// the signature in a footer sent behind the message. The counter shows the characters left of
// the 5000 that message and footer share.
#pragma once
#include "FeatureWindow.h"
#include "runtime/RichEditBox.h"
#include "window_ids.h"

namespace skx {

class frmWriteNoteForm : public FeatureWindow {
public:
    frmWriteNoteForm();

    TextBox txtRoute{*this, IDC_WRITENOTE_TXTROUTE, "txtRoute"};
    TextBox txtSubject{*this, IDC_WRITENOTE_TXTSUBJECT, "txtSubject"};
    RichEditBox txtMessage{*this, IDC_WRITENOTE_TXTMESSAGE, "txtMessage"};
    RichEditBox txtFooter{*this, IDC_WRITENOTE_TXTFOOTER, "txtFooter"};
    TextBox txtCash{*this, IDC_WRITENOTE_TXTCASH, "txtCash"};
    Label lblChars{*this, IDC_WRITENOTE_LBLCHARS, "lblChars"};
    Label lblCharCnt{*this, IDC_WRITENOTE_LBLCHARCNT, "lblCharCnt"};
    Button cmdSend{*this, IDC_WRITENOTE_CMDSEND, "cmdSend"};
    Button cmdClose{*this, IDC_WRITENOTE_CMDCLOSE, "cmdClose"};

    // Prepares the shown editor: the signature goes in front of the footer, tokens become line
    // breaks, the counter is set.
    void LoadForm();
    // Locks the route and subject of a reply.
    void LockHeader();

protected:
    void FormLoad() override;
    bool KeyPreview(const MSG& msg) override;

private:
    // True when the key is swallowed.
    bool txtMessage_KeyPress(int KeyAscii);
    void cmdSend_Click();
    void txtCash_Change();
};

frmWriteNoteForm& frmWriteNote();

}  // namespace skx
