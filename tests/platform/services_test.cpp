// Profile, resources and string tables, threads and events, debug output.
#include "tests/platform/test_windows.h"

#include "platform/debug_output.h"
#include "platform/profile.h"
#include "platform/resources.h"
#include "platform/thread.h"

#include <atomic>
#include <cstdlib>
#include <fstream>

namespace plattest {
namespace {

TEST(Profile, ValuesSurviveInAFileNamedAfterTheSettingsKey) {
    ConfigHome dir;
    {
        Profile p("Quenmor", "vexilo");
        EXPECT_EQ(p.GetInt("Layout", "RightBarSize", 200), 200);
        EXPECT_TRUE(p.WriteInt("Layout", "RightBarSize", 321));
        EXPECT_TRUE(p.WriteString("Recent File List", "File1", "/tmp/a b.bmp"));
        EXPECT_TRUE(p.WriteString("Layout", "Broken", "twelve"));
        EXPECT_EQ(p.FilePath(), dir.Path() + "/Quenmor/vexilo.ini");
    }
    Profile again("Quenmor", "vexilo");
    EXPECT_EQ(again.GetInt("Layout", "RightBarSize", 0), 321);
    EXPECT_EQ(again.GetString("Recent File List", "File1", ""), "/tmp/a b.bmp");
    EXPECT_EQ(again.GetInt("Layout", "Broken", 7), 7);  // not an integer
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.Path() + "/Quenmor/vexilo.ini"));
}

TEST(Resources, TheChainSearchesModulesInOrderAndSplitsPromptsFromTips) {
    TempFolder dir;
    std::ofstream(dir.Path() + "/strings.txt") << "# program\n32784 Copy the points\\nCopy\n50013 Vexilo\n";
    std::ofstream(dir.Path() + "/lang.rus") << "50013 Vexilo (rus)\n";
    auto program = ResourceModule::FromFolder(dir.Path());
    auto lang = ResourceModule::FromCatalogue(dir.Path() + "/lang.rus");
    ASSERT_TRUE(lang);
    EXPECT_FALSE(ResourceModule::FromCatalogue(dir.Path() + "/missing.enu"));
    AddResourceModule(program, ChainPosition::Back);
    EXPECT_EQ(LoadString(50013), "Vexilo");
    AddResourceModule(lang, ChainPosition::Front);
    EXPECT_EQ(LoadString(50013), "Vexilo (rus)");
    EXPECT_EQ(CommandPrompt(32784), "Copy the points");
    EXPECT_EQ(CommandTip(32784), "Copy");
    EXPECT_EQ(LoadString(99999), "");
    RemoveResourceModule(lang.get());
    RemoveResourceModule(program.get());
    EXPECT_EQ(LoadString(50013), "KorApp");  // the library's own default
}

using Threads = HeadlessTest;

TEST_F(Threads, StartSuspendedAndWakeAPumpingWaiter) {
    ManualResetEvent go, done;
    std::atomic<int> steps{0};
    Thread worker([&]() -> unsigned {
        go.Wait();
        ++steps;
        done.Set();
        return 7;
    });
    EXPECT_FALSE(done.Wait(20));
    EXPECT_EQ(steps.load(), 0);  // suspended: nothing ran
    EXPECT_TRUE(worker.Resume());
    EXPECT_FALSE(worker.Resume());
    bool posted = false;
    app.Post([&] { posted = true; });
    go.Set();
    EXPECT_TRUE(app.PumpWhileWaiting([&] { return done.IsSet(); }, 5000));
    EXPECT_TRUE(worker.Join(5000));
    EXPECT_EQ(worker.ExitCode(), 7u);
    EXPECT_TRUE(posted);  // messages were pumped while waiting
    done.Reset();
    EXPECT_FALSE(done.IsSet());
}

TEST_F(Threads, AWaitTimesOutOnTheApplicationClock) {
    auto& drv = headless::Driver::Get();
    // Waiting idle: the virtual clock moves by the time waited, and a timer
    // due meanwhile fires at its time.
    struct Ticker : Wnd {
        std::vector<std::uint64_t> ticks;
        void OnTimer(unsigned) override { ticks.push_back(App::Instance()->Now()); }
    } ticker;
    ASSERT_TRUE(ticker.CreateMessageWindow());
    std::uint64_t start = drv.Now();
    ticker.SetTimer(1, 20);
    EXPECT_FALSE(app.PumpWhileWaiting([] { return false; }, 30));
    EXPECT_EQ(drv.Now(), start + 30);
    EXPECT_EQ(ticker.ticks, std::vector<std::uint64_t>{start + 20});
    ticker.KillTimer(1);

    // Time that passes otherwise counts too: here the clock jumps a second
    // at each look, so the wait ends after three looks, not three seconds.
    int looks = 0;
    start = drv.Now();
    EXPECT_FALSE(app.PumpWhileWaiting(
        [&] {
            ++looks;
            drv.AdvanceClock(1000);
            return false;
        },
        2500));
    EXPECT_EQ(looks, 3);
    // Between the looks the loop waited idle one slice each.
    EXPECT_EQ(drv.Now(), start + 3000 + 2 * App::kPumpSliceMs);
    ticker.Destroy();
}

TEST(DebugOutput, GoesToTheInstalledSink) {
    std::string got;
    SetDebugOutputSink([&](const std::string& s) { got = s; });
    OutputDebugString("thread error: boom");
    SetDebugOutputSink(nullptr);
    EXPECT_EQ(got, "thread error: boom");
}

}  // namespace
}  // namespace plattest
