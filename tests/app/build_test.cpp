// Builds without pins: the estimation on the build thread behind its
// progress dialog, cancelled, failing and resumed, with the document's
// state guarded while it runs. Every curve is compared with what vexilo-fit
// gives for the same file, parameters and estimated length.
#include "tests/app/doc_fixture.h"

#include "app/doc_strings.h"
#include "app/grand_building.h"
#include "contour/import_contour.h"
#include "fitting/thread_pool.h"
#include "framework/controls/text_control.h"
#include "framework/fault/fault_guard.h"
#include "platform/app.h"
#include "platform/controls.h"
#include "platform/debug_output.h"
#include "platform/message_box.h"
#include "tests/fault/faults.h"

#include <atomic>
#include <functional>
#include <future>
#include <mutex>
#include <new>
#include <stdexcept>

namespace apptest {
namespace {

class BuildTest : public DocTest {
protected:
    std::string rounded = Example("rounded.bmp");
    std::atomic<unsigned> steps{0};

    // Runs `at` (on the build thread) at the start of step `k`, counted from 1.
    void AtStep(unsigned k, std::function<void()> at) {
        doc.SetStepHook([this, k, at] {
            if (++steps == k) at();
        });
    }
    // Runs `task` on the user-interface thread (which pumps its messages
    // while the step runs) and waits for it, from the build thread.
    void OnUiThread(std::function<void()> task) {
        std::promise<void> ran;
        app.Post([&] {
            try {
                task();
            } catch (...) {
                ADD_FAILURE() << "the task threw";
            }
            ran.set_value();
        });
        ran.get_future().wait();
    }
    void ClickCancel() {
        ASSERT_NE(Progress(), nullptr);
        auto* cancel = dynamic_cast<plat::PushButton*>(Progress()->GetDlgItem(plat::IDCANCEL));
        ASSERT_NE(cancel, nullptr);
        cancel->Click();
    }
};

TEST_F(BuildTest, ABuildEstimatesStepByStepAndEqualsTheBatchCommand) {
    Open(rounded);
    const unsigned n = unsigned(doc.GetPolyline().size()) - 1;
    std::vector<std::string> texts;
    bool waitCursor = false, parentEnabled = true;
    doc.SetStepHook([&] {
        ++steps;
        OnUiThread([&] {
            if (!Progress()) return;
            texts.push_back(Progress()->GetItemText(Kor::ProgressDlg::IDC_TEXT));
            waitCursor = waitCursor || app.IsWaitCursorShown();
            parentEnabled = parentEnabled && app.GetFrame().IsEnabled();
        });
    });
    EXPECT_TRUE(Enabled(ID_POLYBEZIER_BUILD));
    doc.Build();

    EXPECT_EQ(steps, n + 1 - 3);  // the estimated length starts at 3
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), "3 / " + std::to_string(n + 1));
    EXPECT_EQ(texts.back(), std::to_string(n) + " / " + std::to_string(n + 1));
    EXPECT_FALSE(waitCursor);  // Cancel looks clickable
    EXPECT_FALSE(parentEnabled);
    EXPECT_EQ(Progress(), nullptr);
    EXPECT_TRUE(app.GetFrame().IsEnabled());
    EXPECT_FALSE(app.IsWaitCursorShown());

    EXPECT_EQ(doc.GetLastOutcome(), Doc::BuildOutcome::Complete);
    EXPECT_TRUE(doc.IsBuilt());
    EXPECT_FALSE(Enabled(ID_POLYBEZIER_BUILD));
    EXPECT_EQ(doc.GetEstimatedLength(), n + 1);
    EXPECT_EQ(doc.ControlPointsText(), FitText({rounded}));
    EXPECT_GT(doc.GetEstimatedDiscrepancy(), 0);
    EXPECT_TRUE(Messages().empty()) << Messages()[0];

