// The event dispatcher and the timer.
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
