#include "framework/property_editor/p_editor.h"

#include "framework/events/event.h"
#include "framework/properties/property_base.h"
#include "framework/property_editor/property_row.h"
#include "platform/app.h"

#include <algorithm>

namespace Kor {

PEditor::PEditor()
    : list_(*this, busy_),
      info_(*this),
      collapsed_("BUTTONUP", "BUTTONUPMASK"),
      expanded_("BUTTONDOWN", "BUTTONDOWNMASK") {
    AddControl(&list_);
    AddControl(&info_);
    AddControl(&infoSplitter_);
    if (plat::App* app = plat::App::Instance()) {
        SetCaptionWidth(app->GetProfileInt(kProfileSection, "Caption", kDefaultCaptionWidth));
        SetInfoHeight(app->GetProfileInt(kProfileSection, "Info", kDefaultInfoHeight));
    }
    list_.GetNameSplitter().SetOnStart([this] { dragStart_ = GetCaptionWidth(); });
    list_.GetNameSplitter().SetOnDrag([this](int d) { SetCaptionWidth(dragStart_ + d); });
    infoSplitter_.SetOnStart([this] { dragStart_ = GetInfoHeight(); });
    infoSplitter_.SetOnDrag([this](int d) { SetInfoHeight(dragStart_ - d); });
}

PEditor::~PEditor() {
    // Nobody may call a closed editor back.
    Close();
    if (plat::App* app = plat::App::Instance()) {
        app->WriteProfileInt(kProfileSection, "Caption", captionWidth_);
        app->WriteProfileInt(kProfileSection, "Info", infoHeight_);
    }
}

void PEditor::Open(EditableObject* object) {
    Close();
    if (!object) return;
    objects_ = ObjectList{object};
    open_ = true;
    Listen(objects_);
    BuildRows(object->GetProperties());
}

void PEditor::Open(const ObjectList& objects) {
    Close();
    ObjectList list;
    for (EditableObject* o : objects)
        if (o) list.push_back(o);
    if (list.empty()) return;
    // The properties every object has, the same property object under the
    // same name, that every object accepts.
    PropertyMap common = list.front()->GetProperties();
    for (auto it = common.begin(); it != common.end();) {
        bool shared = it->second && it->second->AcceptAll(list);
        for (EditableObject* o : list) {
            if (!shared) break;
            const PropertyMap& map = o->GetProperties();
            auto found = map.find(it->first);
            shared = found != map.end() && found->second == it->second;
        }
        it = shared ? std::next(it) : common.erase(it);
    }
    if (common.empty()) return;
    objects_ = list;
    open_ = true;
    Listen(objects_);
    BuildRows(common);
}

void PEditor::Listen(const ObjectList& objects) {
    for (EditableObject* o : objects) o->AddPropertyListener(this);
}

void PEditor::BuildRows(const PropertyMap& properties) {
    ObjectList objects = objects_;
    for (const auto& entry : properties)
        if (entry.second && entry.second->AcceptAll(objects))
            topRows_.push_back(new PropertyRow(*this, list_, entry.first.str(), *entry.second, nullptr));
    list_.InsertRows(0, topRows_.data(), unsigned(topRows_.size()));
    // The walk meets the rows that its own expansions put in.
    for (unsigned i = 0; i < list_.GetRowCount(); ++i) {
        PropertyRow* row = list_.GetPropertyRow(i);
        bool expanded = false;
        if (!FindRemembered(&row->GetProperty(), expanded)) expanded = row->GetProperty().DefaultExpanded();
        if (expanded) row->Expand();
    }
    if (activeProperty_)
        for (unsigned i = 0; i < list_.GetRowCount(); ++i)
            if (&list_.GetPropertyRow(i)->GetProperty() == activeProperty_) {
                list_.SetActiveRow(int(i));
                break;
            }
    activeProperty_ = nullptr;
    InvalidateInfo();
}

void PEditor::Close() {
    if (PropertyRow* active = list_.GetActivePropertyRow()) activeProperty_ = &active->GetProperty();
    for (RowControl* r : topRows_) static_cast<PropertyRow*>(r)->RecordExpansion();
    list_.RemoveAllRows();
    FreeRows(std::move(topRows_));
    topRows_.clear();
    for (EditableObject* o : objects_) o->RemovePropertyListener(this);
    objects_.clear();
    open_ = false;
    InvalidateInfo();
}

void PEditor::FreeRows(std::vector<RowControl*> rows) {
    if (rows.empty()) return;
    plat::App* app = plat::App::Instance();
    if (*busy_ > 0 && app) {
        // A row's control is handling an event: the rows go after it.
        app->Post([rows] {
            for (RowControl* r : rows) delete r;
        });
        return;
    }
    for (RowControl* r : rows) delete r;
}

bool PEditor::FindRemembered(PropertyBase* property, bool& expanded) const {
    auto it = expansion_.find(property);
    if (it == expansion_.end()) return false;
    expanded = it->second;
    return true;
}

void PEditor::Update() {
    UpdateUIEvent states;  // the controls follow visibility and read-only now
    for (unsigned i = 0; i < list_.GetRowCount(); ++i) list_.GetRow(i)->ProcessEvent(states);
    list_.Invalidate();
    info_.Invalidate();
    if (plat::Wnd* w = GetWindow()) w->UpdateWindow();
    if (list_.Exists()) list_.UpdateWindow();
}

void PEditor::ShowInfo(bool show) {
    if (show == infoShown_) return;
    infoShown_ = show;
    LayoutControls();
    Invalidate();
}

void PEditor::InvalidateInfo() { info_.Invalidate(); }

std::string PEditor::GetActiveHint() const {
    PropertyRow* row = list_.GetActivePropertyRow();
    return row ? row->GetProperty().GetHint(objects_) : std::string();
}

void PEditor::SetCaptionWidth(int width) {
    width = std::max(width, kMinCaptionWidth);
    if (width == captionWidth_) return;
    captionWidth_ = width;
    list_.LayoutControls();
    list_.Invalidate();
}

int PEditor::GetCaptionWidth() const {
    int listWidth = list_.Exists() ? list_.ClientWidth() : ClientSize().cx;
    return std::max(0, std::min(captionWidth_, listWidth - kMinCaptionWidth));
}

void PEditor::SetInfoHeight(int height) {
    height = std::max(height, InfoPanel::kOneLineHeight);
    if (height == infoHeight_) return;
    infoHeight_ = height;
    LayoutControls();
}

int PEditor::GetInfoHeight() const {
    if (!infoShown_) return 0;
    return std::max(0, std::min(infoHeight_, ClientSize().cy - kMinListHeight));
}

int PEditor::RowHeight() const {
    plat::Bitmap scratch(1, 1);
    CDC dc(scratch);
    if (const CFont* f = Font()) dc.SelectFont(*f);
    return dc.GetTextExtent("A").cy + 4;
}

void PEditor::LayoutControls() {
    CSize s = ClientSize();
    int info = GetInfoHeight();
    int listBottom = std::max(0, s.cy - info);
    // The list's window is made with the host's; an editor put into a window
    // that exists already makes it now.
    if (!list_.Exists() && GetWindow() && GetWindow()->Exists()) list_.HandleWindowCreate();
    list_.SetBounds(CRect(0, 0, std::max(s.cx, 0), listBottom));
    info_.SetVisible(infoShown_);
    infoSplitter_.SetVisible(infoShown_);
    info_.SetBounds(CRect(0, listBottom, std::max(s.cx, 0), s.cy));
    infoSplitter_.SetBounds(CRect(0, listBottom, std::max(s.cx, 0), listBottom + 3));
    list_.LayoutControls();
}

void PEditor::ProcessEvent(Event& e) {
    if (dynamic_cast<EditableObject::PropertyChange*>(&e)) return Update();
    if (dynamic_cast<EditableObject::ObjectGone*>(&e)) return Close();
    Container::ProcessEvent(e);
}

void PEditor::HandlePaint(CDC* dc, const CRect& rect) {
    dc->FillSolidRect(CRect(CPoint(), ClientSize()), plat::GetSysColor(plat::COLOR_BTNFACE));
    PaintChildren(dc, rect);
}

}  // namespace Kor
