#include "platform/edit.h"

#include "platform/clipboard.h"
#include "platform/internal.h"

#include <glib.h>

#include <algorithm>

namespace plat {

namespace {
constexpr int kPadding = 2;

// Character boundaries and encoding come from GLib's UTF-8 functions.
int NextBoundary(const std::string& s, int i) {
    if (i >= int(s.size())) return int(s.size());
    return int(g_utf8_next_char(s.c_str() + i) - s.c_str());
}

int PrevBoundary(const std::string& s, int i) {
    if (i <= 0) return 0;
    return int(g_utf8_find_prev_char(s.c_str(), s.c_str() + i) - s.c_str());
}

std::string Utf8(unsigned cp) {
    char buf[8];
    int n = g_unichar_to_utf8(gunichar(cp), buf);
    return std::string(buf, std::size_t(n));
}
}  // namespace

int Edit::Clamp(int i) const {
    const std::string& t = GetText();
    i = std::clamp(i, 0, int(t.size()));
    if (i == 0 || i == int(t.size())) return i;
    // Back to the start of the character that holds byte i.
    return int(g_utf8_find_prev_char(t.c_str(), t.c_str() + i + 1) - t.c_str());
}

void Edit::SetSel(int start, int end) {
    anchor_ = Clamp(start);
    caret_ = end < 0 ? int(GetText().size()) : Clamp(end);
    ScrollToCaret();
    InvalidateAll(false);
}

void Edit::GetSel(int& start, int& end) const {
    int a = Clamp(anchor_), c = Clamp(caret_);
    start = std::min(a, c);
    end = std::max(a, c);
}

int Edit::GetCaret() const { return Clamp(caret_); }

void Edit::ReplaceSel(const std::string& text) {
    int s, e;
    GetSel(s, e);
    std::string t = GetText();
    t.replace(std::size_t(s), std::size_t(e - s), text);
    SetText(t);
    caret_ = anchor_ = s + int(text.size());
    ScrollToCaret();
    Changed();
}

void Edit::Copy() {
    int s, e;
    GetSel(s, e);
    if (e > s) SetClipboardText(GetText().substr(std::size_t(s), std::size_t(e - s)));
}

void Edit::Cut() {
    int s, e;
    GetSel(s, e);
    if (e == s) return;
    Copy();
    ReplaceSel(std::string());
}

void Edit::Paste() {
    std::string text;
    if (!GetClipboardText(text)) return;
    // One line only: the text up to the first line break.
    text = text.substr(0, text.find_first_of("\r\n"));
    ReplaceSel(text);
}

void Edit::Changed() {
    InvalidateAll(false);
    if (Wnd* p = GetParentWnd()) WndAccess::Command(*p, GetId(), 0x300 /* EN_CHANGE */, this);
}

int Edit::XOf(int index) {
    ClientDC dc(*this);
    dc.SelectFont(GetFont() ? *GetFont() : DefaultGuiFont());
    return kPadding - scroll_ + dc.GetTextExtent(GetText().substr(0, std::size_t(Clamp(index)))).cx;
}

int Edit::IndexAt(int x) {
    const std::string& t = GetText();
    int best = 0, bestDist = std::abs(XOf(0) - x);
    for (int i = NextBoundary(t, 0); i <= int(t.size()); i = NextBoundary(t, i)) {
        int d = std::abs(XOf(i) - x);
        if (d < bestDist) best = i, bestDist = d;
        if (i == int(t.size())) break;
    }
    return best;
}

void Edit::ScrollToCaret() {
    if (!Exists()) return;
    int width = GetClientRect().Width() - 2 * kPadding;
    int x = XOf(caret_) + scroll_ - kPadding;  // caret in text coordinates
    if (x - scroll_ > width) scroll_ = x - width;
    if (x < scroll_) scroll_ = x;
    if (scroll_ < 0) scroll_ = 0;
}

void Edit::MoveCaret(int index, bool extend) {
    caret_ = Clamp(index);
    if (!extend) anchor_ = caret_;
    ScrollToCaret();
    InvalidateAll(false);
}

bool Edit::OnEraseBkgnd(DC& dc) {
    dc.FillSolidRect(GetClientRect(), GetSysColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE));
    return true;
}

