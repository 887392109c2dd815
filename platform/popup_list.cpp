#include "platform/popup_list.h"

#include "platform/app.h"
#include "platform/backend.h"
#include "platform/internal.h"

#include <algorithm>

namespace plat {

namespace {
constexpr int kTextPad = 4;
}

PopupList::~PopupList() {
    onChoose = nullptr;
    onClose = nullptr;
    Close();
}

bool PopupList::Open(Wnd* owner, const Rect& anchor, std::vector<Item> items, int current, const Font& font) {
    Close();
    App* app = App::Instance();
    if (!app || !app->Ok() || items.empty()) return false;
    items_ = std::move(items);
    current_ = current >= 0 && current < int(items_.size()) ? current : -1;
    top_ = 0;
    armed_ = false;
    drag_ = ScrollBarDrag();
    wheelRest_.Reset();
    SetFont(&font, false);

    Bitmap scratch(1, 1);
    DC measure(scratch);
    measure.SelectFont(font);
    itemHeight_ = measure.GetTextHeight() + 4;
    int textWidth = 0;
    bool swatches = false;
    for (const Item& item : items_) {
        textWidth = std::max(textWidth, measure.GetTextExtent(item.text).cx);
        swatches = swatches || item.swatch;
    }
    bool scroll = int(items_.size()) > kMaxVisible;
    int w = textWidth + 2 * kTextPad + 2 + (swatches ? itemHeight_ : 0) + (scroll ? kScrollBarSize : 0);
    w = std::max(w, anchor.Width());
    int h = Visible() * itemHeight_ + 2;
    Size screen = app->GetBackend().ScreenSize();
    int x = std::max(0, std::min(anchor.left, screen.cx - w));
    int y = anchor.bottom;
    if (y + h > screen.cy && anchor.top - h >= 0) y = anchor.top - h;
    if (!Create(owner, Rect(x, y, x + w, y + h), WS_POPUP | (scroll ? WS_VSCROLL : 0u), 0, std::string(),
                WS_EX_TOOLWINDOW))
        return false;
    if (scroll) {
        ScrollInfo si;
        si.max = int(items_.size()) - 1;
        si.page = unsigned(Visible());
        SetScrollInfo(SB_VERT, si, false);
    }
    SetCurrent(current_);
    ShowWindow(SW_SHOWNOACTIVATE);
    SetCapture();
    return Exists();
}

void PopupList::Close() {
    if (!Exists() || closing_) return;
    closing_ = true;
    std::function<void()> closed = onClose;
    if (GetCapture() == this) ReleaseCapture();
    Destroy();
    drag_ = ScrollBarDrag();
    armed_ = false;
    closing_ = false;
    if (closed) closed();
}

int PopupList::Visible() const { return std::min(int(items_.size()), kMaxVisible); }

void PopupList::SetCurrent(int i) {
    int n = int(items_.size());
    if (n == 0) return;
    i = std::max(-1, std::min(i, n - 1));
    if (i >= 0) {
        if (i < top_)
            ScrollTo(i);
        else if (i >= top_ + Visible())
            ScrollTo(i - Visible() + 1);
    }
    if (i == current_) return;
    current_ = i;
    if (Exists()) InvalidateAll(false);
}

void PopupList::ScrollTo(int top) {
    top = std::max(0, std::min(top, int(items_.size()) - Visible()));
    if (top == top_) return;
    top_ = top;
    if (!Exists()) return;
    if (IsScrollBarShown(SB_VERT)) SetScrollPos(SB_VERT, top_);
    InvalidateAll(false);
}

Rect PopupList::ItemRect(int i) const {
    Rect c = GetClientRect();
    int y = 1 + (i - top_) * itemHeight_;
    return Rect(1, y, c.right - 1, y + itemHeight_);
}

int PopupList::ItemFromPoint(Point p) const {
    Rect c = GetClientRect();
    c.Deflate(1, 1);
    if (!c.Contains(p)) return -1;
    int i = top_ + (p.y - 1) / itemHeight_;
    return i < int(items_.size()) && i < top_ + Visible() ? i : -1;
}

bool PopupList::OnBar(Point client, ScrollBarLayout& bar) const {
    if (!IsScrollBarShown(SB_VERT)) return false;
    bar = BuiltInBarLayout(*this, SB_VERT);
    return bar.box.Contains(client + GetClientArea().TopLeft());
}

bool PopupList::HandleKey(unsigned vk) {
    if (!Exists()) return false;
    int last = int(items_.size()) - 1;
    switch (vk) {
        case VK_UP:
            SetCurrent(current_ < 0 ? 0 : std::max(current_ - 1, 0));
            return true;
        case VK_DOWN:
            SetCurrent(std::min(current_ + 1, last));
            return true;
        case VK_HOME:
            SetCurrent(0);
            return true;
        case VK_END:
            SetCurrent(last);
            return true;
        case VK_PRIOR:
            SetCurrent(std::max(current_ - Visible(), 0));
            return true;
        case VK_NEXT:
            SetCurrent(std::min(std::max(current_, 0) + Visible(), last));
            return true;
        case VK_RETURN:
            if (current_ >= 0)
                Choose(current_);
            else
                Close();
            return true;
        case VK_ESCAPE:
        case VK_TAB:
            Close();
            return true;
        default:
            return false;
    }
}

void PopupList::Choose(int i) {
    std::function<void(int)> choose = onChoose;
    Close();
    if (choose) choose(i);  // last: it may delete the list
}

void PopupList::OnLButtonDown(unsigned, Point p) {
    ScrollBarLayout bar;
    if (OnBar(p, bar)) {
        drag_.Press(bar, p + GetClientArea().TopLeft(),
                    [this](unsigned code, int pos) { OnVScroll(code, unsigned(pos), nullptr); });
        return;
    }
    int i = ItemFromPoint(p);
    if (i < 0) {
        Close();  // a press anywhere else
        return;
    }
    armed_ = true;
    SetCurrent(i);
}

void PopupList::OnMouseMove(unsigned flags, Point p) {
    if (drag_.Active()) {
        ScrollBarLayout bar;
        OnBar(p, bar);
        drag_.Move(bar, p + GetClientArea().TopLeft(),
                   [this](unsigned code, int pos) { OnVScroll(code, unsigned(pos), nullptr); });
        return;
    }
    int i = ItemFromPoint(p);
    if (i < 0) return;
    SetCurrent(i);
    if (flags & MK_LBUTTON) armed_ = true;  // dragged from the press that opened the list
}

void PopupList::OnLButtonUp(unsigned, Point p) {
    if (drag_.Active()) {
        ScrollBarDrag drag = drag_;
        drag_ = ScrollBarDrag();
        drag.Release([this](unsigned code, int pos) { OnVScroll(code, unsigned(pos), nullptr); });
        return;
    }
    int i = ItemFromPoint(p);
    if (armed_ && i >= 0) return Choose(i);
    armed_ = false;
}

// A line for every third of a notch, as the built-in bars scroll.
void PopupList::OnMouseWheel(unsigned, int delta, Point) { ScrollTo(top_ - wheelRest_.Take(delta, kWheelDelta / 3)); }

void PopupList::OnVScroll(unsigned code, unsigned pos, Wnd*) {
    switch (code) {
        case SB_LINEUP:
            ScrollTo(top_ - 1);
            break;
        case SB_LINEDOWN:
            ScrollTo(top_ + 1);
            break;
        case SB_PAGEUP:
            ScrollTo(top_ - Visible());
            break;
        case SB_PAGEDOWN:
            ScrollTo(top_ + Visible());
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            ScrollTo(int(pos));
            break;
        case SB_TOP:
            ScrollTo(0);
            break;
        case SB_BOTTOM:
            ScrollTo(int(items_.size()));
            break;
        default:
            break;
    }
}

void PopupList::OnCaptureChanged(Wnd* next) {
    // Another window took the mouse: the list goes.
    if (next != this) Close();
}

void PopupList::OnPaint(DC& dc, const Rect&) {
    Rect c = GetClientRect();
    if (const Font* f = GetFont()) dc.SelectFont(*f);
    dc.FillSolidRect(c, GetSysColor(COLOR_WINDOW));
    dc.FrameRect(c, GetSysColor(COLOR_WINDOWFRAME));
    dc.SetBkMode(TRANSPARENT);
    for (int i = top_; i < top_ + Visible(); ++i) {
        const Item& item = items_[std::size_t(i)];
        Rect r = ItemRect(i);
        bool current = i == current_;
        if (current) dc.FillSolidRect(r, GetSysColor(COLOR_HIGHLIGHT));
        Rect text = r;
        text.left += kTextPad;
        if (item.swatch) {
            Rect s(text.left, r.top + 2, text.left + itemHeight_ - 4, r.bottom - 2);
            dc.FillSolidRect(s, item.color);
            dc.FrameRect(s, GetSysColor(COLOR_WINDOWTEXT));
            text.left = s.right + kTextPad;
        }
        dc.SetTextColor(GetSysColor(current ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        dc.DrawText(item.text, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
}

}  // namespace plat
