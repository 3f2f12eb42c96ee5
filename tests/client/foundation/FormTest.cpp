#include <gtest/gtest.h>

#include <windows.h>

#include "MessageOrder.h"
#include "WinTestSupport.h"
#include "runtime/ErrorGuard.h"
#include "runtime/Form.h"
#include "runtime/FormTimer.h"
#include "runtime/MessagePump.h"

using namespace skx;

namespace {

class TestForm : public Form {
public:
    explicit TestForm(const char* name, FormKind kind = FormKind::Normal) : Form(name, kind) {}
    int loads = 0;
    bool refuseUnload = false;
    bool sawHiddenAtLoad = false;
    std::function<void()> onLoad;

protected:
    void OnLoad() override {
        ++loads;
        sawHiddenAtLoad = !IsWindowVisible(Handle());
        if (onLoad) onLoad();
    }
    bool OnQueryUnload(UnloadMode) override { return refuseUnload; }
};

struct FormA : TestForm { FormA() : TestForm("frmA") {} };
struct FormB : TestForm { FormB() : TestForm("frmB") {} };
struct FormC : TestForm { FormC() : TestForm("frmC", FormKind::Dialog) {} };
struct Frame : TestForm { Frame() : TestForm("frmFrame", FormKind::MdiFrame) {} };
struct Child : TestForm { Child() : TestForm("frmChild", FormKind::MdiChild) {} };

int IndexOf(Form* f) {
    const auto& l = LoadedForms();
    for (size_t i = 0; i < l.size(); ++i) if (l[i] == f) return static_cast<int>(i);
    return -1;
}

}  // namespace

TEST(Forms, VisibilityCheckLoadsHidden) {
    FormA& a = TheForm<FormA>();
    ASSERT_FALSE(a.IsLoaded());
    EXPECT_FALSE(a.Visible());  // loads it, hidden
    EXPECT_TRUE(a.IsLoaded());
    EXPECT_EQ(a.loads, 1);
    EXPECT_TRUE(a.sawHiddenAtLoad);
    EXPECT_FALSE(a.Visible());
    EXPECT_EQ(a.loads, 1);  // loads once
    EXPECT_EQ(&a, &TheForm<FormA>());
    a.Show();
    EXPECT_TRUE(a.Visible());
    a.Hide();
    EXPECT_FALSE(a.Visible());
    EXPECT_TRUE(a.Unload());
    EXPECT_FALSE(a.IsLoaded());
}

