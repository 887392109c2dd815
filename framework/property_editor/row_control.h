// A row of a ListControl: a control with a height, placed by the list at
// its offset (the sum of the heights of the rows above it) less the list's
// scroll position, across the list's whole width. StdRowControl is the
// generic row that can hold rows below it and show or hide them.
#pragma once

#include "framework/windows/widget.h"

namespace Kor {

class ListControl;

class RowControl : public Widget {
public:
    explicit RowControl(ListControl& owner) : owner_(owner) {}

    ListControl& GetOwner() const { return owner_; }
    // The row's place in the list; -1 while it is not in the list.
    int GetRowIndex() const { return index_; }
    // The row's top edge in the list's content (scrolling aside).
    int GetRowOffset() const { return offset_; }
    int GetRowHeight() const { return height_; }
    void SetRowHeight(int height);

    // The list took the row out (its parent collapsed, the list was
    // cleared): whatever the row shows over the list goes.
    virtual void HandleRemoved() {}

private:
    friend class ListControl;
    ListControl& owner_;
    int index_ = -1;
    int offset_ = 0;
    int height_ = 16;
};

class StdRowControl : public RowControl {
public:
    using RowControl::RowControl;

    virtual bool IsExpandable() const = 0;
    virtual bool IsExpanded() const = 0;
    // Shows the rows below this one in the list right after it.
    virtual void Expand() = 0;
    virtual void Collapse() = 0;
    // 0 for a top-level row, one more for each row above it.
    virtual int GetLevel() const = 0;
};

}  // namespace Kor
