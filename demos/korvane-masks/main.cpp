// korvane-masks: an editor of a numbered sequence of 1-bit masks on
// Korvane's mask editor and player.
//
//   korvane-masks [FILE.bmp]          opens the window (needs a display),
//                                     with the numbered sequence of FILE
//   korvane-masks --new               opens the window with a new sequence
//                                     (a moving disc)
//   korvane-masks --report OUT ...    also writes screen rectangles ("x y
//                                     width height") to OUT once the window
//                                     is shown: the view, the Play and the
//                                     Pause buttons
//   korvane-masks --headless-png PNG  runs without a display: makes a new
//                                     sequence, paints a stroke, fills a
//                                     region, plays a few frames and pauses,
//                                     saves the window as PNG and checks that
//                                     it reacted
#include "demos/korvane-masks/masks_app.h"

#include "framework/app/command_ids.h"
#include "framework/events/timer.h"
#include "framework/mask_editor/mask_command_ids.h"
#include "framework/playback/playback_command_ids.h"
#include "platform/headless/headless_backend.h"
#include "platform/paths.h"

#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

using masks::MasksApp;

int RunHeadless(const std::string& png) {
    // Removed when the run is over, after the application (which may still
    // write its settings) has gone.
    plat::TemporaryFolder temporary("korvane-masks");
    const std::string& folder = temporary.Path();
    if (folder.empty()) {
        std::cerr << "korvane-masks: cannot make a temporary folder\n";
        return 2;
    }
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);

    MasksApp app(plat::BackendKind::Headless);
    if (!app.InitInstance()) return 2;
    auto& drv = plat::headless::Driver::Get();
    masks::MasksFrame& frame = app.GetFrame();
    drv.Resize(frame, plat::Size(640, 420));
    drv.ChooseMenuCommand(frame, Kor::ID_FILE_NEW);
    drv.Flush();
    masks::MasksView& view = frame.view;
    masks::MaskDoc& doc = app.GetDoc();
    img::bitmap first = *doc.GetFrameMask(0);

    // Play three ticks and pause: the current frame stays, the editor
    // comes back on it.
    drv.ChooseMenuCommand(frame, Kor::ID_TIME_PLAY_FORWARD);
    unsigned period = view.GetTickPeriod();
    drv.AdvanceClock(3 * period + period / 2);
    bool played = doc.GetPlayFrame() == 3;
    drv.ChooseMenuCommand(frame, Kor::ID_TIME_PAUSE);
    bool paused = view.GetPlayMode() == Kor::PLAY_PAUSED && view.GetEditor().IsOpen();

    // A brush stroke along the bottom of frame 0, then the disc erased by a
    // fill.
    drv.ChooseMenuCommand(frame, Kor::ID_TOOL_BRUSH);
    view.GetEditor().Brush()->IncreaseSize(4 - view.GetEditor().Brush()->GetSize());
    Kor::CPoint from = view.ToWindow({6, 48}), to = view.ToWindow({90, 48});
    drv.MouseDown(view, from);
    for (int i = 1; i <= 40; ++i) drv.MouseMove(view, Kor::CPoint(from.x + (to.x - from.x) * i / 40, from.y));
    drv.MouseUp(view, to);
    bool painted = !masks::MaskDoc::SameMask(*doc.GetFrameMask(0), first) && doc.GetFrameMask(0)->get(50, 48);
    drv.ChooseMenuCommand(frame, Kor::ID_TOOL_FILL);
    drv.Click(view, view.ToWindow({18.5f, 26.5f}), plat::headless::Button::Right);
    bool filled = !doc.GetFrameMask(0)->get(18, 26);
    drv.MouseMove(view, view.ToWindow({60, 40}));
    drv.Flush();
    if (!drv.SavePng(frame, png)) {
        std::cerr << "korvane-masks: cannot write " << png << "\n";
        return 2;
    }
    bool reacted = played && paused && painted && filled && doc.GetActions().Size() == 2;
    std::cout << "korvane-masks: saved " << png << (reacted ? "" : " but the program did not react") << " (played "
              << played << ", paused " << paused << ", painted " << painted << ", filled " << filled << ")\n";
    frame.Destroy();
    return reacted ? 0 : 1;
}

// Writes where the view and the Play and Pause buttons are once the window
// has been on the screen for a moment.
class Reporter : public Kor::EventListener {
public:
    Reporter(MasksApp& app, std::string path) : app_(app), path_(std::move(path)) {
        timer_.AddListener(this);
        timer_.Start();
    }
    ~Reporter() override { timer_.RemoveListener(this); }
    void ProcessEvent(Kor::Event& e) override {
        if (!dynamic_cast<Kor::TimerEvent*>(&e)) return;
        timer_.Stop();
        masks::MasksFrame& f = app_.GetFrame();
        std::ofstream out(path_ + ".part");
        Write(out, f.view.ClientToScreen(f.view.GetClientRect()));
        for (unsigned id : {Kor::ID_TIME_PLAY_FORWARD, Kor::ID_TIME_PAUSE})
            if (Kor::ToolButton* b = f.toolBar.FindButton(id)) Write(out, f.ClientToScreen(b->GetWindowRect()));
        out.close();
        std::rename((path_ + ".part").c_str(), path_.c_str());
    }

private:
    static void Write(std::ostream& out, const plat::Rect& r) {
        out << r.left << " " << r.top << " " << r.Width() << " " << r.Height() << "\n";
    }

    MasksApp& app_;
    std::string path_;
    Kor::Timer timer_{700};
};

}  // namespace

int main(int argc, char** argv) {
    std::string report, png, file;
    bool makeNew = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--report") && i + 1 < argc)
            report = argv[++i];
        else if (!std::strcmp(argv[i], "--headless-png") && i + 1 < argc)
            png = argv[++i];
        else if (!std::strcmp(argv[i], "--new"))
            makeNew = true;
        else if (argv[i][0] != '-' && file.empty())
            file = argv[i];
        else {
            std::cerr << "usage: korvane-masks [--report FILE] [--headless-png FILE] [--new | MASK.bmp]\n";
            return 2;
        }
    }
    if (!png.empty()) return RunHeadless(png);

    MasksApp app;
    if (!app.Ok()) {
        std::cerr << "korvane-masks: cannot open a display\n";
        return 1;
    }
    if (!app.InitInstance()) return 1;
    if (!file.empty())
        app.OpenDocumentFile(file.c_str());
    else if (makeNew)
        app.GetFrame().SendCommand(Kor::ID_FILE_NEW);
    std::unique_ptr<Reporter> reporter;
    if (!report.empty()) reporter = std::make_unique<Reporter>(app, report);
    return app.Run();
}
