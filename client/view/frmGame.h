// The game information window: the running game's type, time, teams and players, the
// bot-splat count and the ready-status box.
#pragma once
#include <string>

#include "runtime/Control.h"
#include "runtime/Form.h"

namespace skx {

class frmGameForm : public Form {
public:
    frmGameForm();
    // The ready status: "Unready", "Ready" or "Auto-Ready".
    ComboBox cmbStatus;
    // Shows a ready status in cmbStatus without a change event (the server told it; only the
    // user's own choice is sent back).
    void ShowReadyStatus(const std::string& status);
    // The information shown, one line per entry.
    Control lblInfo;

    // Fills the window from one section of a game-information reply (1 game type, time left and
    // team count; 2 player list; 3 own team, game information and team list), then shows the
    // bot-splat count.
    void Update(const std::string& Data, int Section);
    // The text last shown for a section (1 to 3); empty for any other.
    std::string SectionText(int Section) const;

protected:
    void OnLoad() override;
    void OnResize() override;
    bool OnQueryUnload(UnloadMode mode) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowText();
    std::string sections_[3];
};

frmGameForm& frmGame();

}  // namespace skx
