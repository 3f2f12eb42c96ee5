// The agreement window shown on a first run: the agreement text and OK / Cancel. It refuses
// every unload, so it stays loaded for the rest of the run.
#pragma once
#include "runtime/Control.h"
#include "runtime/Form.h"

namespace skx {

inline constexpr char AgreementFileName[] = "rtfEULA.rtf";
inline constexpr char AgreementWaitText[] = "Please wait... Downloading E.U.L.A.";

class frmEULAForm : public Form {
public:
    frmEULAForm();

    RichTextBox rtbEULA;
    Control OKButton;
    Control CancelButton;

    void OKButton_Click();
    void CancelButton_Click();

protected:
    void OnLoad() override;
    void OnActivate(bool active) override;
    bool OnUnload() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

frmEULAForm& frmEULA();

}  // namespace skx
