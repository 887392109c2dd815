#include "framework/property_editor/property_row.h"

#include "framework/controls/drop_down.h"
#include "framework/controls/text_control.h"
#include "framework/properties/property_base.h"
#include "framework/property_editor/p_editor.h"
#include "framework/property_editor/property_list.h"
#include "platform/keys.h"
#include "platform/utf8.h"

namespace Kor {

namespace {
const plat::Color kActiveBackground(0xE0, 0xE0, 0xFF);
}

PropertyRow::PropertyRow(PEditor& editor, PropertyList& list, std::string name, PropertyBase& property,
                         PropertyRow* parent)
    : StdRowControl(list), editor_(editor), list_(list), name_(std::move(name)), property_(property), parent_(parent) {
    SetRowHeight(editor.RowHeight());
    ObjectList objects = editor.GetObjects();
    control_ = property.CreateControl(objects);
    if (control_) AddControl(control_);
    if (const PropertyMap* subs = property.GetSubProperties())
        for (const auto& entry : *subs)
            if (entry.second && entry.second->AcceptAll(objects))
                children_.push_back(new PropertyRow(editor, list, entry.first.str(), *entry.second, this));
    // A child row opens expanded when it is remembered so, or by default.
    bool remembered = false;
    wasExpanded_ = editor.FindRemembered(&property, remembered) ? remembered : property.DefaultExpanded();
}

PropertyRow::~PropertyRow() {
    for (PropertyRow* c : children_) delete c;
    if (control_) {
        RemoveControl(control_);
        property_.FreeControl(control_);
    }
}

void PropertyRow::Expand() {
    int index = GetRowIndex();
    if (expanded_ || children_.empty() || index < 0) return;
    std::vector<RowControl*> rows(children_.begin(), children_.end());
    list_.InsertRows(unsigned(index + 1), rows.data(), unsigned(rows.size()));
    expanded_ = true;
    Invalidate();
    for (PropertyRow* c : children_)
        if (c->wasExpanded_) c->Expand();
}

void PropertyRow::Collapse() {
    if (!expanded_) return;
    for (PropertyRow* c : children_) {
        bool was = c->expanded_;
        if (was) c->Collapse();
        c->wasExpanded_ = was;
    }
    int first = children_.front()->GetRowIndex();
    if (first >= 0) list_.RemoveRows(unsigned(first), unsigned(children_.size()));
    expanded_ = false;
    Invalidate();
}

void PropertyRow::Toggle() {
    if (children_.empty()) return;
    toggled_ = true;
    if (expanded_)
        Collapse();
    else
        Expand();
}

void PropertyRow::RecordExpansion() const {
    // A row under a collapsed row (out of the list) keeps what it was when
    // that one collapsed.
    if (toggled_) editor_.RememberExpansion(&property_, GetRowIndex() >= 0 ? expanded_ : wasExpanded_);
    for (const PropertyRow* c : children_) c->RecordExpansion();
}

CRect PropertyRow::ExpanderRect() const {
    int right = NameIndent();
    return CRect(right - kExpanderWidth, 0, right, GetRowHeight());
}

void PropertyRow::Activate() {
    list_.SetActiveRow(GetRowIndex());
    list_.SetFocus();
}

void PropertyRow::LayoutControls() {
    if (!control_) return;
    CSize s = ClientSize();
    int left = std::min(editor_.GetCaptionWidth() + 1, s.cx);
    control_->SetBounds(CRect(left, 0, s.cx, std::max(s.cy - 1, 0)));
}

void PropertyRow::ProcessEvent(Event& e) {
    // A press on the row's control makes the row active too.
    if (e.GetRoute() == EventRoute::Pointer && (dynamic_cast<LeftDownEvent*>(&e) || dynamic_cast<RightDownEvent*>(&e) ||
                                                dynamic_cast<LeftDoubleClickEvent*>(&e)))
        if (GetCaptureControl() != this && ChildFromPoint(AsMouseEvent(e).point)) Activate();
    Container::ProcessEvent(e);
}

void PropertyRow::HandleLeftDown(unsigned, const CPoint& p) {
    if (!children_.empty() && ExpanderRect().Contains(p)) {
        list_.SetFocus();
        return Toggle();
    }
    Activate();
}

void PropertyRow::HandleLeftDoubleClick(unsigned flags, const CPoint& p) {
    if (children_.empty() || ExpanderRect().Contains(p)) return HandleLeftDown(flags, p);
    Activate();
    Toggle();
}

void PropertyRow::HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) {
    switch (key) {
        case plat::VK_RIGHT:
        case plat::VK_ADD:
            if (!children_.empty() && !expanded_) Toggle();
            return;
        case plat::VK_LEFT:
        case plat::VK_SUBTRACT:
            if (expanded_)
                Toggle();
            else if (key == plat::VK_LEFT && parent_)
                parent_->Activate();
            return;
        default:
            break;
    }
    if (control_ && control_->Visible() && control_->Enabled()) control_->HandleKeyDown(key, repeat, flags);
}

void PropertyRow::HandleRemoved() {
    // An edit or a list open over a row that goes away is dropped.
    if (auto* text = dynamic_cast<TextControl*>(control_)) text->CancelEdit();
    if (auto* drop = dynamic_cast<DropDown*>(control_)) drop->CloseList();
    if (control_) {
        WindowBoundsEvent hide(true);  // platform windows below it hide with it
        control_->ProcessEvent(hide);
    }
}

void PropertyRow::HandlePaint(CDC* dc, const CRect& rect) {
    CSize s = ClientSize();
    bool active = list_.GetActiveRowPtr() == this;
    int caption = std::min(editor_.GetCaptionWidth(), s.cx);
    // The name column, the controls' column on the button face, the grid.
    dc->FillSolidRect(CRect(0, 0, caption, s.cy), active ? kActiveBackground : plat::GetSysColor(plat::COLOR_WINDOW));
    dc->FillSolidRect(CRect(caption, 0, s.cx, s.cy), plat::GetSysColor(plat::COLOR_BTNFACE));
    plat::Color grid = plat::GetSysColor(plat::COLOR_BTNSHADOW);
    dc->FillSolidRect(CRect(0, s.cy - 1, caption, s.cy), plat::GetSysColor(plat::COLOR_BTNFACE));
    dc->FillSolidRect(CRect(caption, 0, caption + 1, s.cy), grid);
    if (!children_.empty()) editor_.ExpanderGlyph(expanded_).Draw(*dc, ExpanderRect(), GLYPH_CENTER);
    CRect name(NameIndent(), 0, caption - 2, s.cy - 1);
    if (name.right > name.left) {
        dc->SetBkMode(plat::TRANSPARENT);
        dc->SetTextColor(plat::GetSysColor(plat::COLOR_WINDOWTEXT));
        dc->DrawText(
            plat::ValidUtf8(name_), name,
            plat::DT_LEFT | plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_END_ELLIPSIS | plat::DT_NOPREFIX);
        if (active && list_.ListHasFocus()) {
            CRect focus = name;
            focus.left -= 1;
            focus.Deflate(0, 1);
            dc->DrawFocusRect(focus);
        }
    }
    PaintChildren(dc, rect);
}

}  // namespace Kor
