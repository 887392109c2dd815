// vexilo: fits the best closed poly-Bezier to the outline of a 1-bit mask.
//
//   vexilo [FILE.bmp]                      opens the window (needs a display)
//                                          and the mask, when one is given
//   vexilo --headless-png PNG [FILE.bmp]   runs without a display: opens the
//                                          mask (by default one it draws),
//                                          builds the curve through the
//                                          menu, shows the tangents, saves
//                                          the window as PNG and checks that
//                                          a curve was built
#include "app/vexilo.h"
#include "app/vexilo_strings.h"

#include "contour/bitmap.h"
#include "contour/write_bmp.h"
#include "framework/app/command_ids.h"
#include "platform/headless/headless_backend.h"
#include "platform/paths.h"

#include <stdlib.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

// A rounded rectangle, 72 by 52 pixels, in a mask of 90 by 70.
void DrawMask(const std::string& path) {
    img::bitmap mask(90, 70);
    for (std::uint32_t y = 0; y < 70; ++y)
        for (std::uint32_t x = 0; x < 90; ++x)
            mask.set(x, y, std::pow(std::fabs(x + 0.5 - 45) / 36, 3) + std::pow(std::fabs(y + 0.5 - 35) / 26, 3) <= 1);
    img::write_bmp(path, mask);
}

int RunHeadless(const std::string& png, std::string file) {
    // Removed when the run is over, after the application (which may still
    // write its settings) has gone.
    plat::TemporaryFolder temporary("vexilo");
    const std::string& folder = temporary.Path();
    if (folder.empty()) {
        std::cerr << "vexilo: cannot make a temporary folder\n";
        return 2;
    }
    // Settings of this run stay in the temporary folder.
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    if (file.empty()) {
        file = folder + "/rounded.bmp";
        DrawMask(file);
    }

    Vexilo app(plat::BackendKind::Headless);
    if (!app.InitInstance()) return 2;
    auto& drv = plat::headless::Driver::Get();
    MainFrame& frame = app.GetFrame();
    drv.Resize(frame, plat::Size(900, 640));
    app.OpenDocumentFile(file.c_str());
    drv.Flush();
    bool built = drv.ChooseMenuCommand(frame, ID_POLYBEZIER_BUILD);
    drv.ChooseMenuCommand(frame, ID_VIEW_TANGENTS);
    frame.view.ZoomToFit();
    drv.MouseMove(frame.view, frame.view.GetClientRect().Center());
    drv.Flush();
    if (!drv.SavePng(frame, png)) {
        std::cerr << "vexilo: cannot write " << png << "\n";
        return 2;
    }
    bool reacted = built && app.GetDoc().HasCurve() && frame.view.AreTangentsShown();
    std::cout << "vexilo: saved " << png << (reacted ? "" : " but no curve was built") << "\n";
    frame.Destroy();
    return reacted ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string png, file;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--headless-png") && i + 1 < argc)
            png = argv[++i];
        else if (argv[i][0] != '-' && file.empty())
            file = argv[i];
        else {
            std::cerr << "usage: vexilo [--headless-png PNG] [FILE.bmp]\n";
            return 2;
        }
    }
    if (!png.empty()) return RunHeadless(png, file);

    Vexilo app;
    if (!app.Ok()) {
        std::cerr << "vexilo: cannot open a display\n";
        return 1;
    }
    if (!app.InitInstance()) return 1;
    // A mask that cannot be opened is reported in the window, which stays.
    if (!file.empty()) app.Post([&app, file] { app.OpenDocumentFile(file.c_str()); });
    return app.Run();
}
