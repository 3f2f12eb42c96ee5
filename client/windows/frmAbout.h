// The About window: the product's title and version at the head of credits that scroll up
// without end, and a closing animation that folds the window to a strip, raises it to the
// screen's top and slides it off to the right.
#pragma once
#include <string>
#include <vector>

#include "FeatureWindow.h"
#include "GdiHandle.h"
#include "runtime/FormTimer.h"
#include "window_ids.h"

namespace skx {

class frmAboutForm : public FeatureWindow {
    // The scrolling credits; everything down to the last name label lies on it.
    DialogPage fraAbout{"frmAbout", IDD_ABOUT_CREDITS};

public:
    frmAboutForm();

    Label lblMain{fraAbout, IDC_ABOUT_LBLMAIN, "lblMain"};
    Label lblVersion{fraAbout, IDC_ABOUT_LBLVERSION, "lblVersion"};
    ControlArray<Label, 5> lblTitle{fraAbout, IDC_ABOUT_LBLTITLE, "lblTitle"};
    Label Label5{fraAbout, IDC_ABOUT_LABEL5, "Label5"};
    Label Label1{fraAbout, IDC_ABOUT_LABEL1, "Label1"};
    Label Label2{fraAbout, IDC_ABOUT_LABEL2, "Label2"};
    Label Label3{fraAbout, IDC_ABOUT_LABEL3, "Label3"};
    Label Label6{fraAbout, IDC_ABOUT_LABEL6, "Label6"};
    Label Label8{fraAbout, IDC_ABOUT_LABEL8, "Label8"};
    Label Label14{fraAbout, IDC_ABOUT_LABEL14, "Label14"};
    Label Label15{fraAbout, IDC_ABOUT_LABEL15, "Label15"};
    Label Label16{fraAbout, IDC_ABOUT_LABEL16, "Label16"};
    Label Label17{fraAbout, IDC_ABOUT_LABEL17, "Label17"};
    Label Label18{fraAbout, IDC_ABOUT_LABEL18, "Label18"};
    Label Label19{fraAbout, IDC_ABOUT_LABEL19, "Label19"};
    Label Label20{fraAbout, IDC_ABOUT_LABEL20, "Label20"};
    Label Label21{fraAbout, IDC_ABOUT_LABEL21, "Label21"};
    Label lblBrindle{fraAbout, IDC_ABOUT_LBLBRINDLE, "lblBrindle"};
    ControlArray<Label, 2> Line{fraAbout, IDC_ABOUT_LINE, "Line"};
    Label imgFinger{fraAbout, IDC_ABOUT_IMGFINGER, "imgFinger"};
    Label picExit{*this, IDC_ABOUT_PICEXIT, "picExit"};
    Label Image1{*this, IDC_ABOUT_IMAGE1, "Image1"};
    Button cmdClose{*this, IDC_ABOUT_CMDCLOSE, "cmdClose"};
    FormTimer tmrAbout;

    std::vector<ControlHost*> ControlHosts() override { return {this, &fraAbout}; }

protected:
    void FormLoad() override;
    bool OnQueryUnload(UnloadMode mode) override;
    // The closing animation.
    bool OnUnload() override;

private:
    void tmrAbout_Timer();
    void cmdClose_Click();
    void PlaceCredits();

    GdiObject<HBITMAP> finger_;  // imgFinger's picture
    int creditsTop_ = 0;     // the credits' Top in twips
    int creditsLeft_ = 0;    // pixels
    bool closing_ = false;   // the animation has begun: further closes do nothing more
    bool programEnding_ = false;
};

frmAboutForm& frmAbout();

}  // namespace skx
