// The property editor's drag handles: VSplitter, the upright strip between
// the name column and the controls (dragged sideways), and HSplitter, the
// flat strip above the information panel (dragged up and down). A handle
// reports how far the pointer moved since the press; its owner turns that
// into a size.
#pragma once

#include "framework/windows/widget.h"

#include <functional>

namespace Kor {

class DragHandle : public Widget {
public:
    // `sideways`: the handle follows the pointer's x, otherwise its y.
    explicit DragHandle(bool sideways) : sideways_(sideways) {}

    // At the press, then with the distance moved since it (pixels).
    void SetOnStart(std::function<void()> fn) { onStart_ = std::move(fn); }
    void SetOnDrag(std::function<void(int distance)> fn) { onDrag_ = std::move(fn); }
    bool IsDragging() const { return dragging_; }

    void HandleLeftDown(unsigned flags, const CPoint& p) override;
    void HandleMouseMove(unsigned flags, const CPoint& p) override;
    void HandleLeftUp(unsigned flags, const CPoint& p) override;
    bool HandleCursor(unsigned flags, const CPoint& p) override;

private:
    int Along(const CPoint& p) const { return sideways_ ? p.x : p.y; }

    bool sideways_;
    bool dragging_ = false;
    int start_ = 0;  // where the press was, in the host window
    std::function<void()> onStart_;
    std::function<void(int)> onDrag_;
};

class VSplitter : public DragHandle {
public:
    VSplitter() : DragHandle(true) {}
};

class HSplitter : public DragHandle {
public:
    HSplitter() : DragHandle(false) {}
};

}  // namespace Kor
