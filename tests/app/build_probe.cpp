// The document's Build on a real display, for build_xvfb_test.sh: opens the
// mask MASK in a frame, then builds with every estimation step slowed down
// so that the progress dialog can be seen and its Cancel clicked. Writes
//   REPORT   once the dialog shows: the screen rectangle of its Cancel
//            button and whether the wait cursor is shown ("x y w h wait 0|1")
//   OUT.1    the control points after that first Build
//   OUT.2    the control points after a second Build, not slowed down
//   OUT.state  "first <Complete|Cancelled|...> L second <...> L", last
// Usage: build_probe MASK REPORT OUT
#include "app/doc.h"
#include "framework/app/app.h"
#include "framework/frame/frame.h"
#include "framework/progress/progress_dlg.h"
#include "platform/app.h"
#include "platform/controls.h"
#include "platform/message_box.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

namespace {

using ProbeApp = Kor::App<Doc, Kor::Frame>;

const char* OutcomeName(Doc::BuildOutcome o) {
    switch (o) {
        case Doc::BuildOutcome::None:
            return "None";
        case Doc::BuildOutcome::Complete:
            return "Complete";
        case Doc::BuildOutcome::Cancelled:
            return "Cancelled";
        case Doc::BuildOutcome::Failed:
            return "Failed";
        case Doc::BuildOutcome::NotEnoughMemory:
            return "NotEnoughMemory";
    }
    return "?";
}

Kor::ProgressDlg* FindProgress(plat::App& app) {
    for (plat::Wnd* w : app.TopLevels())
        if (auto* p = dynamic_cast<Kor::ProgressDlg*>(w)) return p;
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: build_probe MASK REPORT OUT\n");
        return 2;
    }
    const std::string mask = argv[1], report = argv[2], out = argv[3];
    ProbeApp app;
    if (!app.Ok()) {
        std::fprintf(stderr, "build_probe: no display\n");
        return 1;
    }
    if (!app.InitApplication()) return 1;
    Doc& doc = app.GetDoc();
    if (!app.OpenFile(mask, 0)) return 1;
    app.PumpWhileWaiting([&] { return app.GetFrame().IsWindowVisible(); }, 5000);

    std::atomic<bool> reported{false};
    doc.SetStepHook([&] {
        // On the build thread: the report is written on the user-interface
        // thread, which pumps its messages while the step runs.
        if (!reported.exchange(true)) {
            app.Post([&] {
                Kor::ProgressDlg* progress = FindProgress(app);
                plat::Wnd* cancel = progress ? progress->GetDlgItem(plat::IDCANCEL) : nullptr;
                if (!cancel) return;
                const plat::Rect r = cancel->ClientToScreen(cancel->GetClientRect());
                std::ofstream(report + ".new") << r.left << " " << r.top << " " << r.Width() << " " << r.Height()
                                               << " wait " << app.IsWaitCursorShown() << "\n";
                std::rename((report + ".new").c_str(), report.c_str());
            });
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    });
    doc.Build();
    std::string state =
        std::string("first ") + OutcomeName(doc.GetLastOutcome()) + " " + std::to_string(doc.GetEstimatedLength());
    std::ofstream(out + ".1") << doc.ControlPointsText();

    doc.SetStepHook(nullptr);
    doc.Build();
    state +=
        std::string(" second ") + OutcomeName(doc.GetLastOutcome()) + " " + std::to_string(doc.GetEstimatedLength());
    std::ofstream(out + ".2") << doc.ControlPointsText();
    std::ofstream(out + ".state.new") << state << "\n";
    std::rename((out + ".state.new").c_str(), (out + ".state").c_str());
    return 0;
}