    // Complete already: a Build runs no step and renders the same.
    steps = 0;
    doc.SetParams(doc.GetParams());  // equal parameters: nothing happens
    EXPECT_TRUE(doc.IsBuilt());
    Doc::Params p = doc.GetParams();
    p.junction_penalty = 30;
    doc.SetParams(p);
    EXPECT_FALSE(doc.IsBuilt());
    EXPECT_EQ(doc.ControlPointsText(), FitText({"--junction-penalty=30", rounded}));
    doc.Build();
    EXPECT_EQ(steps, 0u);
    EXPECT_TRUE(doc.IsBuilt());
}

TEST_F(BuildTest, ACancelledBuildKeepsItsEstimationAndALaterBuildResumes) {
    Open(rounded);
    const unsigned n = unsigned(doc.GetPolyline().size()) - 1;
    AtStep(10, [&] { OnUiThread([&] { ClickCancel(); }); });
    doc.Build();
    // The step under way when Cancel came finished: 10 steps, L = 13.
    EXPECT_EQ(steps, 10u);
    EXPECT_EQ(doc.GetLastOutcome(), Doc::BuildOutcome::Cancelled);
    EXPECT_EQ(doc.GetEstimatedLength(), 13u);
    EXPECT_FALSE(doc.IsBuilt());
    EXPECT_TRUE(Enabled(ID_POLYBEZIER_BUILD));
    EXPECT_EQ(doc.ControlPointsText(), FitText({"--max-length", "13", rounded}));
    EXPECT_TRUE(Messages().empty()) << Messages()[0];

    steps = 0;
    doc.SetStepHook(nullptr);
    doc.Build();
    EXPECT_EQ(doc.GetEstimatedLength(), n + 1);
    EXPECT_TRUE(doc.IsBuilt());
    EXPECT_EQ(doc.ControlPointsText(), FitText({rounded}));
}

