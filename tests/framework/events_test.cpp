// The event dispatcher, the timer, and how events name their handlers and
// routes.
#include "tests/framework/probes.h"

#include "framework/events/event_dispatcher.h"
#include "framework/events/timer.h"

namespace kortest {
namespace {

struct Counter : EventListener {
    std::string name;
    Log& log;
    Counter(std::string n, Log& l) : name(std::move(n)), log(l) {}
    void ProcessEvent(Event& e) override {
        if (auto* t = dynamic_cast<TimerEvent*>(&e)) log.push_back(name + " tick " + std::to_string(t->timer->GetPeriod()));
        else log.push_back(name);
    }
};

TEST(EventDispatcher, CallsListenersInOrderAndRemovesEveryOccurrence) {
    Log log;
    Counter a("a", log), b("b", log);
    EventDispatcher d;
    d.AddListener(&a);
    d.AddListener(&b);
    d.AddListener(&a);
    Event e;
    d.Dispatch(e);
    EXPECT_EQ(log, (Log{"a", "b", "a"}));
    d.RemoveListener(&a);
    log.clear();
    d.Dispatch(e);
    EXPECT_EQ(log, Log{"b"});
}

TEST(EventDispatcher, AListenerMayDestroyTheDispatcherAndTheDispatchEnds) {
    Log log;
    auto* d = new EventDispatcher;
    struct Destroyer : EventListener {
        EventDispatcher*& target;
        explicit Destroyer(EventDispatcher*& t) : target(t) {}
        void ProcessEvent(Event&) override {
            delete target;
            target = nullptr;
        }
    } destroyer(d);
    Counter after("after", log);
    d->AddListener(&destroyer);
    d->AddListener(&after);
    EventDispatcher copy(*d);  // the same listeners, not in the dispatch
    Event e;
    d->Dispatch(e);
    EXPECT_EQ(d, nullptr);
    EXPECT_TRUE(log.empty());
    copy.RemoveListener(&destroyer);
    copy.Dispatch(e);
    EXPECT_EQ(log, Log{"after"});
}

// A control that logs every handler the events call, by name.
class AllHandlers : public Widget {
public:
    explicit AllHandlers(Log& l) : log(l) { SetBounds(CRect(20, 20, 60, 60)); }
    Log& log;
    void HandleActivate() override { log.push_back("activate"); }
    void HandleKeyDown(unsigned k, unsigned r, unsigned f) override { Keys("keydown", k, r, f); }
    void HandleKeyUp(unsigned k, unsigned r, unsigned f) override { Keys("keyup", k, r, f); }
    void HandleLeftDoubleClick(unsigned f, const CPoint& p) override { Mouse("leftdouble", f, p); }
    void HandleLeftDown(unsigned f, const CPoint& p) override { Mouse("leftdown", f, p); }
    void HandleLeftUp(unsigned f, const CPoint& p) override { Mouse("leftup", f, p); }
    void HandleMouseMove(unsigned f, const CPoint& p) override { Mouse("move", f, p); }
    void HandleMouseEnter(unsigned f, const CPoint& p) override { Mouse("enter", f, p); }
    void HandleMouseLeave() override { log.push_back("leave"); }
    void HandleRightDoubleClick(unsigned f, const CPoint& p) override { Mouse("rightdouble", f, p); }
    void HandleRightDown(unsigned f, const CPoint& p) override { Mouse("rightdown", f, p); }
    void HandleRightUp(unsigned f, const CPoint& p) override { Mouse("rightup", f, p); }
    bool HandleCursor(unsigned f, const CPoint& p) override {
        Mouse("cursor", f, p);
        return true;
    }
    void HandleUpdateUI() override { log.push_back("updateui"); }
    void HandleFocus() override { log.push_back("focus"); }
    void HandleUnfocus() override { log.push_back("unfocus"); }
    void HandleFont() override { log.push_back("font"); }
    void HandleTimer(Timer* t) override { log.push_back("timer " + std::to_string(t->GetPeriod())); }

private:
    void Keys(const char* what, unsigned k, unsigned r, unsigned f) {
        log.push_back(std::string(what) + " " + std::to_string(k) + "/" + std::to_string(r) + "/" + std::to_string(f));
    }
    void Mouse(const char* what, unsigned f, const CPoint& p) {
        log.push_back(std::string(what) + " " + std::to_string(f) + " " + Pt(p));
    }
};

TEST(Events, EachEventCallsItsOwnHandlerWithItsFields) {
    Log log;
    AllHandlers c(log);
    auto deliver = [&](Event&& e) { c.ProcessEvent(e); };
    deliver(ActivateEvent(true));
    deliver(KeyDownEvent(65, 2, 3));
    deliver(KeyUpEvent(66, 1, 0));
    deliver(LeftDoubleClickEvent(1, CPoint(1, 2)));
    deliver(LeftDownEvent(1, CPoint(3, 4)));
    deliver(LeftUpEvent(0, CPoint(5, 6)));
    deliver(MouseMoveEvent(4, CPoint(7, 8)));
    deliver(MouseEnterEvent(8, CPoint(9, 10)));
    deliver(MouseLeaveEvent());
    deliver(RightDoubleClickEvent(2, CPoint(11, 12)));
    deliver(RightDownEvent(2, CPoint(13, 14)));
    deliver(RightUpEvent(0, CPoint(15, 16)));
    deliver(UpdateUIEvent());
    deliver(FocusEvent());
    deliver(UnfocusEvent());
    deliver(FontEvent());
    EXPECT_EQ(log, (Log{"activate", "keydown 65/2/3", "keyup 66/1/0", "leftdouble 1 1,2", "leftdown 1 3,4",
                        "leftup 0 5,6", "move 4 7,8", "enter 8 9,10", "leave", "rightdouble 2 11,12",
                        "rightdown 2 13,14", "rightup 0 15,16", "updateui", "focus", "unfocus", "font"}));
    log.clear();
    CursorEvent cursor(0, CPoint(17, 18));
    c.ProcessEvent(cursor);
    EXPECT_TRUE(cursor.handled);  // the handler's answer
    // Events no control handler is named for reach none.
    deliver(Event());
    deliver(VertScrollEvent(1, 2, nullptr));
    deliver(CommandEvent(5));
    deliver(WindowVisibleEvent(false));
    EXPECT_EQ(log, Log{"cursor 0 17,18"});
}

// An event defined outside the toolkit, as a program adds one: a pointer
// event with a handler of its own class.
class MiddleProbe;
class MiddleDownEvent : public MouseEvent {
public:
    using MouseEvent::MouseEvent;
    void DeliverTo(Control& c) override;
};

class MiddleProbe : public AllHandlers {
public:
    using AllHandlers::AllHandlers;
    void HandleMiddleDown(const CPoint& p) { log.push_back("middle " + Pt(p)); }
};

void MiddleDownEvent::DeliverTo(Control& c) {
    if (auto* m = dynamic_cast<MiddleProbe*>(&c)) m->HandleMiddleDown(point);
}

using EventRoutes = ToolkitTest;

TEST_F(EventRoutes, ANewEventTakesTheRouteOfItsFamily) {
    CustomWindow<plat::Wnd> w;
    MiddleProbe a(log), b(log);
    b.SetBounds(CRect(100, 100, 140, 140));
    w.AddControl(&a);
    w.AddControl(&b);
    Show(w);
    log.clear();
    // Pointer input: the child under the point, in its coordinates, after it
    // heard that the pointer came.
    MiddleDownEvent down(0, CPoint(30, 25));
    w.ProcessEvent(down);
    EXPECT_EQ(log, (Log{"enter 0 10,5", "middle 10,5"}));
    log.clear();
    // With a capture control, that control wherever the pointer is.
    b.CaptureMouse();
    w.ProcessEvent(down);
    EXPECT_EQ(log, (Log{"middle -70,-75"}));
    b.ReleaseMouse();
}

TEST_F(EventRoutes, ATimerReachesTheControlsListeningToIt) {
    AllHandlers c(log);
    Timer timer(250);
    timer.AddListener(&c);
    timer.Start();
    drv.AdvanceClock(500);
    EXPECT_EQ(log, (Log{"timer 250", "timer 250"}));
    timer.RemoveListener(&c);
}

using TimerTest = ToolkitTest;

TEST_F(TimerTest, RunsOnlyWhileStartedAndANewPeriodTakesEffectAtOnce) {
    Timer timer(100);
    Counter c("c", log);
    timer.AddListener(&c);
    drv.AdvanceClock(500);
    EXPECT_TRUE(log.empty());  // not started
    timer.Start();
    timer.Start();  // no restart
    drv.AdvanceClock(250);
    EXPECT_EQ(log, (Log{"c tick 100", "c tick 100"}));
    log.clear();
    drv.AdvanceClock(40);  // 90 ms into the period
    timer.SetPeriod(300);  // starts over: next tick 300 ms from now
    drv.AdvanceClock(299);
    EXPECT_TRUE(log.empty());
    drv.AdvanceClock(1);
    EXPECT_EQ(log, Log{"c tick 300"});
    timer.SetRunning(false);
    drv.AdvanceClock(1000);
    EXPECT_EQ(log.size(), 1u);
    timer.SetPeriod(50);  // stopped: stays stopped
    drv.AdvanceClock(1000);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(TimerTest, ADestroyedTimerStopsFiring) {
    Counter c("c", log);
    {
        Timer timer(100);
        timer.AddListener(&c);
        timer.Start();
        drv.AdvanceClock(100);
    }
    drv.AdvanceClock(1000);
    EXPECT_EQ(log.size(), 1u);
}

}  // namespace
}  // namespace kortest
