// The chat window: six rich-text chat panes behind a tab strip, and the player list.
#pragma once
#include <array>
#include <string>

#include "runtime/Control.h"
#include "runtime/Form.h"

namespace skx {

class frmChatBarForm : public Form {
public:
    frmChatBarForm();

    // The chat panes: 0 "General", 1 "Game", 2 "Public Chat", 3 "Private Chat", 4 "Team Chat",
    // 5 "Wizard Chat"; pane n - 1 belongs to tab n.
    std::array<RichTextBox, 6> txtStatus;
    TabStrip tabChat;
    // The players online: items captioned and keyed by name, sub-item "level".
    ListView WhoList;

    // The splitter between the panes and the player list, in twips from the left.
    int Splitter() const { return splitter_; }
    void SetSplitter(int twips);

    // Shows the pane of the selected tab and hides the others.
    void ShowSelectedPane();

    // Refills WhoList from a who list (records split on ";", fields on ":"; a record of fewer
    // than seven fields is skipped) and selects again the name selected before. A record with
    // an empty or repeated name is skipped, the first such of a refill reported.
    void Update(const std::string& Data);

protected:
    void OnLoad() override;
    void OnResize() override;
    bool OnQueryUnload(UnloadMode mode) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // A pane's mouse moves show the link pointer; a left click on a link opens it in the browser.
    void PaneMouse(RichTextBox& pane, UINT msg, WPARAM keys, LPARAM at);
    int splitter_ = 0;
};

frmChatBarForm& frmChatBar();

}  // namespace skx