TEST_F(BuildTest, AFailingStepStopsTheBuildOnceAndALaterBuildCompletes) {
    Open(rounded);
    const std::string full = FitText({rounded});
    const std::string upTo9 = FitText({"--max-length", "9", rounded});
    struct Case {
        const char* what;
        std::function<void()> fail;
    };
    const std::vector<Case> cases = {
        {"processor fault", [] { kortest::DivideByZero(); }},
        {"std::exception", [] { throw std::runtime_error("a step failed"); }},
        {"other exception", [] { throw 42; }},
    };
    std::mutex debugMutex;
    std::vector<std::string> debugTexts;
    plat::SetDebugOutputSink([&](const std::string& text) {
        std::lock_guard<std::mutex> lock(debugMutex);
        debugTexts.push_back(text);
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc.ClearCurve();
        drv.ClearMessageBoxes();
        steps = 0;
        AtStep(7, c.fail);  // six steps done: L = 9
        doc.Build();
        EXPECT_EQ(doc.GetLastOutcome(), Doc::BuildOutcome::Failed);
        EXPECT_EQ(Messages(), std::vector<std::string>{docstr::kEstimationFailed});
        EXPECT_EQ(doc.GetEstimatedLength(), 9u);
        EXPECT_FALSE(doc.IsBuilt());
        EXPECT_EQ(doc.ControlPointsText(), upTo9);  // the estimation so far
        EXPECT_EQ(Progress(), nullptr);
        EXPECT_TRUE(app.GetFrame().IsEnabled());

        doc.SetStepHook(nullptr);
        doc.Build();
        EXPECT_TRUE(doc.IsBuilt());
        EXPECT_EQ(doc.ControlPointsText(), full);
        EXPECT_EQ(Messages().size(), 1u);
    }
    plat::SetDebugOutputSink(nullptr);
    // The details go to the debug output (and the log), not to the user.
    ASSERT_EQ(debugTexts.size(), 3u);
    EXPECT_NE(debugTexts[0].find("EXCEPTION_INT_DIVIDE_BY_ZERO"), std::string::npos) << debugTexts[0];
    EXPECT_EQ(debugTexts[1], "a step failed");
    EXPECT_EQ(debugTexts[2], "an exception of an unknown type");
}

TEST_F(BuildTest, AGrandBuildingStartsAndStopsItsWorkerWhateverItIsAskedToDo) {
    const img::imported_contour imported = img::import_contour(rounded);
    outline::fitting_session session;
    session.set_outline(imported.polyline);
    session.prepare();
    {
        // Made and gone without a step: the idle worker stops at once.
        GrandBuilding idle(session, &app.GetFrame(), [&] { ++steps; });
        EXPECT_NE(Progress(), nullptr);
        EXPECT_FALSE(app.GetFrame().IsEnabled());
    }
    EXPECT_EQ(Progress(), nullptr);
    EXPECT_TRUE(app.GetFrame().IsEnabled());
    while (!session.estimation_complete()) session.estimation_step();
    GrandBuilding complete(session, &app.GetFrame(), [&] { ++steps; });
    EXPECT_EQ(complete.Execute(), GrandBuilding::Outcome::Complete);
    EXPECT_EQ(steps, 0u);
    EXPECT_EQ(complete.GetProgress().Current(), session.full_length());
    EXPECT_EQ(complete.GetProgress().Total(), session.full_length());
}

TEST_F(BuildTest, AStepWithoutMemoryStopsAndSaysSo) {
    Open(rounded);
    outline::thread_pool& pool = outline::thread_pool::shared();
    // From step 5 on, every piece fit of a step fails for want of memory;
    // such a step changes nothing, so asking again would never end.
    AtStep(5, [&] { pool.set_guard([](const std::function<void()>&) { throw std::bad_alloc(); }); });
    doc.Build();
    pool.set_guard(Kor::GuardFaults);
    EXPECT_EQ(doc.GetLastOutcome(), Doc::BuildOutcome::NotEnoughMemory);
    EXPECT_EQ(Messages(), std::vector<std::string>{docstr::kNotEnoughMemory});
    EXPECT_EQ(doc.GetEstimatedLength(), 7u);
    EXPECT_FALSE(doc.IsBuilt());
    EXPECT_FALSE(doc.HasCurve());
    EXPECT_EQ(steps, 5u);

    // An estimation that cannot fit in memory is refused before it starts.
    drv.ClearMessageBoxes();
    steps = 0;
    doc.SetStepHook([&] { ++steps; });
    doc.SetAvailableMemory([&] { return doc.EstimationMemoryNeeded() - 1; });
    doc.Build();
    EXPECT_EQ(steps, 0u);
    EXPECT_EQ(Messages(), std::vector<std::string>{docstr::kNotEnoughMemory});
    EXPECT_EQ(doc.GetEstimatedLength(), 7u);

    doc.SetAvailableMemory([&] { return doc.EstimationMemoryNeeded(); });
    doc.Build();
    EXPECT_TRUE(doc.IsBuilt());
    EXPECT_EQ(doc.ControlPointsText(), FitText({rounded}));
}

TEST_F(BuildTest, WhileEstimatingTheDocumentRefusesChangesAndServesACopyOfTheLength) {
    Open(rounded);
    const std::string pins = "60 10 3 1\n";
    Doc::Params changed = doc.GetParams();
    changed.junction_penalty = 25;
    struct Seen {
        bool estimating = false, canClose = true, anyCommand = false;
        unsigned length = 0, lengthLater = 0;
        size_t pinsAfter = 1;
        bool curveAfterClear = false;
    } seen;
    AtStep(20, [&] {
        OnUiThread([&] {
            seen.estimating = doc.IsEstimating();
            seen.canClose = doc.CanClose();
            for (unsigned id : {ID_POLYBEZIER_BUILD, ID_POLYBEZIER_CLEAR, ID_POLYBEZIER_COPY, ID_PINS_PASTE})
                seen.anyCommand = seen.anyCommand || Enabled(id);
            seen.length = doc.GetEstimatedLength();
            // Everything that would touch the builder waits or is refused.
            doc.Build();
            doc.Render();
            doc.ClearCurve();
            EXPECT_FALSE(doc.AddArea({60, 10}, 3, true));
            EXPECT_EQ(doc.PasteAreasText(pins), 0u);
            seen.pinsAfter = doc.GetAreas().size();
            // A parameter change is kept; the curve is rendered after the build.
            doc.SetParams(changed);
            EXPECT_FALSE(doc.IsBuilt());
            EXPECT_EQ(doc.GetParams().junction_penalty, 25);
            seen.lengthLater = doc.GetEstimatedLength();
        });
    });
    doc.Build();
    EXPECT_TRUE(seen.estimating);
    EXPECT_FALSE(seen.canClose);
    EXPECT_FALSE(seen.anyCommand);
    EXPECT_GE(seen.length, 22u);
    EXPECT_EQ(seen.lengthLater, seen.length);  // the copy, not the builder mid-step
    EXPECT_EQ(seen.pinsAfter, 0u);

    EXPECT_FALSE(doc.IsEstimating());
    EXPECT_TRUE(doc.CanClose());
    EXPECT_EQ(doc.GetLastOutcome(), Doc::BuildOutcome::Complete);
    EXPECT_FALSE(doc.IsBuilt());  // the parameters changed during the build
    EXPECT_TRUE(Enabled(ID_POLYBEZIER_BUILD));
    EXPECT_EQ(doc.ControlPointsText(), FitText({"--junction-penalty=25", rounded}));
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
    doc.Build();
    EXPECT_TRUE(doc.IsBuilt());
}

TEST_F(BuildTest, AHalfTypedEditCountsForTheBuild) {
    Open(rounded);
    Kor::PropertyRow* row = Row(docstr::kJunctionPenalty);
    ASSERT_NE(row, nullptr);
    auto* edit = dynamic_cast<Kor::TextControl*>(row->GetControl());
    ASSERT_NE(edit, nullptr);
    edit->OpenEdit();
    drv.TypeText("40");
    // Not committed yet; the progress dialog disables the frame, which
    // commits it in the middle of the build.
    EXPECT_EQ(doc.GetParams().junction_penalty, 10);
    doc.Build();
    EXPECT_EQ(doc.GetParams().junction_penalty, 40);
    EXPECT_EQ(doc.ControlPointsText(), FitText({"--junction-penalty=40", rounded}));
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
}

TEST_F(BuildTest, EstimationOffPlacesTheJunctionsWithoutAThread) {
    Open(rounded);
    doc.SetStepHook([&] { ++steps; });
    Doc::Params p = doc.GetParams();
    p.estimation = false;
    doc.SetParams(p);
    EXPECT_TRUE(doc.IsBuilt());  // rendering is all there is to do
    doc.Build();
    EXPECT_EQ(steps, 0u);
    EXPECT_TRUE(doc.IsBuilt());
    EXPECT_EQ(doc.ControlPointsText(), FitText({"--estimation=0", rounded}));
}

TEST_F(BuildTest, ABuildThatFindsNoCurveStoresNoneAndSaysWhatStandsInTheWay) {
    Open(rounded);
    Doc::Params p = doc.GetParams();
    p.estimation = false;
    p.max_junctions = 0;  // a single junction, one point: no piece, no curve
    doc.SetParams(p);
    EXPECT_FALSE(doc.HasCurve());
    EXPECT_FALSE(doc.IsBuilt());
    EXPECT_EQ(doc.GetEstimatedDiscrepancy(), 0);
    EXPECT_TRUE(Messages().empty());  // a parameter edit says nothing
    doc.Build();
    EXPECT_FALSE(doc.HasCurve());
    EXPECT_FALSE(doc.IsBuilt());
    EXPECT_EQ(doc.GetEstimatedDiscrepancy(), 0);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].rfind(docstr::kNoCurve, 0), 0u) << Messages()[0];
    EXPECT_NE(Messages()[0].find("Max Junctions: 0"), std::string::npos) << Messages()[0];
    EXPECT_EQ(FitText({"--estimation=0", "--max-junctions=0", rounded}), "");
}

}  // namespace
}  // namespace apptest
