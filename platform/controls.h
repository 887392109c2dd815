// The standard child controls that dialogs are made of: static text, push
// button, progress bar, icon, and the scroll-bar control. Each is a child
// window drawn by this layer; buttons and scroll bars report to their parent
// window (OnCommand with BN_CLICKED, OnHScroll/OnVScroll with themselves).
#pragma once

#include "platform/scroll_bar_layout.h"
#include "platform/wnd.h"

namespace plat {

// Styles of the controls.
enum : unsigned {
    SS_LEFT = 0x0, SS_CENTER = 0x1, SS_RIGHT = 0x2,  // static text alignment
    BS_DEFPUSHBUTTON = 0x1,                          // the button Enter presses
    SBS_HORZ = 0x0, SBS_VERT = 0x1,                  // scroll-bar control direction
};
// Notification codes.
enum : unsigned { BN_CLICKED = 0, EN_CHANGE = 0x300 };

class StaticText : public Wnd {
protected:
    bool OnEraseBkgnd(DC& dc) override;
    void OnPaint(DC& dc, const Rect& update) override;
};

class PushButton : public Wnd {
public:
    bool IsPressed() const { return pressed_ && inside_; }
    void Click();  // as if the user clicked it

protected:
    void OnPaint(DC& dc, const Rect& update) override;
    void OnLButtonDown(unsigned flags, Point p) override;
    void OnLButtonDblClk(unsigned flags, Point p) override { OnLButtonDown(flags, p); }
    void OnMouseMove(unsigned flags, Point p) override;
    void OnLButtonUp(unsigned flags, Point p) override;
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void OnSetFocus(Wnd*) override { InvalidateAll(false); }
    void OnKillFocus(Wnd*) override { InvalidateAll(false); }
    void OnCaptureChanged(Wnd*) override;

private:
    bool pressed_ = false, inside_ = false;
};

class ProgressBar : public Wnd {
public:
    void SetRange(int low, int high);
    void SetPos(int pos);
    int GetPos() const { return pos_; }
    int GetLow() const { return low_; }
    int GetHigh() const { return high_; }

protected:
    void OnPaint(DC& dc, const Rect& update) override;

private:
    int low_ = 0, high_ = 100, pos_ = 0;
};

class IconControl : public Wnd {
public:
    enum Standard { None, Information, Warning, Error, Question };
    void SetStandardIcon(Standard s);
    void SetImage(const Bitmap& image);

protected:
    void OnPaint(DC& dc, const Rect& update) override;

private:
    Standard standard_ = None;
    Bitmap image_;
};

class ScrollBarCtrl : public Wnd {
public:
    void SetScrollInfo(const ScrollInfo& info, bool redraw = true);
    ScrollInfo GetScrollInfo() const { return info_; }
    int SetScrollPos(int pos, bool redraw = true);
    int GetScrollPos() const { return info_.pos; }
    bool IsVertical() const { return GetStyle() & SBS_VERT; }

protected:
    void OnPaint(DC& dc, const Rect& update) override;
    void OnLButtonDown(unsigned flags, Point p) override;
    void OnLButtonDblClk(unsigned flags, Point p) override { OnLButtonDown(flags, p); }
    void OnMouseMove(unsigned flags, Point p) override;
    void OnLButtonUp(unsigned flags, Point p) override;
    void OnCaptureChanged(Wnd* next) override;

private:
    ScrollBarLayout Layout() const;
    void Notify(unsigned code, int pos);

    ScrollInfo info_;
    ScrollBarDrag drag_;
};

// Draws one of the standard message icons into `r` (used by message boxes
// and icon controls).
void DrawStandardIcon(DC& dc, const Rect& r, IconControl::Standard icon);

}  // namespace plat
