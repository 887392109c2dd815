// korvane-demo: a small program on Korvane with a real window.
//
//   korvane-demo                    opens the window (needs a display)
//   korvane-demo --report FILE      also writes the swatch's screen rectangle
//                                   ("x y width height") once it is shown
//   korvane-demo --headless-png FILE
//                                   runs without a display: clicks the swatch
//                                   and the button, types into the field, saves
//                                   the window as PNG and checks that it reacted
#include "demo_window.h"

#include "platform/app.h"
#include "platform/headless/headless_backend.h"
#include "platform/resources.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int RunHeadless(const std::string& png) {
    plat::App app(plat::BackendKind::Headless);
    demo::DemoWindow win;
    if (!win.CreateAt(plat::Rect(0, 0, 420, 300))) return 2;
    auto& drv = plat::headless::Driver::Get();
    drv.Flush();
    plat::Point centre = win.swatch.Bounds().Center();
    plat::Color before = win.Snapshot().GetPixel(centre.x, centre.y);
    drv.MouseMove(win, centre);
    drv.Click(win, centre);
    drv.Click(win, win.button.Bounds().Center());
    drv.Click(win.field, plat::Point(5, 5));
    drv.KeyDown(plat::VK_CONTROL);
    drv.PressKey('A');
    drv.KeyUp(plat::VK_CONTROL);
    drv.TypeText("Hello, Korvane");
    drv.AdvanceClock(3000);
    drv.MouseMove(win, win.button.Bounds().Center());
    if (!drv.SavePng(win, png)) {
        std::cerr << "korvane-demo: cannot write " << png << "\n";
        return 2;
    }
    plat::Color after = win.Snapshot().GetPixel(centre.x, centre.y);
    bool reacted = before == demo::Swatch::kColors[0] && after == demo::Swatch::kColors[1] &&
                   win.button.Clicks() == 1 && win.field.GetText() == "Hello, Korvane";
    std::cout << "korvane-demo: saved " << png << (reacted ? "" : " but the window did not react") << "\n";
    return reacted ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string report, png;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--report") && i + 1 < argc) report = argv[++i];
        else if (!std::strcmp(argv[i], "--headless-png") && i + 1 < argc) png = argv[++i];
        else {
            std::cerr << "usage: korvane-demo [--report FILE] [--headless-png FILE]\n";
            return 2;
        }
    }
    plat::AddResourceModule(plat::ResourceModule::FromBundle("/org/vexilo/korvane-demo"), plat::ChainPosition::Front);
    if (!png.empty()) return RunHeadless(png);

    plat::App app;
    if (!app.Ok()) {
        std::cerr << "korvane-demo: cannot open a display\n";
        return 1;
    }
    demo::DemoWindow win;
    if (!win.CreateAt(plat::Rect(40, 40, 460, 340))) return 1;
    app.SetMainWnd(&win);
    if (!report.empty()) {
        // Once the window is on the screen and painted, say where the swatch is.
        win.RunLater(700, [&] {
            plat::Rect r = win.ClientToScreen(win.swatch.Bounds());
            std::ofstream(report) << r.left << " " << r.top << " " << r.Width() << " " << r.Height() << "\n";
        });
    }
    return app.Run();
}
