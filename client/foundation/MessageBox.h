// The client's own message box and input box: every question, warning and input of the
// client goes through these two functions (module modMiscFunctionsOne).
#pragma once
#include <cstdint>
#include <string>

namespace skx {

class Form;

// Style word of the message box (MsgBoxStyle): button set in bits 0-3, icon in bits 4-7,
// default button in bits 8-10, extra fourth button in bit 14.
enum MsgBoxStyleBits : int32_t {
    mbOkOnly = 0,
    mbOkCancel = 1,
    mbAbortRetryIgnore = 2,
    mbYesNoCancel = 3,
    mbYesNo = 4,
    mbRetryCancel = 5,
    mbCritical = 16,
    mbQuestion = 32,
    mbExclamation = 48,
    mbInformation = 64,
    mbDefaultButton2 = 256,
    mbDefaultButton3 = 512,
    mbDefaultButton4 = 768,
    mbExtraButton = 0x4000,
};

// The style the feature windows pass: button set 6 (a single OK button) and the information icon.
constexpr int32_t WindowNoticeStyle = 6 + mbInformation;

// The pressed button (MsgBoxResult); 0 when the box closed without a button.
enum MsgBoxResultValue : int32_t {
    mbrNone = 0,
    mbrOk = 1,
    mbrCancel = 2,
    mbrAbort = 3,
    mbrRetry = 4,
    mbrIgnore = 5,
    mbrYes = 6,
    mbrNo = 7,
    mbrExtra = 8,
};

// Shows the modal message box and returns the pressed button (0 on a failure).
int32_t CSendMessage(const std::string& sText, int32_t sIcon, const std::string& sTitle,
                     int32_t lAutoCloseSeconds = 0, bool bShowClose = true, bool bCenter = true,
                     int32_t lWidth = -1, const std::string& sFont = "Tahoma", Form* OwnerForm = nullptr);

// Shows the modal input box and returns the typed text: only "Ok" returns it; "Cancel",
// Escape and the close image return "". An empty sTitle becomes the program's title.
std::string CInputMessage(const std::string& sPrompt, std::string& sTitle, std::string& sDefault,
                          int32_t lAutoCloseSeconds = 0, bool bCenter = true,
                          const std::string& sFont = "Tahoma");
// The same for callers with constant title and default text.
std::string CInputMessage(const std::string& sPrompt, const std::string& sTitle,
                          const std::string& sDefault, int32_t lAutoCloseSeconds = 0,
                          bool bCenter = true, const std::string& sFont = "Tahoma");

}  // namespace skx
