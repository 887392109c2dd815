// A zoomable test view whose sheet is a checkerboard of one-pixel image
// cells, a tool that records what the view tells it, a circle tool that
// records its strokes, and a headless window to put them in.
#pragma once

#include "framework/tools/circle_tool.h"
#include "framework/views/zoom_view.h"
#include "platform/app.h"
#include "platform/headless/headless_backend.h"
#include "platform/wnd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace kortest {

using Log = std::vector<std::string>;

inline std::string Text(const Kor::CPoint& p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// Light and dark cells: (x + y) even is light.
constexpr plat::Color kLightCell(255, 255, 255), kDarkCell(60, 120, 200);

class CheckerView : public Kor::ZoomView {
public:
    Log events;  // the notifications of the layers below

protected:
    void DrawSheet(Kor::CDC* dc, const Kor::CRect& rect) override {
        // Only the cells the rectangle touches.
        types::rect<float> d = ToDocument(rect);
        types::extent<float> size = GetWorkbenchSize();
        int x0 = std::max(0, int(std::floor(d.left))), y0 = std::max(0, int(std::floor(d.top)));
        int x1 = std::min(int(size.width), int(std::ceil(d.right)) + 1);
        int y1 = std::min(int(size.height), int(std::ceil(d.bottom)) + 1);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                dc->FillSolidRect(ToWindow(types::rect<float>(float(x), float(y), float(x + 1), float(y + 1))),
                                  (x + y) % 2 ? kDarkCell : kLightCell);
    }
    void ToolChanged() override { events.push_back("tool"); }
    void TemporaryToolChanged() override { events.push_back("temporary"); }
    void ContentSizeChanged() override { events.push_back("content"); }
    void ZoomChanged() override { events.push_back("zoom"); }
};

// A tool that logs the view's calls as "name:call".
class LogTool : public Kor::Tool {
public:
    LogTool(std::string name, Log& log) : name_(std::move(name)), log_(log) {}
    void Activate() override { Add("activate"); }
    void Deactivate() override { Add("deactivate"); }
    void Show() override { Add("show"); }
    void Hide() override { Add("hide"); }
    void OnKeyDown(unsigned key, unsigned, unsigned) override { Add("keydown " + std::to_string(key)); }
    void OnKeyUp(unsigned key, unsigned, unsigned) override { Add("keyup " + std::to_string(key)); }
    void OnLButtonDown(unsigned, Kor::CPoint p) override { Add("ldown " + Text(p)); }
    void OnMouseMove(unsigned, Kor::CPoint p) override { Add("move " + Text(p)); }
    void OnMouseEnter(unsigned, Kor::CPoint) override { Add("enter"); }
    void OnMouseLeave() override { Add("leave"); }
    void OnKeyboardLost() override { Add("keyboardlost"); }

private:
    void Add(const std::string& s) { log_.push_back(name_ + ":" + s); }
    std::string name_;
    Log& log_;
};

// A circle tool whose strokes are logged: "select x,y buttons" and "sync";
// `onSelect` may act in the middle of a stroke (open a message box).
class StrokeTool : public Kor::CircleTool {
public:
    StrokeTool(Kor::ZoomView& view, int size, Log& log) : Kor::CircleTool(view, size), log_(log) {}
    std::function<void()> onSelect;
    int syncs = 0;

    void Select(Kor::CPoint p, int buttons) override {
        log_.push_back("select " + Text(p) + " " + std::to_string(buttons));
        if (onSelect) onSelect();
    }
    void Synchronize() override {
        ++syncs;
        log_.push_back("sync");
    }

private:
    Log& log_;
};

// A headless application with a 400 by 300 window at (100, 100) holding the
// checker view (no border: its client area is the rectangle it is given).
class ViewTest : public ::testing::Test {
protected:
    plat::App app{plat::BackendKind::Headless};
    plat::headless::Driver& drv = plat::headless::Driver::Get();
    plat::Wnd top;
    CheckerView view;

    void SetUp() override {
        ASSERT_TRUE(top.Create(nullptr, plat::Rect(100, 100, 500, 400), plat::WS_OVERLAPPEDWINDOW | plat::WS_VISIBLE));
        ASSERT_TRUE(view.Create(&top, plat::Rect(0, 0, 300, 200), plat::WS_CHILD | plat::WS_VISIBLE));
        view.SetZoomLimits(0.01f, 100.0f);
        view.SetMargin(1);
        drv.Flush();
    }

    // The view's pixels as they are on the screen now.
    plat::Bitmap Screen() {
        drv.Flush();
        return view.Snapshot();
    }
    // The view's pixels after it was painted whole again.
    plat::Bitmap Repainted() {
        view.InvalidateAll(false);
        return Screen();
    }
};

// How many pixels of two pictures of the same size differ.
inline int Differences(const plat::Bitmap& a, const plat::Bitmap& b) {
    if (a.GetSize() != b.GetSize()) return -1;
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) n += a.GetPixel(x, y) != b.GetPixel(x, y);
    return n;
}

}  // namespace kortest
