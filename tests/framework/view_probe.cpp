// A window with the checker view and a circle tool, for the check on a real
// display (views_xvfb_test.sh): it writes the view's place on the screen to
// REPORT once shown, and then, ten times a second, its state to STATE:
//   zoom Z scroll X Y cursor NAME temporary hand|zoom|none strokes N
// Usage: view_probe REPORT STATE
#include "tests/framework/view_fixture.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

using namespace kortest;

class ProbeWindow : public plat::Wnd {
public:
    ProbeWindow(std::string report, std::string state) : report_(std::move(report)), state_(std::move(state)) {}
    CheckerView view;
    std::unique_ptr<StrokeTool> circle;
    Log strokes;

protected:
    bool OnCreate() override {
        if (!view.Create(this, plat::Rect(0, 0, 10, 10), plat::WS_CHILD | plat::WS_VISIBLE)) return false;
        view.SetZoomLimits(0.01f, 100.0f);
        view.SetMargin(1);
        view.SetWorkbenchSize(1000, 800);
        circle = std::make_unique<StrokeTool>(view, 6, strokes);
        view.SetTool(circle.get());
        SetTimer(1, 100);
        return true;
    }
    void OnDestroy() override {
        view.SetTool(nullptr);
        plat::App::Instance()->Quit(0);
    }
    void OnSize(int cx, int cy) override {
        if (view.Exists()) view.MoveWindow(plat::Rect(0, 0, cx, cy));
    }
    void OnTimer(unsigned) override {
        if (!reported_ && IsWindowVisible()) {
            plat::Rect r = view.ClientToScreen(view.GetClientRect());
            std::ofstream(report_) << r.left << " " << r.top << " " << r.Width() << " " << r.Height() << "\n";
            reported_ = true;
            view.SetFocus();  // as a frame gives its view the keyboard
        }
        Kor::Tool* temporary = view.GetTemporaryTool();
        const char* lent = temporary == &view.GetPanTool()    ? "hand"
                           : temporary == &view.GetZoomTool() ? "zoom"
                                                              : "none";
        std::string cursor = plat::App::Instance()->GetCurrentCursor().Name();
        std::ofstream out(state_ + ".new");
        out << "zoom " << view.GetZoom() << " scroll " << view.GetScrollPosition().x << " "
            << view.GetScrollPosition().y << " cursor " << (cursor.empty() ? "-" : cursor) << " temporary " << lent
            << " strokes " << circle->syncs << "\n";
        out.close();
        std::rename((state_ + ".new").c_str(), state_.c_str());
    }

private:
    std::string report_, state_;
    bool reported_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: view_probe REPORT STATE\n");
        return 2;
    }
    plat::App app;
    if (!app.Ok()) {
        std::fprintf(stderr, "view_probe: no display\n");
        return 1;
    }
    ProbeWindow window(argv[1], argv[2]);
    if (!window.Create(nullptr, plat::Rect(40, 40, 540, 440), plat::WS_OVERLAPPEDWINDOW | plat::WS_VISIBLE, 0,
                       "View probe"))
        return 1;
    app.SetMainWnd(&window);
    return app.Run();
}
