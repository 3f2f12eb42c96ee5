// The open-file dialog as a window keeps it: its settings stay between showings, so a showing
// uses what was set before it, and the chosen file stays in FileName.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace skx {

// What a cancelled dialog raises when CancelError is set.
constexpr int32_t errDialogCancelled = 32755;

class OpenFileDialog {
public:
    // "Description|pattern|..." pairs.
    std::string Filter;
    // OFN_ flags (6144: the chosen path and file must exist).
    uint32_t Flags = 0;
    std::string DialogTitle;
    // A Cancel raises error 32755 when set.
    bool CancelError = false;
    // The chosen file's full path; also the name the dialog starts with.
    std::string FileName;

    // Shows the modal dialog owned by owner; true when a file was chosen. A Cancel leaves
    // FileName as it was and returns false, or raises error 32755 when CancelError is set; a
    // dialog that cannot be shown raises error 5.
    bool ShowOpen(HWND owner);
};

}  // namespace skx
