// What the mask editor's tests share: an owner that records what the
// editor writes back, a view that draws the editor's buffer, a headless
// window for them, and masks to compare (pixels, a plain breadth-first
// fill, the discs a brush stroke should leave).
#pragma once

#include "framework/mask_editor/mask_editor.h"
#include "framework/views/mask_image.h"
#include "framework/views/zoom_view.h"
#include "platform/app.h"
#include "platform/headless/headless_backend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kortest {

// A mask of `w` by `h`, all clear, rows aligned to 4 bytes; bottom-up as a
// BMP is read when `bmpOrder`.
inline img::bitmap ClearMask(unsigned w, unsigned h, bool bmpOrder = false) {
    img::bitmap m(w, h, 4);
    m.fill(false);
    if (bmpOrder) m.set_top_down(false);
    return m;
}

inline bool SamePixels(const img::bitmap& a, const img::bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (unsigned y = 0; y < a.height(); ++y)
        for (unsigned x = 0; x < a.width(); ++x)
            if (a.get(x, y) != b.get(x, y)) return false;
    return true;
}

inline long CountSet(const img::bitmap& m) {
    long n = 0;
    for (unsigned y = 0; y < m.height(); ++y)
        for (unsigned x = 0; x < m.width(); ++x) n += m.get(x, y);
    return n;
}

// The plain fill the span fill is held against: breadth-first over the
// four neighbours, one pixel at a time.
inline void PlainFill(img::bitmap& m, long x, long y, bool v) {
    long w = m.width(), h = m.height();
    if (x < 0 || y < 0 || x >= w || y >= h || m.get(unsigned(x), unsigned(y)) == v) return;
    std::deque<std::pair<long, long>> queue{{x, y}};
    m.set(unsigned(x), unsigned(y), v);
    while (!queue.empty()) {
        auto [px, py] = queue.front();
        queue.pop_front();
        const long nx[4] = {px - 1, px + 1, px, px}, ny[4] = {py, py, py - 1, py + 1};
        for (int i = 0; i < 4; ++i)
            if (nx[i] >= 0 && ny[i] >= 0 && nx[i] < w && ny[i] < h && m.get(unsigned(nx[i]), unsigned(ny[i])) != v) {
                m.set(unsigned(nx[i]), unsigned(ny[i]), v);
                queue.push_back({nx[i], ny[i]});
            }
    }
}

// Sets (or clears) the disc of a brush of `size` whose circle bitmap lies
// with its top-left corner at (left, top): the reference for strokes.
inline void ReferenceDisc(img::bitmap& m, long left, long top, int size, bool v) {
    const double c = size - 0.5, limit = double(size) * size;
    for (long y = 0; y < 2 * size; ++y)
        for (long x = 0; x < 2 * size; ++x) {
            double dx = x - c, dy = y - c;
            long mx = left + x, my = top + y;
            if (dx * dx + dy * dy < limit && mx >= 0 && my >= 0 && mx < long(m.width()) && my < long(m.height()))
                m.set(unsigned(mx), unsigned(my), v);
        }
}

// An owner that keeps its mask and records every SetMask ("name").
class RecordingOwner : public Kor::MaskOwner {
public:
    explicit RecordingOwner(img::bitmap m) : mask(std::move(m)) {}
    ~RecordingOwner() override = default;
    const img::bitmap& GetMask() const override {
        ++reads;
        if (failRead) throw std::runtime_error("cannot read the mask");
        return mask;
    }
    void SetMask(const img::bitmap& m, const std::string& name) override {
        names.push_back(name);
        if (onSet) onSet(m);
        if (failWrite) throw std::runtime_error("cannot keep the mask");
        mask = m;
    }
    using Kor::MaskOwner::CloseEditors;

    img::bitmap mask;
    std::vector<std::string> names;
    std::function<void(const img::bitmap&)> onSet;
    bool failWrite = false, failRead = false;
    mutable int reads = 0;
};

// A view that draws the editor's buffer (or white).
class BufferView : public Kor::ZoomView {
public:
    const img::bitmap* shown = nullptr;

protected:
    void DrawSheet(Kor::CDC* dc, const Kor::CRect& rect) override {
        if (!shown || shown->size() == 0) return Kor::ZoomView::DrawSheet(dc, rect);
        plat::Bitmap picture =
            Kor::MaskRegionBitmap(*shown, Kor::CRect(0, 0, int(shown->width()), int(shown->height())),
                                  plat::Color(0, 0, 0), plat::Color(255, 255, 255));
        Kor::CRect to = ToWindow(types::rect<float>(0, 0, float(shown->width()), float(shown->height())));
        dc->StretchBlt(to.left, to.top, to.Width(), to.Height(), picture, 0, 0, picture.Width(), picture.Height());
    }
};

// Counts the editor's events: "state" and "mask".
class EditorLog : public Kor::EventListener {
public:
    std::vector<std::string> events;
    void ProcessEvent(Kor::Event& e) override {
        if (dynamic_cast<Kor::MaskEditor::StateChange*>(&e)) events.push_back("state");
        if (dynamic_cast<Kor::MaskEditor::MaskChange*>(&e)) events.push_back("mask");
    }
    long Count(const std::string& what) const { return std::count(events.begin(), events.end(), what); }
};

// A headless application with a 400 by 300 window holding the view (300 by
// 200 at its top-left, no border), zoomable from 0.01 to 100.
class MaskTest : public ::testing::Test {
protected:
    plat::App app{plat::BackendKind::Headless};
    plat::headless::Driver& drv = plat::headless::Driver::Get();
    plat::Wnd top;
    BufferView view;

    void SetUp() override {
        ASSERT_TRUE(top.Create(nullptr, plat::Rect(100, 100, 500, 400), plat::WS_OVERLAPPEDWINDOW | plat::WS_VISIBLE));
        ASSERT_TRUE(view.Create(&top, plat::Rect(0, 0, 300, 200), plat::WS_CHILD | plat::WS_VISIBLE));
        view.SetZoomLimits(0.01f, 100.0f);
        drv.Flush();
    }
};

}  // namespace kortest
