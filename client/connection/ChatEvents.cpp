// The handlers of chat lines ('c'), the server's error box ('#') and the who list ('w').
#include <string>
#include <vector>

#include "ChatLines.h"
#include "ChatPanes.h"
#include "ChatTimeStamp.h"
#include "IgnoreCheck.h"
#include "MainWindowLinks.h"
#include "OptionMenuItems.h"
#include "ProgramSettings.h"
#include "ProtocolFrame.h"
#include "ServerTextBoxes.h"
#include "TextUtilities.h"
#include "frmChatBar.h"
#include "frmShop.h"
#include "frmTournament.h"
#include "frmWho.h"
#include "modEvents.h"
#include "modRTFLinks.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/MenuItem.h"

namespace skx {

namespace {

constexpr const char* Module = "modEvents";

void Write(const std::vector<ChatPiece>& pieces) {
    for (const ChatPiece& p : pieces) {
        AddToRTB(p.text, ChatPaneBox(p.pane), p.colour, p.newLine, p.bold, p.altFont, true);
    }
}

ChatLook CurrentLook() {
    return ChatLook{ChatTimeStamp(), BoldNames, ChatColours, TellColours, PlanColours, AnnounceColours};
}

}  // namespace

void EventLC(std::string& data) {
    Guard(Module, "EventLC", [&] {
        const std::vector<std::string> f = SplitB2(data, FieldSeparator);
        const std::string sender = f[0];
        std::string text;
        int kind = ChatKind::Short;
        if (f.size() >= 3) {
            text = f[1];
            kind = CInt(f[2]);
        }
        if (MenuChecked(MenuOption::LangFilter)) text = FilterMessage(text);
        if (IgnorableKind(kind) && IsIgnored(sender)) return;
        if (!IsChatKind(kind)) {
            ServerTextBox("EventLC", InvalidChatLineText(sender, text, kind), 0, "");
            return;
        }
        const std::vector<ChatPiece> pieces = ChatPieces(kind, sender, text, CurrentLook());
        if (kind == ChatKind::Locker || kind == ChatKind::Locker2) {
            const bool list = IsLockerList(text);
            if (list && frmShop().Visible()) {
                frmShop().ParseLockerData(text);
            } else {
                Write(pieces);
            }
            if (list) MainMenuItem(MainMenu::TargetNone).SetChecked(true);
        } else if (kind == ChatKind::Tournament) {
            if (frmTournament().Visible()) {
                frmTournament().StatusBar1.SetPanelText(1, text);
            } else {
                Write(pieces);
            }
        } else {
            Write(pieces);
            if (kind == ChatKind::Announce && MainWindowLinks().ShowAnnouncement) {
                MainWindowLinks().ShowAnnouncement(sender + ": " + text);
            }
        }
    });
}

void EventERROR(std::string& data) {
    Guard(Module, "EventERROR", [&] {
        const std::vector<std::string> f = SplitB2(data, FieldSeparator);
        ServerTextBox("EventERROR", "Error notification from server! " + f[0], 0, "");
    });
}

void EventLW(std::string& data) {
    Guard(Module, "EventLW", [&] {
        const std::vector<std::string> f = SplitB2(data, FieldSeparator);
        if (frmWho().Visible()) frmWho().Update(f[0]);
        frmChatBar().Update(f[0]);
    });
}

}  // namespace skx
