// The generic layout of a container: its visible children one after another
// along a direction, each with its preferred length, and those marked to
// stretch sharing what is left; across the direction every child fills the
// area. Margins surround the area, spacing separates the children. Hidden
// children get no place.
#pragma once

#include "framework/windows/control.h"

#include <set>

namespace Kor {

class Container;

class Layout {
public:
    virtual ~Layout() = default;
    virtual void Apply(Container& c, const CRect& area) = 0;
};

class BoxLayout : public Layout {
public:
    enum Direction { Horizontal, Vertical };
    explicit BoxLayout(Direction d, int margin = 0, int spacing = 0)
        : direction_(d), margin_(margin), spacing_(spacing) {}
    void SetStretch(const Control* c, bool stretch = true);
    void Apply(Container& c, const CRect& area) override;

private:
    Direction direction_;
    int margin_, spacing_;
    std::set<const Control*> stretch_;
};

}  // namespace Kor
