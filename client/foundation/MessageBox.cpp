#include "MessageBox.h"

#include <memory>

#include "frmMsgBox.h"
#include "runtime/ErrorGuard.h"

namespace skx {

int32_t CSendMessage(const std::string& sText, int32_t sIcon, const std::string& sTitle,
                     int32_t lAutoCloseSeconds, bool bShowClose, bool bCenter, int32_t lWidth,
                     const std::string& sFont, Form* OwnerForm) {
    int32_t result = 0;
    Guard("modMiscFunctionsOne", "CSendMessage", [&] {
        // Each open box is its own window with its own result: boxes opened from timers or
        // events while another box waits must not share state with it.
        auto box = std::make_unique<frmMsgBox>();
        result = box->SMessageModal(sText, sIcon, sTitle, lAutoCloseSeconds, bShowClose, bCenter, lWidth,
                                    sFont, OwnerForm);
    });
    return result;
}

std::string CInputMessage(const std::string& sPrompt, std::string& sTitle, std::string& sDefault,
                          int32_t lAutoCloseSeconds, bool bCenter, const std::string& sFont) {
    std::string result;
    Guard("modMiscFunctionsOne", "CInputMessage", [&] {
        auto box = std::make_unique<frmMsgBox>();
        result = box->SInputBox(sPrompt, sTitle, sDefault, lAutoCloseSeconds, bCenter, sFont);
    });
    return result;
}

std::string CInputMessage(const std::string& sPrompt, const std::string& sTitle,
                          const std::string& sDefault, int32_t lAutoCloseSeconds, bool bCenter,
                          const std::string& sFont) {
    std::string title = sTitle;
    std::string text = sDefault;
    return CInputMessage(sPrompt, title, text, lAutoCloseSeconds, bCenter, sFont);
}

}  // namespace skx
