#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "AccountState.h"
#include "AliasCommands.h"
#include "ClientLinks.h"
#include "LockerList.h"
#include "ProgramSettings.h"
#include "ShopList.h"
#include "WinTestSupport.h"
#include "frmAlias.h"
#include "frmBtnEdit.h"
#include "frmShop.h"
#include "runtime/ErrorGuard.h"

using namespace skx;

namespace {

std::vector<int32_t> g_errors;
void Capture(const std::string&, const std::string&, int16_t, int32_t number, const std::string&) {
    g_errors.push_back(number);
}

// The links a window reaches the program through: what it sends and the sounds it plays.
class WindowLinks : public ::testing::Test {
protected:
    void SetUp() override {
        g_errors.clear();
        SetReportErrorHook(&Capture);
        ClientLinks().Server = [this](const std::string& c, const std::string& m) { sent.push_back(c + "|" + m); };
        ClientLinks().PlayEffect = [this](int16_t e) { sounds.push_back(e); };
        ClientLinks().Connected = [] { return true; };
        DatPath = dir_.Path() + "\\";
    }
    void TearDown() override {
        SetReportErrorHook(nullptr);
        ClientLinks() = ClientLinkTable{};
    }
    std::vector<std::string> sent;
    std::vector<int16_t> sounds;
    testsupport::ScratchDir dir_{"storealias"};
};

}  // namespace

TEST(ShopList, CategoriesStoresAndLines) {
    EXPECT_EQ(ShopCategories(3).size(), 8u);
    EXPECT_EQ(ShopCategories(3)[3].Caption, "Jackets & Suits");
    EXPECT_TRUE(ShopCategories(6).empty());
    // The tag is part of the name: no blank before "Minigun" makes it a gun.
    EXPECT_EQ(FindCategory("[2]Minigun", 2), "Gun");
    EXPECT_EQ(FindCategory("[2]Big MINIGUN", 2), "Auto");
    EXPECT_EQ(FindCategory("[3]Kevlar Vest Jacket", 3), "Body");
    EXPECT_EQ(FindCategory("[4]Red Mine", 4), "Mine");
    EXPECT_EQ(FindCategory("[3]Red Helmet", 1), "Other");
    EXPECT_EQ(StoreNumber("[5]Key:1:1", 94), 0);
    EXPECT_EQ(StoreNumber("[5]Key:1:1", 95), 5);
    EXPECT_EQ(StoreNumber("[6]Key:1:1", 99), 0);

    ShopListRead read = ReadShopList("[3]A:1:2\r[3]B:3:4\r\n");
    ASSERT_EQ(read.Items.size(), 2u);
    EXPECT_FALSE(read.Malformed);
    EXPECT_EQ(read.Items[1].Shown, "B");
    EXPECT_EQ(read.Items[1].Weight, "4");
    read = ReadShopList("[3]A:1:2\r[3]B:3\r[3]C:1:1");
    EXPECT_EQ(read.Items.size(), 1u);
    EXPECT_TRUE(read.Malformed);

    EXPECT_TRUE(Unaffordable("120", 100));
    EXPECT_FALSE(Unaffordable("100", 100));
    EXPECT_FALSE(Unaffordable("free", 100));
    EXPECT_TRUE(Unaffordable("101 dollars", 100));
}

TEST(ShopList, LockerCountsAndButtonCommands) {
    LockerListRead read = ReadLockerList("Contents of your locker:\r\n(0) Mine\r\n(3) Paint Grenade\r\n[12] Paintballs\r\n"
                                         "(12345) Rocks\r\n");
    ASSERT_EQ(read.Items.size(), 4u);
    EXPECT_FALSE(read.Malformed);
    EXPECT_EQ(read.Items[0].Count, 0);
    EXPECT_EQ(read.Items[1].Name, "Paint Grenade");
    EXPECT_EQ(read.Items[1].Count, 3);
    EXPECT_EQ(read.Items[2].Count, 12);
    EXPECT_EQ(read.Items[3].Count, 999);
    for (const char* bad : {"x\r\n(a) Gun", "x\r\n( Gun", "x\r\n(2)"}) {
        read = ReadLockerList(bad);
        EXPECT_TRUE(read.Malformed) << bad;
        EXPECT_TRUE(read.Items.empty()) << bad;
    }

    EXPECT_EQ(ShopButtonCommand("sell %1\x01 %2", "Vest", "Gun"), "sell 'Vest' 'Gun'");
    EXPECT_EQ(ShopButtonCommand("sell %1 %2", "Vest", ""), "sell 'Vest' %2");
    // "%2" goes first, so a store item's own "%2" stays as it is.
    EXPECT_EQ(ShopButtonCommand("give %1 %2", "A%2", "B"), "give 'A%2' 'B'");
}

TEST(AliasCommands, StoredFormBothWaysAndTheList) {
    EXPECT_EQ(EncodeAliasCommands("look\r\nsay a & b"), "look&say a \\& b");
    EXPECT_EQ(DecodeAliasCommands("look&say a \\& b"), "look\r\nsay a & b");
    EXPECT_EQ(DecodeAliasCommands("look"), "look");
    EXPECT_EQ(DecodeAliasCommands("say AND_HOLDER_NO_IMITATE"), "say AND_HOLDER_NO_IMITATE");
    EXPECT_EQ(StoredAliasName("quick look"), "quick_look");
    EXPECT_EQ(CleanLines("a\x01\r\n\x02" "b"), "a\r\nb");

    AliasListRead read = ReadAliasList("0;quick_look:look&say a \\& b:x,,greet:say hi;");
    ASSERT_EQ(read.Records.size(), 2u);
    EXPECT_EQ(read.Records[0].Commands, "look&say a \\& b");
    EXPECT_EQ(read.Records[1].Name, "greet");
    EXPECT_TRUE(ReadAliasList("0;").Records.empty());
    EXPECT_FALSE(ReadAliasList("1;a:b").IsList);
    read = ReadAliasList("0;a:x,b,c:y");
    ASSERT_EQ(read.Records.size(), 2u);
    EXPECT_FALSE(read.Records[1].HasCommands);
    EXPECT_TRUE(read.Malformed);
    EXPECT_THROW(ReadAliasList("x;a:b"), RunTimeError);
}

