// The handlers of the account information ('v'), the money ('V') and the news ('D').
#include <string>
#include <vector>

#include "AccountRules.h"
#include "AccountState.h"
#include "ClientLinks.h"
#include "FrameWriter.h"
#include "MainWindowLinks.h"
#include "ProgramSettings.h"
#include "ProtocolFrame.h"
#include "ServerSettings.h"
#include "SettingsFiles.h"
#include "TextUtilities.h"
#include "frmChatBar.h"
#include "frmNews.h"
#include "frmRegistration.h"
#include "modEvents.h"
#include "modRTFLinks.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/Form.h"
#include "runtime/MenuItem.h"

namespace skx {

namespace {

constexpr const char* Module = "modEvents";

void ShowInformation() {
    const MainWindowLinkTable& links = MainWindowLinks();
    if (links.ShowInformation) links.ShowInformation(InformationText(Username, AccessLevel, Money));
}

// Shows the news window (loading it when needed) and appends the news from its third
// character, bold and black.
void ShowNews(const std::string& text) {
    frmNewsForm& news = frmNews();
    const MainWindowLinkTable& links = MainWindowLinks();
    news.Load();
    news.Show(ShowMode::Modeless, links.Window ? &links.Window() : nullptr);
    AddToRTB(Mid(text, 3), news.rtbNews, 0, true, true, false, false);
}

}  // namespace

void EventLV(std::string& data) {
    ProcLine line;
    Guard(Module, "EventLV", [&] {
        const std::vector<std::string> f = SplitB2(data, FieldSeparator);
        line.Line = 1;
        AccessLevel = CInt(Val(f[0]));
        line.Line = 2;
        if (AccessLevel >= WizardTabLevel) {
            frmChatBarForm& chat = frmChatBar();
            chat.Load();
            if (chat.tabChat.TabCount() < 6) chat.tabChat.AddTab("Wizard Chat");
        }
        line.Line = 3;
        // The two flags are checked and not used; a frame without them fails here, having changed
        // only the level (and the tab).
        const int32_t money = CLng(Val(f.at(1)));
        CBool(f.at(2));
        CBool(f.at(3));
        Money = money;
        line.Line = 4;
        ShowInformation();
        line.Line = 5;
        if (AccessLevel == UnregisteredLevel) {
            MainMenuItem(MainMenu::HelpRegistration).SetVisible(true);
            const MainWindowLinkTable& links = MainWindowLinks();
            frmRegistration().Show(ShowMode::Modeless, links.Window ? &links.Window() : nullptr);
        }
        line.Line = 6;
        const std::vector<ButtonShown> buttons = CommandButtonsShown(ButtonCount, AccessLevel);
        if (ClientLinks().ShowCommandButtons) ClientLinks().ShowCommandButtons(buttons);
        line.Line = 7;
        for (const MenuShown& m : StaffItemsShown(AccessLevel)) MainMenuItem(m.item).SetVisible(m.shown);
    }, &line);
}

void EventUV(std::string& data) {
    Guard(Module, "EventUV", [&] {
        const std::vector<std::string> f = SplitB2(data, FieldSeparator);
        Money = CLng(f[0]);
        ShowInformation();
    });
}

void EventUD(std::string& data) {
    Guard(Module, "EventUD", [&] {
        const std::string file = DatPath + GameDat;
        const std::string stored = mfncGetFromIni(file, "Options", "News", false, "");
        const std::vector<std::string> f = SplitB2(data, FieldSeparator);
        const int16_t kind = CInt(f[0]);
        if (kind == 2) {
            ShowNews(f.at(1));
            return;
        }
        if (kind != 1) return;
        const std::string& number = f.at(1);
        if (NewsWanted(stored, number)) Server("n", "2");
        WriteServerSetting(file, "Options", "News", StoredNewsValue(number));
    });
}

}  // namespace skx
