// The player and its host, the sequence view: bouncing and looping on a
// work area, areas of one frame, none, or out of the sequence, empty
// sequences, the tick's period for every kind of rate, the commands' states
// (enabled first, then the mark) and their own checks, the settings and
// copies, and the "Go to Frame" dialog.
#include "framework/playback/go_to_frame_dlg.h"
#include "framework/playback/sequence_view.h"
#include "platform/app.h"
#include "platform/headless/headless_backend.h"
#include "platform/keys.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace kortest {
namespace {

using namespace Kor;

// A sequence of plain numbers: masks of 1 by 1, the frame's pixel set when
// its number is odd.
class NumberSequence : public Sequence {
public:
    int count = 30, base = 1, current = 0, play = 0;
    std::pair<int, int> area{0, 30};
    bool follow = false;
    std::vector<int> played;  // every SetPlayFrame
    img::bitmap mask{1, 1, 4};

    bool IsEmpty() const override { return count == 0; }
    int GetFrameBase() const override { return base; }
    int GetFrameCount() const override { return count; }
    std::pair<int, int> GetWorkArea() const override { return area; }
    int GetCurrentFrame() const override { return current; }
    void SetCurrentFrame(int f) override {
        EXPECT_GE(f, 0);
        EXPECT_LT(f, count);
        current = f;
    }
    int GetPlayFrame() const override { return play; }
    void SetPlayFrame(int f) override {
        EXPECT_GE(f, 0);
        EXPECT_LT(f, count);
        played.push_back(f);
        play = f;
    }
    bool CanFollow() const override { return follow; }
};

class PlayerTest : public ::testing::Test {
protected:
    std::string config = (std::filesystem::temp_directory_path() / "korvane-player-XXXXXX").string();
    std::unique_ptr<plat::App> app;
    plat::Wnd top;
    NumberSequence seq;
    std::unique_ptr<SequenceView> view;

    void SetUp() override {
        ASSERT_TRUE(mkdtemp(config.data()));
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        app = std::make_unique<plat::App>(plat::BackendKind::Headless);
        app->SetRegistryKey("KorvaneTests");
        app->SetAppName("player");
        ASSERT_TRUE(top.Create(nullptr, plat::Rect(0, 0, 300, 200), plat::WS_OVERLAPPEDWINDOW | plat::WS_VISIBLE));
        view = std::make_unique<SequenceView>();
        ASSERT_TRUE(view->Create(&top, plat::Rect(0, 0, 200, 150), plat::WS_CHILD | plat::WS_VISIBLE));
        view->SetSequence(&seq);
        app->SetMainWnd(&top);
    }
    void TearDown() override {
        view.reset();
        top.Destroy();
        app.reset();
        std::error_code ignored;
        std::filesystem::remove_all(config, ignored);
    }
    static plat::headless::Driver& Drv() { return plat::headless::Driver::Get(); }
    // A command or its state, as the frame's routing asks the view.
    bool Cmd(unsigned id, int code, plat::CmdUI* ui) {
        return static_cast<plat::CmdTarget&>(*view).OnCmdMsg(id, code, ui);
    }
    // n ticks of the view's timer.
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) Drv().AdvanceClock(view->GetTickPeriod());
    }
    bool Enabled(unsigned id) {
        plat::CmdUI ui(id);
        EXPECT_TRUE(Cmd(id, plat::CN_UPDATE_COMMAND_UI, &ui));
        return ui.IsEnabled();
    }
};

TEST_F(PlayerTest, BouncesAndLoopsOnTheWorkArea) {
    seq.area = {10, 20};
    seq.current = 19;
    view->SetLoop(false);
    view->SetPlayMode(PLAY_FORWARD);
    EXPECT_EQ(seq.play, 19);  // a change of mode starts from the current frame
    EXPECT_TRUE(view->IsTicking());
    Ticks(1);
    EXPECT_EQ(seq.play, 18);
    EXPECT_EQ(view->GetPlayMode(), PLAY_BACKWARD);
    seq.play = 10;
    Ticks(1);
    EXPECT_EQ(seq.play, 11);
    EXPECT_EQ(view->GetPlayMode(), PLAY_FORWARD);
    // Loop on: wrap around, both ways.
    view->SetLoop(true);
    seq.play = 19;
    Ticks(1);
    EXPECT_EQ(seq.play, 10);
    view->SetPlayMode(PLAY_BACKWARD);
    EXPECT_EQ(seq.play, 19);  // the current frame again
    seq.play = 10;
    Ticks(1);
    EXPECT_EQ(seq.play, 19);
    // Past the area forwards: its first frame, loop on or off; before it:
    // one on.
    view->SetPlayMode(PLAY_FORWARD);
    for (bool loop : {true, false}) {
        view->SetLoop(loop);
        seq.play = 25;
        Ticks(1);
        EXPECT_EQ(seq.play, 10);
        seq.play = 3;
        Ticks(1);
        EXPECT_EQ(seq.play, 4);
    }
    view->SetPlayMode(PLAY_PAUSED);
    EXPECT_FALSE(view->IsTicking());
}

