#include "framework/views/pan_view.h"

#include "framework/views/view_command_ids.h"
#include "platform/keys.h"

namespace Kor {

PanView::PanView() : panTool_(*this) {}

PanView::~PanView() { DropTool(&panTool_); }

bool PanView::HasSheet() const {
    CSize s = GetContentSize();
    return s.cx != 0 || s.cy != 0;
}

const plat::CommandTable* PanView::GetCommandTable() const {
    using T = plat::CommandTable;
    static const T table(OffscreenView::GetCommandTable(), {
                                                               T::Command(ID_TOOL_HAND, &PanView::OnToolHand),
                                                               T::Update(ID_TOOL_HAND, &PanView::OnUpdateToolHand),
                                                           });
    return &table;
}

void PanView::OnToolHand() { SetTool(&panTool_); }

void PanView::OnUpdateToolHand(plat::CmdUI* ui) {
    ui->SetCheck(GetTool() == &panTool_ ? 1 : 0);
    ui->Enable(HasSheet());
}

void PanView::OnMButtonDown(unsigned flags, CPoint p) {
    // Not in the middle of a tool's press, nor twice.
    if (middleDragging_ || (flags & (plat::MK_LBUTTON | plat::MK_RBUTTON))) return;
    SetFocus();
    middleDragging_ = true;
    middleStart_ = p;
    middleScrollStart_ = GetScrollPosition();
    CaptureMouse();
    RefreshToolCursor();
}

void PanView::HandleMouseMove(unsigned flags, const CPoint& p) {
    if (!middleDragging_) return OffscreenView::HandleMouseMove(flags, p);
    if (!(flags & plat::MK_MBUTTON)) return EndMiddleDrag();  // released unseen
    ScrollTo(middleScrollStart_.x + middleStart_.x - p.x, middleScrollStart_.y + middleStart_.y - p.y, false);
}

void PanView::OnMButtonUp(unsigned flags, CPoint p) {
    (void)flags, (void)p;
    if (middleDragging_) EndMiddleDrag();
}

void PanView::EndMiddleDrag() {
    middleDragging_ = false;
    if (HasCapture()) ReleaseMouse();
    RefreshToolCursor();
}

bool PanView::OnSetCursor(plat::Wnd* wnd, unsigned hitTest, unsigned message) {
    if (middleDragging_ && wnd == this && hitTest == plat::HTCLIENT) {
        plat::SetCursor(panTool_.HandDragCursor());
        return true;
    }
    return OffscreenView::OnSetCursor(wnd, hitTest, message);
}

void PanView::OnCaptureChanged(plat::Wnd* next) {
    OffscreenView::OnCaptureChanged(next);
    if (next != this) middleDragging_ = false;
}

}  // namespace Kor
