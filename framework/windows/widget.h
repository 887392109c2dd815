// A placed control: it stores its bounds (in the parent's coordinates) and
// its visible and enabled flags. Setters do nothing when nothing changes.
#pragma once

#include "framework/windows/control.h"

namespace Kor {

class Widget : public virtual Control {
public:
    CRect Bounds() const override { return CRect(left_, top_, right_, bottom_); }
    bool Visible() const override { return visible_; }
    bool Enabled() const override { return enabled_; }

    // Repaints the old and the new place; a resized composite widget lays
    // out its children again.
    void SetBounds(const CRect& r) override;
    void SetVisible(bool visible);
    void SetEnabled(bool enabled);

    virtual void HandleVisible(bool visible) { (void)visible; }
    virtual void HandleEnable(bool enabled) { (void)enabled; }

private:
    int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
    bool visible_ = true, enabled_ = true;
};

}  // namespace Kor
