// PEditor: the property editor. It shows the properties of one object, or
// those that several objects have in common, as an indented list of rows
// (names at the left, the properties' controls at the right) above an
// information panel with the hint of the active row.
//
// Open builds the rows: one per property of the objects' map, in the map's
// order (byte order of the names), each with a row per sub-property below
// it; a property that some object does not accept is left out. A row opens
// expanded when its state was remembered so, or else when its property
// says so (DefaultExpanded). Close remembers, for each row the user
// expanded or collapsed, that state for its property, and the property of
// the active row, so that the next Open shows them again.
//
// The editor listens to the objects it shows: their PropertyChange updates
// the rows (Update), as does a call from the program when values may have
// changed; an object that goes away closes the editor. A row freed while it is handling an event (a setter reached from
// a row's control that closes or reopens the editor) is freed once the
// event is over.
//
// Sizes: the name column's width ("Caption", at least 8, at most the list's
// width less 8) and the information panel's height ("Info", at most the
// editor's height less 19) live in the profile section "PropertyBase
// Editor", read at construction and written back at destruction; the
// splitters change them.
#pragma once

#include "framework/controls/sys_color_glyph.h"
#include "framework/properties/editable_object.h"
#include "framework/property_editor/info_panel.h"
#include "framework/property_editor/property_list.h"
#include "framework/windows/container.h"
#include "framework/windows/widget.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Kor {

class PropertyBase;
class PropertyRow;

class PEditor : public Widget, public Container {
public:
    static constexpr const char* kProfileSection = "PropertyBase Editor";
    static constexpr int kDefaultCaptionWidth = 125;
    static constexpr int kDefaultInfoHeight = 75;
    static constexpr int kMinCaptionWidth = 8;
    static constexpr int kMinListHeight = 19;

    PEditor();
    ~PEditor() override;

    // Edits `object` (null: nothing; the editor just closes).
    void Open(EditableObject* object);
    // Edits the objects together: the properties they all have (null
    // entries are skipped). Nothing opens when they have none in common.
    void Open(const ObjectList& objects);
    void Close();
    // Every row shows the current values, visibility and read-only states.
    void Update();
    // Nothing is open.
    bool IsEmpty() const { return !open_; }
    const ObjectList& GetObjects() const { return objects_; }

    void ShowInfo(bool show);
    bool IsInfoShown() const { return infoShown_; }
    void InvalidateInfo();
    // The hint of the active row's property for the edited objects.
    std::string GetActiveHint() const;

    // Stored sizes (clamped as they are set) and the sizes in use.
    void SetCaptionWidth(int width);
    int GetStoredCaptionWidth() const { return captionWidth_; }
    int GetCaptionWidth() const;
    void SetInfoHeight(int height);
    int GetStoredInfoHeight() const { return infoHeight_; }
    int GetInfoHeight() const;

    // The height of a row: the height of "A" in the editor's font plus 4.
    int RowHeight() const;
    const SysColorGlyph& ExpanderGlyph(bool expanded) const { return expanded ? expanded_ : collapsed_; }

    // What Close remembers.
    void RememberExpansion(PropertyBase* property, bool expanded) { expansion_[property] = expanded; }
    bool FindRemembered(PropertyBase* property, bool& expanded) const;
    PropertyBase* GetRememberedActive() const { return activeProperty_; }

    PropertyList& GetList() { return list_; }
    InfoPanel& GetInfoPanel() { return info_; }
    HSplitter& GetInfoSplitter() { return infoSplitter_; }
    // The top-level rows, in order.
    const std::vector<RowControl*>& GetTopRows() const { return topRows_; }
    PropertyRow* GetActivePropertyRow() const { return list_.GetActivePropertyRow(); }

    CSize PreferredSize() const override { return CSize(120, 120); }
    void LayoutControls() override;
    void ProcessEvent(Event& e) override;
    void HandlePaint(CDC* dc, const CRect& rect) override;

private:
    void BuildRows(const PropertyMap& properties);
    void Listen(const ObjectList& objects);
    void FreeRows(std::vector<RowControl*> rows);

    ObjectList objects_;
    bool open_ = false;
    std::shared_ptr<int> busy_ = std::make_shared<int>(0);
    PropertyList list_;
    InfoPanel info_;
    HSplitter infoSplitter_;
    std::vector<RowControl*> topRows_;
    SysColorGlyph collapsed_, expanded_;
    std::map<PropertyBase*, bool> expansion_;
    PropertyBase* activeProperty_ = nullptr;
    int captionWidth_ = kDefaultCaptionWidth;
    int infoHeight_ = kDefaultInfoHeight;
    bool infoShown_ = true;
    int dragStart_ = 0;  // the size a splitter drag began with
};

}  // namespace Kor
