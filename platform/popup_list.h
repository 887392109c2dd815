// A pop-up list: a small top-level window without caption that shows a
// column of items (a text, and a colour swatch where an item has one) just
// below a place on the screen, for a drop-down control to choose from. It
// never takes the keyboard focus: the control that opened it passes it the
// keys (HandleKey). While open it holds the mouse capture, so that a press
// anywhere else closes it without a choice; a press and release on an item
// chooses it, as does dragging onto an item and releasing there. Up to
// kMaxVisible items show at once; longer lists scroll (their scroll bar, the
// wheel, the keys).
#pragma once

#include "platform/scroll_bar_layout.h"
#include "platform/wheel.h"
#include "platform/wnd.h"

#include <functional>
#include <string>
#include <vector>

namespace plat {

class PopupList : public Wnd {
public:
    struct Item {
        std::string text;
        bool swatch = false;  // shows `color` before the text
        Color color;
    };
    static constexpr int kMaxVisible = 12;

    PopupList() = default;
    ~PopupList() override;

    // Opens owned by `owner`'s top-level window, below the screen rectangle
    // `anchor` (above it when there is no room below) and at least as wide,
    // with `current` highlighted (-1: none). False when it cannot open.
    bool Open(Wnd* owner, const Rect& anchor, std::vector<Item> items, int current, const Font& font);
    // Closes without a choice.
    void Close();
    bool IsOpen() const { return Exists(); }

    const std::vector<Item>& Items() const { return items_; }
    int GetCurrent() const { return current_; }
    // Highlights item `i` (limited to the items) and scrolls it into view.
    void SetCurrent(int i);
    int GetTopIndex() const { return top_; }
    int ItemHeight() const { return itemHeight_; }
    // The item at a client point, or -1.
    int ItemFromPoint(Point p) const;

    // The keys of the control that opened it: Up, Down, Home, End, Page Up
    // and Page Down move the highlight, Enter chooses it, Escape and Tab
    // close. True when the key was the list's.
    bool HandleKey(unsigned vk);

    // Called with the chosen item, after the list has closed (it may delete
    // the list).
    std::function<void(int)> onChoose;
    // Called whenever the list closes, a choice or not (before onChoose).
    std::function<void()> onClose;

protected:
    void OnPaint(DC& dc, const Rect& update) override;
    void OnLButtonDown(unsigned flags, Point p) override;
    void OnLButtonDblClk(unsigned flags, Point p) override { OnLButtonDown(flags, p); }
    void OnMouseMove(unsigned flags, Point p) override;
    void OnLButtonUp(unsigned flags, Point p) override;
    void OnMouseWheel(unsigned flags, int delta, Point screen) override;
    void OnVScroll(unsigned code, unsigned pos, Wnd* bar) override;
    void OnCaptureChanged(Wnd* next) override;

private:
    void Choose(int i);
    void ScrollTo(int top);
    int Visible() const;
    // The built-in scroll bar, in the coordinates of the window's box.
    bool OnBar(Point client, ScrollBarLayout& bar) const;
    Rect ItemRect(int i) const;

    std::vector<Item> items_;
    int current_ = -1;
    int top_ = 0;
    int itemHeight_ = 16;
    bool armed_ = false;  // a press or a drag over the list began a choice
    bool closing_ = false;
    ScrollBarDrag drag_;          // a press on the scroll bar, until released
    WheelAccumulator wheelRest_;  // parts of a notch not scrolled yet
};

}  // namespace plat
