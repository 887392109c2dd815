// The main frame of korvane-masks: the sequence view in the middle with the
// mask editor on it, and a tool bar in the "Tools" panel at the left: hand,
// zoom | brush, fill | the playback commands | go to frame.
//
// The view shows the play frame while playing; while paused the editor is
// open on the current frame (and reopens when it changes), and the view
// shows the editor's buffer.
#pragma once

#include "demos/korvane-masks/mask_doc.h"
#include "framework/controls/tool_bar.h"
#include "framework/frame/frame.h"
#include "framework/frame/widget_panel.h"
#include "framework/mask_editor/mask_editor.h"
#include "framework/playback/sequence_view.h"

namespace masks {

class MasksView : public Kor::SequenceView {
public:
    explicit MasksView(MaskDoc& doc);
    ~MasksView() override;

    Kor::MaskEditor& GetEditor() { return editor_; }
    void ProcessEvent(Kor::Event& e) override;
    // The editor open on the current frame while paused, closed otherwise.
    void SyncEditor();

protected:
    const img::bitmap* GetShownMask() override;

private:
    MaskDoc& doc_;
    Kor::MaskEditor editor_;
    bool syncingEditor_ = false;
};

class MasksFrame : public Kor::Frame {
public:
    explicit MasksFrame(MaskDoc& doc);
    ~MasksFrame() override;

    MasksView view;
    Kor::ToolBar toolBar;
    Kor::WidgetPanel toolsPanel;

protected:
    bool OnCreate() override;
    const plat::CommandTable* GetCommandTable() const override;

private:
    void OnAbout();
};

}  // namespace masks
