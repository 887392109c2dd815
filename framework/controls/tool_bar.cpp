#include "framework/controls/tool_bar.h"

#include "platform/wnd.h"

#include <algorithm>
#include <climits>

namespace Kor {

void ToolBar::SetButtonSize(CSize s) {
    buttonSize_ = s;
    LayoutControls();
}

ToolButton& ToolBar::AddButton(unsigned command, const std::string& glyph, const std::string& mask) {
    items_.push_back(std::make_unique<ToolButton>(command, glyph, mask));
    AddControl(items_.back().get());
    LayoutControls();
    return *items_.back();
}

void ToolBar::AddSeparator() {
    items_.push_back(nullptr);
    LayoutControls();
}

std::vector<ToolButton*> ToolBar::Buttons() const {
    std::vector<ToolButton*> list;
    for (const auto& b : items_)
        if (b) list.push_back(b.get());
    return list;
}

ToolButton* ToolBar::FindButton(unsigned command) const {
    for (const auto& b : items_)
        if (b && b->GetCommand() == command) return b.get();
    return nullptr;
}

CSize ToolBar::Flow(int width, bool place) const {
    int x = 0, y = 0, widest = 0;
    for (const auto& b : items_) {
        int w = b ? buttonSize_.cx : kSeparatorWidth;
        if (x > 0 && x + w > width) {
            x = 0;
            y += buttonSize_.cy;
        }
        if (b && place) b->SetBounds(CRect(x, y, x + w, y + buttonSize_.cy));
        x += w;
        widest = std::max(widest, x);
    }
    return CSize(widest, items_.empty() ? 0 : y + buttonSize_.cy);
}

CSize ToolBar::PreferredSize() const { return Flow(maxRowWidth_ > 0 ? maxRowWidth_ : INT_MAX, false); }

void ToolBar::LayoutControls() { Flow(ClientSize().cx, true); }

void ToolBar::HandleUpdateUI() {
    plat::Wnd* w = GetWindow();
    plat::Wnd* top = w ? w->GetTopLevel() : nullptr;
    if (!top) return;
    for (const auto& b : items_) {
        if (!b) continue;
        ToolButtonCmdUI ui(*b);
        // A command that nobody handles cannot be chosen.
        if (!top->UpdateCommand(ui)) b->SetEnabled(false);
    }
}

void ToolBar::HandlePaint(CDC* dc, const CRect& rect) {
    dc->FillSolidRect(CRect(CPoint(), ClientSize()), plat::GetSysColor(plat::COLOR_BTNFACE));
    PaintChildren(dc, rect);
}

}  // namespace Kor
