#include "framework/windows/box_layout.h"

#include "framework/windows/container.h"

#include <algorithm>
#include <vector>

namespace Kor {

void BoxLayout::SetStretch(const Control* c, bool stretch) {
    if (stretch) stretch_.insert(c);
    else stretch_.erase(c);
}

void BoxLayout::Apply(Container& c, const CRect& area) {
    CRect inner = area;
    inner.Deflate(margin_, margin_);
    bool horz = direction_ == Horizontal;
    std::vector<Control*> shown;
    for (Control* k : c.Controls())
        if (k->Visible()) shown.push_back(k);
    if (shown.empty()) return;
    int total = horz ? inner.Width() : inner.Height();
    int fixed = spacing_ * int(shown.size() - 1), stretchCount = 0;
    for (Control* k : shown) {
        if (stretch_.count(k)) ++stretchCount;
        else fixed += horz ? k->PreferredSize().cx : k->PreferredSize().cy;
    }
    int spare = std::max(total - fixed, 0);
    int stretchTotal = stretchCount;
    int pos = horz ? inner.left : inner.top, given = 0;
    for (Control* k : shown) {
        int len;
        if (stretch_.count(k)) {
            // The last stretching child takes the remainder of the division.
            len = --stretchCount == 0 ? spare - given : spare / stretchTotal;
            given += len;
        } else {
            len = horz ? k->PreferredSize().cx : k->PreferredSize().cy;
        }
        k->SetBounds(horz ? CRect(pos, inner.top, pos + len, inner.bottom) : CRect(inner.left, pos, inner.right, pos + len));
        pos += len + spacing_;
    }
}

}  // namespace Kor