TEST_F(WindowLinks, StoreTreeBuyingAndCustomButtons) {
    frmShopForm& shop = frmShop();
    AccessLevel = 95;
    Money = 100;
    Buttons[17].Command = "sell %1 %2";
    shop.Load();
    shop.ParseShopData("[3]Kevlar Vest Jacket:120:15\r[3]Red Helmet:100:2\r[3]Other:5:1\r[3]Other:5:1");
    ASSERT_EQ(sent, (std::vector<std::string>{"l|", "C|look locker"}));
    KeyedTreeView& tree = shop.ListView;
    const int body = tree.IndexOf("Body"), jacket = tree.Children(body)[0];
    EXPECT_EQ(tree.NodeAt(jacket).ForeColor, 255u);
    EXPECT_NE(tree.NodeAt(tree.Children(tree.IndexOf("Head"))[0]).ForeColor, 255u);  // as dear as the money
    EXPECT_EQ(tree.Children(tree.IndexOf("Other")).size(), 2u);  // named as a category, and twice

    sent.clear();
    shop.ParseLockerData("Contents of your locker:\r\n(2) Paint Grenade\r\n[1] Red Helmet");
    ASSERT_EQ(shop.ListLocker.Count(), 4);
    EXPECT_EQ(shop.ListLocker.ItemAt(1).Text, "None");
    shop.Show();
    const RECT row = shop.ListLocker.ItemRect(2);
    PostMessageA(shop.ListLocker.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row.left + 4, row.top + 2));
    PostMessageA(shop.ListLocker.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(row.left + 4, row.top + 2));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return shop.LockerItem() == "Paint Grenade"; }, 2000));
    shop.ParseLockerData("Contents of your locker:\r\n");
    EXPECT_EQ(shop.LockerItem(), "Paint Grenade");  // a refill keeps it

    shop.cmdAlias(17).PerformClick();  // a category or nothing selected: nothing
    tree.Select(body);
    shop.cmdBuy.PerformClick();
    tree.Select(tree.Children(jacket)[0]);
    shop.cmdBuy.PerformClick();
    shop.cmdAlias(17).PerformClick();
    EXPECT_EQ(sent, (std::vector<std::string>{"C|buy Kevlar Vest Jacket", "C|sell 'Kevlar Vest Jacket' 'Paint Grenade'"}));
    EXPECT_EQ(sounds, std::vector<int16_t>{9});

    sent.clear();
    shop.ParseShopData("[5]Key:1:1");
    AccessLevel = 0;
    shop.ParseShopData("[5]Key:1:1");
    EXPECT_EQ(tree.Count(), 0);
    shop.ParseShopData("[1]Key:1:1\r\r[1]Bad:1\r[1]Never:1:1");
    EXPECT_EQ(tree.Count(), 4);  // the empty line passed over, the bad one stops the list
    EXPECT_EQ(sent, std::vector<std::string>{"C|look locker"});
    EXPECT_EQ(g_errors, std::vector<int32_t>{9});
    shop.Unload();
}

TEST_F(WindowLinks, AliasListRefillsAndSaveKeepsUnsavedUntilSent) {
    frmAliasForm& alias = frmAlias();
    alias.Load();
    alias.ProcessAlias("0;b:x,a:y,B:z,c:w");
    ASSERT_EQ(alias.lvAliases.Count(), 3);  // the repeat passed over, the fill went on
    EXPECT_EQ(alias.lvAliases.ItemAt(3).Text, "c");
    EXPECT_EQ(alias.lvAliases.ItemAt(3).ToolTip, "w");
    EXPECT_EQ(g_errors, std::vector<int32_t>{35602});
    alias.ProcessAlias("x;");
    EXPECT_EQ(alias.lvAliases.Count(), 3);

    alias.txtName.SetText("  ");
    alias.rtbCommands.SetPlainText("look\r\nsay a & b\x01");
    alias.Command1.PerformClick();  // a blank name: nothing sent, still unsaved
    EXPECT_TRUE(alias.Unsaved());
    alias.txtName.SetText("quick look");
    EXPECT_EQ(alias.fraAlias.Caption(), "Alias: 'quick look'");
    alias.Command1.PerformClick();
    EXPECT_FALSE(alias.Unsaved());
    EXPECT_EQ(sent.back(), std::string("a|1") + '\0' + "quick_look" + '\0' + "look&say a \\& b");
    alias.Unload();
}

TEST_F(WindowLinks, EditorCleansAndWritesTheEntryKeyByKey) {
    frmBtnEditForm& edit = frmBtnEdit();
    edit.EditButton(60);
    EXPECT_FALSE(edit.IsLoaded());
    EXPECT_EQ(g_errors, std::vector<int32_t>{9});
    Buttons[18] = ButtonRecord{"Old\x01", "Tip", "cmd"};
    edit.EditButton(18);
    EXPECT_EQ(edit.txt1.Text(), "Old");
    edit.txt2.SetText("Sell it\x02");
    edit.cmdOK.PerformClick();
    EXPECT_FALSE(edit.IsLoaded());
    EXPECT_EQ(testsupport::ReadFileBytes(dir_.File("Buttons.DAT")).value_or(""),
              "[Button18]\r\nName=Old\r\nTip=Sell it\r\nCommand=cmd\r\n");
}