TEST_F(PlayerTest, DegenerateAreasAndEmptySequences) {
    // One frame, loop off: it stays on that frame, both ways.
    seq.area = {29, 30};
    seq.current = 29;
    view->SetLoop(false);
    for (PlayMode m : {PLAY_FORWARD, PLAY_BACKWARD}) {
        view->SetPlayMode(m);
        Ticks(3);
        EXPECT_EQ(seq.play, 29);
        EXPECT_EQ(view->GetPlayMode(), m);
        view->SetPlayMode(PLAY_PAUSED);
    }
    // An area partly out of the sequence plays its part in the sequence.
    seq.area = {25, 90};
    view->SetPlayMode(PLAY_FORWARD);
    seq.play = 29;
    Ticks(1);
    EXPECT_EQ(seq.play, 28);
    view->SetPlayMode(PLAY_PAUSED);
    // An area with nothing in the sequence, or reversed: nothing plays.
    for (std::pair<int, int> area : {std::make_pair(40, 50), std::make_pair(20, 10), std::make_pair(-5, 0)}) {
        seq.area = area;
        seq.played.clear();
        view->SetPlayMode(PLAY_FORWARD);
        EXPECT_EQ(view->GetPlayMode(), PLAY_PAUSED);
        view->TimeStep();
        EXPECT_TRUE(seq.played.empty());
    }
    // An empty sequence is never asked for a frame.
    seq.count = 0;
    seq.area = {0, 0};
    seq.played.clear();
    for (unsigned id : {ID_TIME_PLAY_PAUSE_FORWARD, ID_TIME_PLAY_PAUSE_BACKWARD, ID_TIME_PLAY_FORWARD, ID_TIME_FOLLOW,
                        ID_TIME_NEXT_FRAME, ID_TIME_LAST_FRAME, ID_TIME_GO_TO_FRAME})
        Cmd(id, plat::CN_COMMAND, nullptr);
    view->StartFollow();
    view->TimeStep();
    EXPECT_EQ(view->GetPlayMode(), PLAY_PAUSED);
    EXPECT_TRUE(seq.played.empty());
    EXPECT_EQ(seq.current, 29);
    // Only the two play-or-pause commands stay enabled.
    for (unsigned id = 50015; id <= 50035; ++id) {
        plat::CmdUI ui(id);
        if (!Cmd(id, plat::CN_UPDATE_COMMAND_UI, &ui)) continue;
        EXPECT_EQ(ui.IsEnabled(), id == ID_TIME_PLAY_PAUSE_FORWARD || id == ID_TIME_PLAY_PAUSE_BACKWARD) << id;
    }
    // The sequence empties while playing: pausing still works.
    seq.count = 30;
    seq.area = {0, 30};
    view->SetPlayMode(PLAY_FORWARD);
    seq.count = 0;
    Cmd(ID_TIME_PLAY_PAUSE_FORWARD, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(view->GetPlayMode(), PLAY_PAUSED);
    EXPECT_FALSE(view->IsTicking());
}

TEST_F(PlayerTest, TheTickPeriodForEveryRate) {
    EXPECT_EQ(SequenceView::TickPeriod(25), 40u);
    EXPECT_EQ(SequenceView::TickPeriod(30), 33u);
    EXPECT_EQ(SequenceView::TickPeriod(5000), 10u);
    EXPECT_EQ(SequenceView::TickPeriod(std::numeric_limits<float>::max()), 10u);
    EXPECT_EQ(SequenceView::TickPeriod(0.001f), 60000u);
    for (float bad : {0.0f, -0.0f, -25.0f, std::nanf(""), std::numeric_limits<float>::infinity()})
        EXPECT_EQ(SequenceView::TickPeriod(bad), 0u) << bad;
    // A rate that cannot play does not start; one that stops being usable
    // while playing pauses; a new rate restarts the tick.
    view->SetFrameRate(0);
    view->SetPlayMode(PLAY_FORWARD);
    EXPECT_EQ(view->GetPlayMode(), PLAY_PAUSED);
    EXPECT_FALSE(Enabled(ID_TIME_PLAY_FORWARD) && view->GetPlayMode() != PLAY_PAUSED);
    view->SetFrameRate(25);
    view->SetPlayMode(PLAY_FORWARD);
    EXPECT_EQ(view->GetTickPeriod(), 40u);
    Drv().AdvanceClock(30);
    view->SetFrameRate(50);
    EXPECT_EQ(view->GetTickPeriod(), 20u);
    Drv().AdvanceClock(20);
    EXPECT_EQ(seq.play, 1);  // 20 ms after the change, not 40 after the start
    view->SetFrameRate(std::nanf(""));
    EXPECT_EQ(view->GetPlayMode(), PLAY_PAUSED);
    EXPECT_FALSE(view->IsTicking());
}

TEST_F(PlayerTest, ATickDuringAStepIsIgnored) {
    struct Reentrant : NumberSequence {
        SequenceView* view = nullptr;
        void SetPlayFrame(int f) override {
            NumberSequence::SetPlayFrame(f);
            if (view) view->TimeStep();  // a tick that arrives while the step runs
        }
    } reentrant;
    view->SetSequence(&reentrant);
    view->SetPlayMode(PLAY_FORWARD);
    reentrant.view = view.get();
    reentrant.played.clear();
    view->TimeStep();
    EXPECT_EQ(reentrant.played, (std::vector<int>{1}));
    reentrant.view = nullptr;
    view->SetPlayMode(PLAY_PAUSED);
    view->SetSequence(&seq);
}

TEST_F(PlayerTest, CommandStatesAndTheirOrder) {
    struct OrderUI : plat::CmdUI {
        using plat::CmdUI::CmdUI;
        std::vector<std::string> calls;
        void Enable(bool on) override { calls.push_back(on ? "enable" : "disable"), plat::CmdUI::Enable(on); }
        void SetCheck(int c) override { calls.push_back("check " + std::to_string(c)), plat::CmdUI::SetCheck(c); }
        void SetRadio(bool on) override { calls.push_back(on ? "radio" : "no radio"), plat::CmdUI::SetRadio(on); }
    };
    auto state = [&](unsigned id) {
        OrderUI ui(id);
        Cmd(id, plat::CN_UPDATE_COMMAND_UI, &ui);
        return ui.calls;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(state(ID_TIME_PAUSE), (V{"enable", "radio"}));
    EXPECT_EQ(state(ID_TIME_PLAY_FORWARD), (V{"enable", "no radio"}));
    EXPECT_EQ(state(ID_TIME_LOOP), (V{"enable", "check 1"}));
    EXPECT_EQ(state(ID_TIME_AUTO_FOLLOW), (V{"enable", "check 1"}));
    EXPECT_EQ(state(ID_TIME_FOLLOW), (V{"disable", "no radio"}));
    EXPECT_EQ(state(ID_TIME_FIRST_FRAME), (V{"disable"}));
    EXPECT_EQ(state(ID_TIME_PREVIOUS_FRAME), (V{"disable"}));
    EXPECT_EQ(state(ID_TIME_NEXT_FRAME), (V{"enable"}));
    // At the first frame the keys of the disabled commands do nothing.
    Cmd(ID_TIME_PREVIOUS_FRAME, plat::CN_COMMAND, nullptr);
    Cmd(ID_TIME_FIRST_FRAME, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(seq.current, 0);
    Cmd(ID_TIME_LAST_FRAME, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(seq.current, 29);
    EXPECT_FALSE(Enabled(ID_TIME_NEXT_FRAME));
    Cmd(ID_TIME_NEXT_FRAME, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(seq.current, 29);
    seq.area = {5, 12};
    Cmd(ID_TIME_WORK_AREA_START, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(seq.current, 5);
    EXPECT_FALSE(Enabled(ID_TIME_WORK_AREA_START));
    Cmd(ID_TIME_WORK_AREA_END, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(seq.current, 11);
    // Previous and next only while paused; following only with a source.
    Cmd(ID_TIME_PLAY_PAUSE_BACKWARD, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(view->GetPlayMode(), PLAY_BACKWARD);
    EXPECT_FALSE(Enabled(ID_TIME_PREVIOUS_FRAME));
    EXPECT_FALSE(Enabled(ID_TIME_NEXT_FRAME));
    Cmd(ID_TIME_NEXT_FRAME, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(seq.current, 11);
    Cmd(ID_TIME_PLAY_PAUSE_BACKWARD, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(view->GetPlayMode(), PLAY_PAUSED);
    Cmd(ID_TIME_FOLLOW, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(view->GetPlayMode(), PLAY_PAUSED);
    seq.follow = true;
    EXPECT_TRUE(Enabled(ID_TIME_FOLLOW));
    Cmd(ID_TIME_FOLLOW, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(view->GetPlayMode(), PLAY_FOLLOW);
    EXPECT_FALSE(view->IsTicking());
    EXPECT_EQ(state(ID_TIME_FOLLOW), (V{"enable", "radio"}));
    Cmd(ID_TIME_LOOP, plat::CN_COMMAND, nullptr);
    Cmd(ID_TIME_AUTO_FOLLOW, plat::CN_COMMAND, nullptr);
    EXPECT_FALSE(view->GetLoop());
    EXPECT_FALSE(view->GetAutoFollow());
}

TEST_F(PlayerTest, SettingsAndCopies) {
    view->SetLoop(false);
    view->SetAutoFollow(false);
    view->SetPlayMode(PLAY_FORWARD);
    view->WriteSettings();
    EXPECT_EQ(app->GetProfileInt("Time", "Loop", -1), 0);
    EXPECT_EQ(app->GetProfileInt("Time", "AutoFollow", -1), 0);
    // A copy keeps the switches and starts paused.
    struct Copy : Player {
        using Player::Player;
        NumberSequence s;
        int starts = 0;
        void StartPlaying() override { ++starts; }
        void StopPlaying() override {}
        Sequence& GetSequence() override { return s; }
    };
    Copy original;
    EXPECT_FALSE(original.GetLoop());  // read from the profile
    original.SetPlayMode(PLAY_FORWARD);
    original.SetLoop(true);
    Copy copy(original);
    EXPECT_EQ(copy.GetPlayMode(), PLAY_PAUSED);
    EXPECT_TRUE(copy.GetLoop());
    EXPECT_FALSE(copy.GetAutoFollow());
    copy = original;
    EXPECT_EQ(copy.GetPlayMode(), PLAY_PAUSED);
    EXPECT_TRUE(copy.ToggleAutoFollow());
    // Without an application nothing is read or written.
    view.reset();
    top.Destroy();
    app.reset();
    Copy alone;
    EXPECT_TRUE(alone.GetLoop());
    alone.SetLoop(false);
    alone.WriteSettings();
}

TEST(GoToFrameNumber, ParsesStrictly) {
    EXPECT_EQ(GoToFrameDlg::ParseNumber("12"), 12);
    EXPECT_EQ(GoToFrameDlg::ParseNumber("  -3 "), -3);
    EXPECT_EQ(GoToFrameDlg::ParseNumber("+7"), 7);
    for (const char* bad : {"", " ", "12a", "1 2", "0x10", "1e3", "+-2", "--2", "99999999999", "3.0", "+"})
        EXPECT_FALSE(GoToFrameDlg::ParseNumber(bad).has_value()) << bad;
}

TEST_F(PlayerTest, GoToFrameChecksAndStaysOpen) {
    seq.base = 100;
    seq.play = 4;
    std::string shown;
    std::vector<std::string> typed = {"abc", "99", "130", "117"};
    std::size_t next = 0;
    Drv().OnModal([&](plat::Wnd& dialog) {
        auto& d = dynamic_cast<GoToFrameDlg&>(dialog);
        shown = d.GetItemText(GoToFrameDlg::IDC_FRAME_NUMBER);
        // Enter presses OK; the dialog stays open until a frame is typed.
        for (; next < typed.size() && d.GetResult() == plat::IDABORT; ++next) {
            d.SetItemText(GoToFrameDlg::IDC_FRAME_NUMBER, typed[next]);
            Drv().PressKey(plat::VK_RETURN);
        }
    });
    Cmd(ID_TIME_GO_TO_FRAME, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(shown, "104");
    EXPECT_EQ(seq.current, 17);
    ASSERT_EQ(Drv().MessageBoxes().size(), 3u);
    EXPECT_EQ(Drv().MessageBoxes()[1].text, "Type the number of a frame from 100 to 129.");
}

}  // namespace
}  // namespace kortest
