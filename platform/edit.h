// A single-line text edit: caret, selection (Shift with the arrow keys,
// Home and End, or dragging), typing, Backspace and Delete, and the
// clipboard keys (Ctrl+C/X/V/A, Ctrl+Insert, Shift+Insert, Shift+Delete).
// Changes are reported to the parent as EN_CHANGE. Positions are byte
// offsets into the UTF-8 text, always at character boundaries.
#pragma once

#include "platform/wnd.h"

namespace plat {

class Edit : public Wnd {
public:
    void SetSel(int start, int end);  // -1 as end: to the end of the text
    void GetSel(int& start, int& end) const;
    int GetCaret() const;
    void ReplaceSel(const std::string& text);
    void SelectAll() { SetSel(0, -1); }
    void Copy();
    void Cut();
    void Paste();
    bool WantsChars() const override { return true; }

protected:
    void OnPaint(DC& dc, const Rect& update) override;
    bool OnEraseBkgnd(DC& dc) override;
    void OnLButtonDown(unsigned flags, Point p) override;
    void OnLButtonDblClk(unsigned flags, Point p) override;
    void OnMouseMove(unsigned flags, Point p) override;
    void OnLButtonUp(unsigned flags, Point p) override;
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void OnChar(unsigned ch, unsigned repeat, unsigned flags) override;
    void OnSetFocus(Wnd* old) override;
    void OnKillFocus(Wnd* next) override;
    bool OnSetCursor(Wnd* wnd, unsigned hitTest, unsigned message) override;

private:
    int Clamp(int i) const;
    int IndexAt(int x);      // client x to the nearest character boundary
    int XOf(int index);      // client x of a boundary
    void MoveCaret(int index, bool extend);
    void ScrollToCaret();
    void Changed();

    int caret_ = 0, anchor_ = 0;
    int scroll_ = 0;  // pixels of text scrolled out at the left
    bool dragging_ = false;
};

}  // namespace plat
