#include "OpenFileDialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "FileDialogFilter.h"
#include "LateBound.h"
#include "RunTimeError.h"

namespace skx {

bool OpenFileDialog::ShowOpen(HWND owner) {
    const std::string filter = DialogFilterPairs(Filter);
    std::vector<char> name(MAX_PATH * 4, '\0');
    FileName.copy(name.data(), name.size() - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrTitle = DialogTitle.empty() ? nullptr : DialogTitle.c_str();
    ofn.Flags = Flags | OFN_EXPLORER;
    static const auto open = LateBound<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    static const auto extendedError = LateBound<decltype(&CommDlgExtendedError)>("comdlg32.dll", "CommDlgExtendedError");
    if (!open || !open(&ofn)) {
        const DWORD failure = open && extendedError ? extendedError() : CDERR_INITIALIZATION;
        if (failure != 0) {
            Raise(errInvalidProcedureCall, "CommonDialog", "The open-file dialog failed (" + std::to_string(failure) + ")");
        }
        if (CancelError) Raise(errDialogCancelled, "CommonDialog", "Cancel was selected.");
        return false;
    }
    FileName = name.data();
    return true;
}

}  // namespace skx