void Edit::OnPaint(DC& dc, const Rect&) {
    Rect r = GetClientRect();
    dc.FillSolidRect(r, GetSysColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE));
    dc.SelectFont(GetFont() ? *GetFont() : DefaultGuiFont());
    dc.SetBkMode(TRANSPARENT);
    const std::string& t = GetText();
    int h = dc.GetTextHeight();
    int y = (r.Height() - h) / 2;
    dc.IntersectClipRect(Rect(r).Deflate(1, 0));
    dc.SetTextColor(GetSysColor(IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    dc.TextOut(kPadding - scroll_, y, t);
    bool focused = GetFocus() == this;
    int s, e;
    GetSel(s, e);
    if (focused && e > s) {
        int x0 = kPadding - scroll_ + dc.GetTextExtent(t.substr(0, std::size_t(s))).cx;
        int x1 = kPadding - scroll_ + dc.GetTextExtent(t.substr(0, std::size_t(e))).cx;
        dc.FillSolidRect(Rect(x0, y, x1, y + h), GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc.Save();
        dc.IntersectClipRect(Rect(x0, y, x1, y + h));
        dc.TextOut(kPadding - scroll_, y, t);
        dc.Restore();
    }
    if (focused) {
        int cx = kPadding - scroll_ + dc.GetTextExtent(t.substr(0, std::size_t(GetCaret()))).cx;
        dc.FillSolidRect(Rect(cx, y, cx + 1, y + h), GetSysColor(COLOR_WINDOWTEXT));
    }
}

void Edit::OnLButtonDown(unsigned flags, Point p) {
    SetFocus();
    MoveCaret(IndexAt(p.x), flags & MK_SHIFT);
    dragging_ = true;
    SetCapture();
}

void Edit::OnLButtonDblClk(unsigned, Point) { SelectAll(); }

void Edit::OnMouseMove(unsigned, Point p) {
    if (dragging_) MoveCaret(IndexAt(p.x), true);
}

void Edit::OnLButtonUp(unsigned, Point) {
    if (!dragging_) return;
    dragging_ = false;
    ReleaseCapture();
}

void Edit::OnKeyDown(unsigned key, unsigned, unsigned) {
    bool shift = IsKeyDown(VK_SHIFT), ctrl = IsKeyDown(VK_CONTROL);
    const std::string& t = GetText();
    int s, e;
    GetSel(s, e);
    switch (key) {
    case VK_LEFT:
        MoveCaret(!shift && e > s ? s : PrevBoundary(t, GetCaret()), shift);
        break;
    case VK_RIGHT:
        MoveCaret(!shift && e > s ? e : NextBoundary(t, GetCaret()), shift);
        break;
    case VK_HOME: MoveCaret(0, shift); break;
    case VK_END: MoveCaret(int(t.size()), shift); break;
    case VK_DELETE:
        if (shift) Cut();
        else {
            if (e == s) SetSel(s, NextBoundary(t, s));
            ReplaceSel(std::string());
        }
        break;
    case VK_INSERT:
        if (ctrl) Copy();
        else if (shift) Paste();
        break;
    case 'A': if (ctrl) SelectAll(); break;
    case 'C': if (ctrl) Copy(); break;
    case 'X': if (ctrl) Cut(); break;
    case 'V': if (ctrl) Paste(); break;
    default: break;
    }
}

void Edit::OnChar(unsigned ch, unsigned, unsigned) {
    if (ch == '\b') {
        int s, e;
        GetSel(s, e);
        if (e == s) {
            if (s == 0) return;
            SetSel(PrevBoundary(GetText(), s), s);
        }
        ReplaceSel(std::string());
        return;
    }
    if (ch < 32 || ch == 127) return;  // Enter, Escape, Tab and other controls
    ReplaceSel(Utf8(ch));
}

void Edit::OnSetFocus(Wnd*) { InvalidateAll(false); }

void Edit::OnKillFocus(Wnd*) {
    dragging_ = false;
    InvalidateAll(false);
}

bool Edit::OnSetCursor(Wnd* wnd, unsigned hitTest, unsigned message) {
    if (wnd == this && hitTest == HTCLIENT) {
        plat::SetCursor(Cursor::Standard(StdCursor::IBeam));
        return true;
    }
    return Wnd::OnSetCursor(wnd, hitTest, message);
}

}  // namespace plat
