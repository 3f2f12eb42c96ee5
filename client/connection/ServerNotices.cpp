// The numbered notices ('M') and their handler.
#include "ServerNotices.h"

#include <vector>

#include "ArenaModel.h"
#include "ChatPanes.h"
#include "ChatTimeStamp.h"
#include "ConnectionState.h"
#include "FrameWriter.h"
#include "MainWindowLinks.h"
#include "OptionMenuItems.h"
#include "ProgramSettings.h"
#include "ProtocolFrame.h"
#include "ServerNoticeTable.h"
#include "ServerTextBoxes.h"
#include "TextUtilities.h"
#include "ViewServices.h"
#include "WirelatchDispids.h"
#include "frmGame.h"
#include "modEvents.h"
#include "modRTFLinks.h"
#include "runtime/Conversions.h"
#include "runtime/DispatchObject.h"
#include "runtime/ErrorGuard.h"
#include "runtime/MenuItem.h"

namespace skx {

namespace {

// Notice 18: the Status menu's three items, and the game window's status box (set without a
// change event, so nothing goes back to the server).
void ShowReadyState(ReadyChoice choice) {
    const MainMenu items[] = {MainMenu::ReadyNot, MainMenu::ReadyYes, MainMenu::ReadyAuto};
    for (MainMenu item : items) MainMenuItem(item).SetChecked(false);
    if (choice == ReadyChoice::None) return;
    MainMenuItem(items[static_cast<int>(choice) - 1]).SetChecked(true);
    frmGame().ShowReadyStatus(ReadyStatusText(choice));
}

void CarryOut(const NoticeAction& action, std::string& D1) {
    switch (action.effect) {
        case NoticeEffect::None: break;
        case NoticeEffect::HoldPosition: MoveTarget = OwnPosition; break;
        case NoticeEffect::ClearSplats: Clear_Splats(); break;
        case NoticeEffect::GameEnd: GameEnd(); break;
        case NoticeEffect::ReadyState: ShowReadyState(action.ready); break;
        case NoticeEffect::Quit: Server("C", "quit"); break;
        case NoticeEffect::AdminBox: ServerTextBox("EventUM", D1, 70, "Administrative Contact"); break;
        case NoticeEffect::VoteInformation: HandleVoteInformation(D1); break;
    }
}

}  // namespace

void ShowMessage(int16_t MsgID, std::string D1, std::string D2, std::string D3) {
    Guard("modMiscFunctionsOne", "ShowMessage", [&] {
        NoticeContext context;
        context.username = Username;
        context.ignoreSplats = MenuChecked(MenuOption::SplatIgnore);
        context.localAddress = [] { return MainSocket().PropertyGet(wl::LocalAddress).ToString(); };
        const NoticeAction action = DescribeNotice(MsgID, D1, D2, D3, context);
        if (action.writes) {
            AddToRTB(ChatTimeStamp() + action.text, ChatPaneBox(1), action.colour, true, action.bold, false,
                     action.echo);
        }
        CarryOut(action, D1);
        if (action.sound >= 0) View().PlaySound(action.sound);
    });
}

void EventUM(std::string& data) {
    Guard("modEvents", "EventUM", [&] {
        std::vector<std::string> f = SplitB2(data, FieldSeparator);
        if (f.size() > 4) return;
        const int16_t id = CInt(Val(f[0]));
        f.resize(4);
        ShowMessage(id, f[1], f[2], f[3]);
    });
}

}  // namespace skx
