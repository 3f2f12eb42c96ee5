// The client's skinned box window: a borderless box with a painted title band, an icon, the
// message text, up to four buttons, a close image and an optional count-down. The same
// window serves as the input box. Each open box is its own instance (see MessageBox.h).
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "GdiHandle.h"
#include "MsgBoxSkin.h"
#include "runtime/Form.h"
#include "runtime/FormTimer.h"

namespace skx {

class frmMsgBox : public Form {
public:
    frmMsgBox();
    ~frmMsgBox() override;

    // The modal message box; returns the pressed button's result (0 without a button).
    int16_t SMessageModal(const std::string& sText, int32_t sIcon, const std::string& sTitle,
                          int32_t lAutoCloseSeconds, bool bShowClose, bool bCenter, int32_t lWidth,
                          const std::string& sFont, Form* OwnerForm);
    // The modal input box; returns the text for "Ok" and "" otherwise.
    std::string SInputBox(const std::string& sPrompt, std::string& sTitle, std::string& sDefault,
                          int32_t lAutoCloseSeconds, bool bCenter, const std::string& sFont);
    // The modeless variant: returns at once; only button set 6 gets a button, which closes
    // the box. The box lives until it is closed.
    static frmMsgBox* SMessage(const std::string& sText, int32_t sIcon, const std::string& sTitle,
                               int32_t lAutoCloseSeconds, bool bShowClose, bool bCenter,
                               int32_t lWidth, const std::string& sFont, Form* OwnerForm);

    // The box behind a window handle (null for any other window).
    static frmMsgBox* FromWindow(HWND hwnd);
    // The window class every box window has.
    static const char* BoxClassName();

    // What the box shows, for callers that look at an open box.
    HWND Button(int index) const;       // cmdButton(0..3)
    int16_t ButtonResult(int index) const;
    int EscapeButton() const { return cancelButton_; }
    HWND UserText() const { return txtUserText_; }
    HWND MessageLabel() const { return txtMessage_; }
    const std::string& TitleText() const { return lblTitle_; }
    RECT CloseImageRect() const { return closeRect_; }
    bool CloseImageVisible() const { return closeVisible_; }
    CloseImageState CloseImage() const { return closeState_; }
    int16_t Result() const { return result_; }
    bool InputMode() const { return inputMode_; }
    int32_t IconIdentifier() const { return iconId_; }
    bool HasIcon() const { return static_cast<bool>(icon_); }

protected:
    HWND CreateFormWindow(HWND owner) override;
    void OnLoad() override;
    bool OnUnload() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslate(MSG& msg) override;

private:
    void SetupButton(int index, const char* caption, int16_t tag);
    void ApplyButtonSet(int32_t sIcon, bool extraOnly);
    void DisplayMessage(const std::string& sText, int32_t iconCode, const std::string& sTitle,
                        int32_t lAutoCloseSeconds, bool bShowClose, bool bCenter, int32_t lWidth,
                        const std::string& sFont);
    void DisplayInputBox(const std::string& sPrompt, const std::string& sTitle,
                         const std::string& sDefault, bool bCenter, const std::string& sFont);
    void PaintIcon(int32_t iconNumber);
    void PositionForm(bool bCenter);
    void MakeTopmost(Form* OwnerForm);

    // Layout helpers (pixels inside the window, twips for the window's own size).
    void ApplyFonts(const std::string& sFont);
    void RecordCursor();
    int TextWidthPx(HFONT font, const std::string& text) const;
    void SetTitle(const std::string& title);
    void SetSizeTwips(int widthTwips, int heightTwips);
    int InnerWidth() const;
    int InnerHeight() const;
    int PlaceMessageLabel(const std::string& text);  // returns the label's bottom
    int PlaceButtons(int top, int& widthTwips);        // returns the new height in twips
    void FinishSkin();

    void Press(int index);
    void FocusDefault();
    void Timer1_Timer();
    void OnPaint();
    void OnMouse(UINT msg, int x, int y);

    std::array<HWND, 4> cmdButton_{};
    std::array<int16_t, 4> buttonTag_{};
    int cancelButton_ = -1;  // pressed by Escape
    int enterButton_ = -1;   // pressed by Enter when no button has the focus
    HWND txtUserText_ = nullptr;
    HWND txtMessage_ = nullptr;
    std::string lblTitle_;
    RECT titleRect_{};
    RECT closeRect_{};
    bool closeVisible_ = true;
    CloseImageState closeState_ = CloseImageState::Normal;
    FontHandle windowFont10_, windowFont8_, buttonFont_;
    IconHandle icon_;
    FormTimer Timer1_;

    // State of one box between its calls.
    POINT cursorTwips_{};
    int32_t iconId_ = 0;
    std::string countdownTitle_;
    int32_t autoCloseSeconds_ = 0;
    int16_t result_ = 0;
    uint8_t defaultButton_ = 0;
    bool closeOnPress_ = false;
    bool inputMode_ = false;
    int32_t elapsed_ = 0;
};

}  // namespace skx
