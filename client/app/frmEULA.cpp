#include "frmEULA.h"

#include "FileServices.h"
#include "ProgramSettings.h"
#include "Registry.h"
#include "WindowLook.h"
#include "frmMain.h"
#include "runtime/App.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {
constexpr int OkId = 1;
constexpr int CancelId = 2;
constexpr int WindowWidth = 480;
constexpr int WindowHeight = 400;
}  // namespace

frmEULAForm::frmEULAForm() : Form("frmEULA", FormKind::Dialog) {
    initialCaption_ = "End User License Agreement";
    initialRect_ = RECT{(GetSystemMetrics(SM_CXSCREEN) - WindowWidth) / 2, (GetSystemMetrics(SM_CYSCREEN) - WindowHeight) / 2,
                        WindowWidth, WindowHeight};
    OKButton.SetCaption("OK");
    CancelButton.SetCaption("Cancel");
}

void frmEULAForm::OnLoad() {
    Guard("frmEULA", "Form_Load", [&] {
        HWND hwnd = hWnd();
        DropShadow(hwnd);
        int w = ScaleWidth(), h = ScaleHeight();
        rtbEULA.Move(8, 8, w - 16, h - 52);
        OKButton.Move(w - 176, h - 36, 80, 26);
        CancelButton.Move(w - 88, h - 36, 80, 26);
        rtbEULA.Create(hwnd);
        OKButton.Create(hwnd, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, OkId);
        CancelButton.Create(hwnd, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, CancelId);
        rtbEULA.SetText(AgreementWaitText);
        std::string file = App::Path() + "\\" + AgreementFileName;
        if (FileExist(file)) {
            rtbEULA.LoadFile(file);
            rtbEULA.Refresh();
        }
    });
}

void frmEULAForm::OnActivate(bool active) {
    Guard("frmEULA", active ? "Form_Activate" : "Form_Deactivate", [&] {
        if (active) MakeOpaque(Handle());
        else MakeTransparent(Handle(), 90);
    });
}

bool frmEULAForm::OnUnload() {
    // The title bar cannot close the agreement: it stays loaded for the rest of the run.
    return true;
}

void frmEULAForm::OKButton_Click() {
    Guard("frmEULA", "OKButton_Click", [&] {
        Hide();
        frmMain().SetEnabled(true);
        fWriteValue(ClientRegistryRoot, ClientRegistryKey(AccessCode), "Initialized", "S", std::string("False"));
    });
}

void frmEULAForm::CancelButton_Click() {
    Guard("frmEULA", "CancelButton_Click", [&] {
        frmMain().ReadyToClose = true;
        frmMain().Shutdown(false);
    });
}

LRESULT frmEULAForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                if (LOWORD(wParam) == OkId) { OKButton_Click(); return 0; }
                if (LOWORD(wParam) == CancelId) { CancelButton_Click(); return 0; }
            }
            break;
        case WM_DESTROY:
            rtbEULA.Detach();
            OKButton.Detach();
            CancelButton.Detach();
            break;
        default:
            break;
    }
    return Form::WindowProc(msg, wParam, lParam);
}

frmEULAForm& frmEULA() { return TheForm<frmEULAForm>(); }

}  // namespace skx
