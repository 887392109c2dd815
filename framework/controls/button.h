// A push button drawn by the toolkit. A click is a press and a release of
// the left button over it; releasing outside does not click, moving back
// inside before releasing does. A double click counts as a second click: the
// button shows itself pressed for a moment (kDoubleClickPressMs on the
// application clock) and then clicks, whenever the button is released. A
// press that comes before that moment is over ends it first. Disabled
// buttons ignore the mouse.
#pragma once

#include "framework/windows/widget.h"

#include <functional>
#include <memory>
#include <string>

namespace Kor {

class Timer;

class Button : public Widget {
public:
    static constexpr unsigned kDoubleClickPressMs = 100;

    Button();
    ~Button() override;

    bool IsPressed() const { return pressed_; }
    bool IsHot() const { return hot_; }
    // Called by the default HandleClick.
    void SetOnClick(std::function<void()> fn) { onClick_ = std::move(fn); }

    // A completed click.
    virtual void HandleClick();

    void HandleLeftDown(unsigned flags, const CPoint& p) override;
    void HandleMouseMove(unsigned flags, const CPoint& p) override;
    void HandleLeftUp(unsigned flags, const CPoint& p) override;
    void HandleLeftDoubleClick(unsigned flags, const CPoint& p) override;
    void HandleMouseLeave() override;
    void HandleTimer(Timer* timer) override;
    void HandlePaint(CDC* dc, const CRect& rect) override;

protected:
    // The face and edge of the button: raised, or sunken while pressed with
    // the pointer over it. Gives the area inside the edge.
    CRect PaintFace(CDC* dc) const;
    bool ShownDown() const { return pressed_ && hot_; }

private:
    bool Inside(const CPoint& p) const { return CRect(CPoint(), ClientSize()).Contains(p); }
    void Release(unsigned flags, const CPoint& p, bool click);
    // Ends the pressed look of a double click: the button is released where
    // it was double-clicked.
    void FinishDoubleClick();

    bool pressed_ = false, hot_ = false;
    std::function<void()> onClick_;
    // The release that ends a double click's pressed look, while it is due.
    std::unique_ptr<Timer> releaseTimer_;  // made at the first double click
    bool releaseDue_ = false;
    unsigned releaseFlags_ = 0;
    CPoint releasePoint_;
};

// A button that shows a text (for dialogs made of controls).
class TextButton : public Button {
public:
    explicit TextButton(std::string text = {}) : text_(std::move(text)) {}
    void SetText(const std::string& text);
    const std::string& GetText() const { return text_; }
    CSize PreferredSize() const override { return CSize(75, 23); }
    void HandlePaint(CDC* dc, const CRect& rect) override;

private:
    std::string text_;
};

}  // namespace Kor
