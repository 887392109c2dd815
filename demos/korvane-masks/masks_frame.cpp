#include "demos/korvane-masks/masks_frame.h"

#include "demos/korvane-masks/masks_strings.h"
#include "framework/app/app_base.h"
#include "framework/app/command_ids.h"
#include "framework/mask_editor/mask_command_ids.h"
#include "framework/playback/playback_command_ids.h"
#include "framework/views/view_command_ids.h"
#include "platform/message_box.h"

namespace masks {

namespace {
std::string S(unsigned id) { return Kor::AppBase::LoadString(id); }
}  // namespace

// --- MasksView ---

MasksView::MasksView(MaskDoc& doc) : doc_(doc), editor_(*this) {
    SetZoomLimits(0.01f, 100.0f);
    SetMargin(8);
    SetSequence(&doc_);
    doc_.AddListener(this);
    editor_.AddListener(this);
    AddListener(this);
}

MasksView::~MasksView() {
    RemoveListener(this);
    editor_.RemoveListener(this);
    doc_.RemoveListener(this);
    if (Exists()) Destroy();
}

void MasksView::SyncEditor() {
    if (syncingEditor_) return;
    struct Guard {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
    } guard(syncingEditor_);
    MaskFrame* frame = GetPlayMode() == Kor::PLAY_PAUSED ? doc_.GetFrame(doc_.GetCurrentFrame()) : nullptr;
    if (!frame) return editor_.Close();
    if (editor_.GetMaskOwner() != frame) editor_.Open(*frame);
}

void MasksView::ProcessEvent(Kor::Event& e) {
    if (auto* change = dynamic_cast<MaskDoc::FramesChange*>(&e)) {
        // An undo or redo of the frame being edited reaches the buffer.
        if (change->frame >= 0 && editor_.GetMaskOwner() == doc_.GetFrame(change->frame)) editor_.UpdateBuffer();
        SyncEditor();
        SequenceChanged();
        if (change->frame < 0 && Exists()) ZoomToFit();
        return;
    }
    if (dynamic_cast<MaskDoc::FrameChange*>(&e) || dynamic_cast<Kor::Doc::FileNameChange*>(&e) ||
        dynamic_cast<PlayModeChange*>(&e)) {
        SyncEditor();
        SequenceChanged();
        return;
    }
    if (dynamic_cast<Kor::MaskEditor::StateChange*>(&e)) return SequenceChanged();
    if (dynamic_cast<Kor::MaskEditor::MaskChange*>(&e)) {
        if (Exists()) InvalidateAll(false);
        return;
    }
    Kor::SequenceView::ProcessEvent(e);
}

const img::bitmap* MasksView::GetShownMask() {
    if (editor_.IsOpen()) return &editor_.GetBuffer();
    return Kor::SequenceView::GetShownMask();
}

// --- MasksFrame ---

MasksFrame::MasksFrame(MaskDoc& doc) : Kor::Frame(doc), view(doc), toolsPanel(*this, toolBar, 4) {
    toolBar.AddButton(Kor::ID_TOOL_HAND, "TOOL_HAND", "TOOL_HAND_MASK");
    toolBar.AddButton(Kor::ID_TOOL_ZOOM, "TOOL_ZOOM", "TOOL_ZOOM_MASK");
    toolBar.AddSeparator();
    toolBar.AddButton(Kor::ID_TOOL_BRUSH, "TOOL_BRUSH", "TOOL_BRUSH_MASK");
    toolBar.AddButton(Kor::ID_TOOL_FILL, "TOOL_FILL", "TOOL_FILL_MASK");
    toolBar.AddSeparator();
    toolBar.AddButton(Kor::ID_TIME_FIRST_FRAME, "TIME_FIRST_FRAME", "TIME_FIRST_FRAME_MASK");
    toolBar.AddButton(Kor::ID_TIME_PREVIOUS_FRAME, "TIME_PREVIOUS_FRAME", "TIME_PREVIOUS_FRAME_MASK");
    toolBar.AddButton(Kor::ID_TIME_PLAY_BACKWARD, "TIME_PLAY_BACKWARD", "TIME_PLAY_BACKWARD_MASK");
    toolBar.AddButton(Kor::ID_TIME_PAUSE, "TIME_PAUSE", "TIME_PAUSE_MASK");
    toolBar.AddButton(Kor::ID_TIME_PLAY_FORWARD, "TIME_PLAY_FORWARD", "TIME_PLAY_FORWARD_MASK");
    toolBar.AddButton(Kor::ID_TIME_NEXT_FRAME, "TIME_NEXT_FRAME", "TIME_NEXT_FRAME_MASK");
    toolBar.AddButton(Kor::ID_TIME_LAST_FRAME, "TIME_LAST_FRAME", "TIME_LAST_FRAME_MASK");
    toolBar.AddButton(Kor::ID_TIME_LOOP, "TIME_LOOP", "TIME_LOOP_MASK");
    toolBar.AddSeparator();
    toolBar.AddButton(Kor::ID_TIME_GO_TO_FRAME, "MASKS_GO_TO_FRAME", "MASKS_GO_TO_FRAME_MASK");
    toolBar.SetMaxRowWidth(2 * 23 + Kor::ToolBar::kSeparatorWidth);
    toolsPanel.SetCaption(S(IDS_TOOLS_CAPTION));
    toolsPanel.SetAlignment(Kor::Panel::Fill);
    GetToolBar().AddPanel(toolsPanel);
    if (IsBottomVisible()) ToggleBottomVisible();
    if (IsRightVisible()) ToggleRightVisible();
    // The editor's commands follow the view's.
    AddCommandTarget(&view.GetEditor());
}

MasksFrame::~MasksFrame() {
    RemoveCommandTarget(&view.GetEditor());
    if (Exists()) Destroy();
}

bool MasksFrame::OnCreate() {
    if (!Kor::Frame::OnCreate()) return false;
    if (!view.Create(this, Kor::CRect(), plat::WS_CHILD | plat::WS_VISIBLE | plat::WS_BORDER, Kor::AFX_IDW_PANE_FIRST))
        return false;
    RecalcLayout();
    return true;
}

const plat::CommandTable* MasksFrame::GetCommandTable() const {
    using T = plat::CommandTable;
    static const T table(nullptr, {T::Command(Kor::ID_APP_ABOUT, &MasksFrame::OnAbout)});
    return &table;
}

void MasksFrame::OnAbout() {
    plat::MessageBox(this, S(IDS_ABOUT), std::string(), plat::MB_OK | plat::MB_ICONINFORMATION);
}

}  // namespace masks
