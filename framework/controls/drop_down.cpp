#include "framework/controls/drop_down.h"

#include "platform/keys.h"
#include "platform/utf8.h"
#include "platform/wnd.h"

namespace Kor {

namespace {
constexpr int kTextMargin = 4;
constexpr unsigned kOpenKey = plat::VK_F1 + 3;  // F4 opens a drop-down list
}  // namespace

DropDown::DropDown(std::vector<std::string> items, int selection) : items_(std::move(items)), selection_(selection) {}

std::string DropDown::GetItemText(int index) const {
    return index >= 0 && index < int(items_.size()) ? items_[std::size_t(index)] : std::string();
}

void DropDown::HandleSelect(int index) {
    SetCurSel(index);
    if (onSelect_) onSelect_(index);
}

void DropDown::SetItems(std::vector<std::string> items) {
    CloseList();
    items_ = std::move(items);
    if (selection_ >= int(items_.size())) selection_ = -1;
    Invalidate();
}

void DropDown::SetCurSel(int index) {
    if (index < -1 || index >= GetItemCount()) index = -1;
    if (index == selection_) return;
    selection_ = index;
    Invalidate();
}

CRect DropDown::ButtonRect() const {
    CSize s = ClientSize();
    int w = std::min(s.cy, s.cx);
    return CRect(s.cx - w, 0, s.cx, s.cy);
}

void DropDown::OpenList() {
    if (IsListOpen() || !Enabled() || !Visible()) return;
    std::vector<plat::PopupList::Item> items;
    for (int i = 0; i < GetItemCount(); ++i) items.push_back({plat::ValidUtf8(GetItemText(i)), false, plat::Color()});
    chooser_.Open(*this, std::move(items), GetCurSel(), [this](int i) { HandleSelect(i); });
}

CSize DropDown::PreferredSize() const {
    plat::Bitmap scratch(1, 1);
    CDC dc(scratch);
    if (const CFont* f = Font()) dc.SelectFont(*f);
    int w = 0;
    for (int i = 0; i < GetItemCount(); ++i) w = std::max(w, dc.GetTextExtent(GetItemText(i)).cx);
    int h = dc.GetTextHeight() + 6;
    return CSize(w + 2 * kTextMargin + h, h);
}

void DropDown::HandleLeftDown(unsigned, const CPoint&) {
    if (!Enabled()) return;
    if (IsListOpen())
        CloseList();
    else
        OpenList();
}

void DropDown::HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) {
    if (IsListOpen()) {
        chooser_.HandleKey(key);
        return;
    }
    bool alt = flags & plat::KF_ALTDOWN;
    if (key == kOpenKey || key == plat::VK_SPACE || key == plat::VK_RETURN || (alt && key == plat::VK_DOWN))
        return OpenList();
    Widget::HandleKeyDown(key, repeat, flags);
}

void DropDown::HandleActivate() { chooser_.Follow(*this); }

void DropDown::HandleVisible(bool) { chooser_.Follow(*this); }

void DropDown::HandleEnable(bool) { chooser_.Follow(*this); }

void DropDown::HandlePaint(CDC* dc, const CRect&) {
    CRect r(CPoint(), ClientSize());
    dc->FillSolidRect(r, plat::GetSysColor(Enabled() ? plat::COLOR_WINDOW : plat::COLOR_BTNFACE));
    dc->DrawEdge(r, true);
    CRect button = ButtonRect();
    button.Deflate(2, 2);
    dc->FillSolidRect(button, plat::GetSysColor(plat::COLOR_BTNFACE));
    dc->DrawEdge(button, IsListOpen());
    // The arrow: a small triangle pointing down.
    CPoint c = button.Center();
    int a = std::max(2, std::min(button.Width(), button.Height()) / 4);
    plat::Color arrow = plat::GetSysColor(Enabled() ? plat::COLOR_BTNTEXT : plat::COLOR_GRAYTEXT);
    dc->SelectPen(plat::Pen(plat::Pen::Solid, 1, arrow));
    dc->SelectBrush(plat::Brush(arrow));
    dc->Polygon({CPoint(c.x - a, c.y - a / 2), CPoint(c.x + a, c.y - a / 2), CPoint(c.x, c.y + a / 2 + 1)});
    int sel = GetCurSel();
    if (sel < 0) return;
    dc->SetBkMode(plat::TRANSPARENT);
    dc->SetTextColor(plat::GetSysColor(Enabled() ? plat::COLOR_WINDOWTEXT : plat::COLOR_GRAYTEXT));
    dc->DrawText(plat::ValidUtf8(GetItemText(sel)), CRect(kTextMargin, 0, button.left - 2, r.bottom),
                 plat::DT_LEFT | plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_END_ELLIPSIS | plat::DT_NOPREFIX);
}

}  // namespace Kor
