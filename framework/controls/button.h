// A push button drawn by the toolkit. A click is a press and a release of
// the left button over it; releasing outside does not click, moving back
// inside before releasing does. A double click counts as a second click.
// Disabled buttons ignore the mouse.
#pragma once

#include "framework/windows/widget.h"

#include <functional>
#include <string>

namespace Kor {

class Button : public Widget {
public:
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
    void HandlePaint(CDC* dc, const CRect& rect) override;

protected:
    // The face and edge of the button: raised, or sunken while pressed with
    // the pointer over it. Gives the area inside the edge.
    CRect PaintFace(CDC* dc) const;
    bool ShownDown() const { return pressed_ && hot_; }

private:
    bool Inside(const CPoint& p) const { return CRect(CPoint(), ClientSize()).Contains(p); }

    bool pressed_ = false, hot_ = false;
    std::function<void()> onClick_;
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