TEST(Forms, LoadOrderIsKeptAndUnloadCanBeCancelled) {
    FormA& a = TheForm<FormA>();
    FormB& b = TheForm<FormB>();
    b.Load();
    a.Load();
    EXPECT_LT(IndexOf(&b), IndexOf(&a));
    b.refuseUnload = true;
    EXPECT_FALSE(b.Unload());
    EXPECT_TRUE(b.IsLoaded());
    // Closing from the window's system menu asks the same question.
    SendMessageA(b.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(b.IsLoaded());
    EXPECT_FALSE(UnloadAllForms());  // a goes, b refuses
    EXPECT_FALSE(a.IsLoaded());
    EXPECT_TRUE(b.IsLoaded());
    b.refuseUnload = false;
    SendMessageA(b.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(b.IsLoaded());
    EXPECT_EQ(IndexOf(&b), -1);
    // Loaded again: goes to the end of the order.
    a.Load();
    b.Load();
    EXPECT_LT(IndexOf(&a), IndexOf(&b));
    EXPECT_TRUE(UnloadAllForms());
    EXPECT_TRUE(LoadedForms().empty());
}

TEST(Forms, ModalShowReEnablesOnlyWhatItDisabled) {
    FormA& a = TheForm<FormA>();
    FormB& b = TheForm<FormB>();
    FormC& c = TheForm<FormC>();
    a.Show();
    b.Show();
    EnableWindow(b.hWnd(), FALSE);  // disabled by someone else before the modal show
    bool aDisabledDuringModal = false;
    bool hiddenAfterClose = false;
    FormTimer closer("test", "tmrClose", [&] {
        aDisabledDuringModal = !IsWindowEnabled(a.Handle());
        c.Hide();
        hiddenAfterClose = true;
    });
    closer.SetInterval(50);
    closer.SetEnabled(true);
    c.Show(ShowMode::Modal, &a);  // returns when the timer hides it
    closer.SetEnabled(false);
    EXPECT_TRUE(hiddenAfterClose);
    EXPECT_TRUE(aDisabledDuringModal);
    EXPECT_TRUE(IsWindowEnabled(a.Handle()));
    EXPECT_FALSE(IsWindowEnabled(b.Handle()));  // stays as it was
    EXPECT_EQ(GetWindow(c.Handle(), GW_OWNER), a.Handle());
    EXPECT_TRUE(UnloadAllForms());
}

TEST(Forms, ModalLoopEndsWhenTheFormUnloads) {
    FormC& c = TheForm<FormC>();
    FormTimer closer("test", "tmrClose", [&] { c.Unload(); });
    closer.SetInterval(30);
    closer.SetEnabled(true);
    c.Show(ShowMode::Modal);
    closer.SetEnabled(false);
    EXPECT_FALSE(c.IsLoaded());
}

TEST(Forms, MdiChildrenUnloadWithTheirFrame) {
    Frame& f = TheForm<Frame>();
    Child& ch = TheForm<Child>();
    ch.Show();  // loads the frame first
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_LT(IndexOf(&f), IndexOf(&ch));
    EXPECT_EQ(GetParent(GetParent(ch.Handle())), f.Handle());
    ch.refuseUnload = true;
    EXPECT_FALSE(f.Unload());
    EXPECT_TRUE(f.IsLoaded());
    ch.refuseUnload = false;
    EXPECT_TRUE(f.Unload());
    EXPECT_FALSE(ch.IsLoaded());
    EXPECT_FALSE(f.IsLoaded());
}

TEST(Forms, GeometryInTwips) {
    FormA& a = TheForm<FormA>();
    a.Move(1500, 3000, 6000, 4500);
    EXPECT_EQ(a.Left(), 1500);
    EXPECT_EQ(a.Top(), 3000);
    EXPECT_EQ(a.Width(), 6000);
    EXPECT_EQ(a.Height(), 4500);
    a.SetCaption("Hello");
    EXPECT_EQ(a.Caption(), "Hello");
    a.Unload();
}

TEST(FormTimers, FireAtTheirIntervalAndStop) {
    int ticks = 0;
    FormTimer t("test", "tmrCount", [&] { ++ticks; });
    t.SetInterval(20);
    // A timer of the test's own at the same interval ticks where this one would.
    EXPECT_TRUE(testsupport::PumpWhileATimerTicks(20, 3));
    EXPECT_EQ(ticks, 0);  // not enabled
    t.SetEnabled(true);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return ticks >= 3; }, 3000));
    t.SetEnabled(false);
    int at = ticks;
    EXPECT_TRUE(testsupport::PumpWhileATimerTicks(20, 3));
    EXPECT_EQ(ticks, at);
    t.SetInterval(0);
    t.SetEnabled(true);
    EXPECT_TRUE(testsupport::PumpWhileATimerTicks(0, 3));  // the platform's shortest interval
    EXPECT_EQ(ticks, at);  // interval 0 never fires
}

TEST(FormTimers, AFailingTickIsReportedAndTheTimerGoesOn) {
    static int reports = 0;
    reports = 0;
    ReportErrorHook old = GetReportErrorHook();
    SetReportErrorHook([](const std::string& m, const std::string& p, int16_t, int32_t n, const std::string&) {
        if (m == "frmX" && p == "tmrBad_Timer" && n == 5) ++reports;
    });
    int ticks = 0;
    FormTimer t("frmX", "tmrBad", [&] { ++ticks; Raise(5); });
    t.SetInterval(10);
    t.SetEnabled(true);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return ticks >= 2; }, 3000));
    t.SetEnabled(false);
    SetReportErrorHook(old);
    EXPECT_GE(reports, 2);
}

TEST(MessagePump, DoEventsRunsPostedMessagesAndKeepsQuit) {
    int ticks = 0;
    FormTimer t("test", "tmrOnce", [&] { ++ticks; });
    t.SetInterval(1);
    t.SetEnabled(true);
    // Until the tick is due, handling nothing.
    ASSERT_EQ(MsgWaitForMultipleObjectsEx(0, nullptr, 5000, QS_TIMER, MWMO_INPUTAVAILABLE), WAIT_OBJECT_0);
    int count = DoEvents();  // the due tick runs inside
    t.SetEnabled(false);
    EXPECT_GE(ticks, 1);
    EXPECT_EQ(count, static_cast<int>(LoadedForms().size()));
    PostQuitMessage(3);
    DoEvents();
    EXPECT_TRUE(QuitSeen());
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}
