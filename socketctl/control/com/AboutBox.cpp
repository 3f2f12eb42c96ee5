// The About box.
#include "ModuleState.h"
#include "Wirelatch.h"

namespace wirelatch {
namespace {

constexpr int kAboutDialog = 201;

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    if (message == WM_INITDIALOG) return TRUE;
    return FALSE;
}

}  // namespace

HRESULT Wirelatch::About() {
    DialogBoxParamW(ModuleHandle(), MAKEINTRESOURCEW(kAboutDialog), GetActiveWindow(), AboutProc, 0);
    return S_OK;
}

}  // namespace wirelatch
