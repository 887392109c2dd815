#include "framework/tools/pan_tool.h"

#include "framework/tools/tool_cursor.h"
#include "framework/views/workbench.h"
#include "platform/keys.h"

namespace Kor {

PanTool::PanTool(Workbench& view)
    : view_(&view),
      cursorHand_(LoadToolCursor("PanTool_CursorHand", plat::StdCursor::Hand)),
      cursorHandDrag_(LoadToolCursor("PanTool_CursorHandDrag", plat::StdCursor::SizeAll)) {}

void PanTool::OnLButtonDown(unsigned flags, CPoint p) {
    (void)flags;
    dragStart_ = p;
    scrollStart_ = view_->GetScrollPosition();
    dragging_ = true;
    view_->CaptureMouse();
    view_->SetFocus();
    view_->RefreshToolCursor();
}

void PanTool::OnMouseMove(unsigned flags, CPoint p) {
    if (!dragging_) return;
    // The release went where the view could not hear it.
    if (!(flags & plat::MK_LBUTTON)) return EndDrag();
    view_->ScrollTo(scrollStart_.x + dragStart_.x - p.x, scrollStart_.y + dragStart_.y - p.y, false);
}

void PanTool::OnLButtonUp(unsigned flags, CPoint p) {
    (void)flags, (void)p;
    EndDrag();
}

void PanTool::EndDrag() {
    if (dragging_) {
        dragging_ = false;
        view_->ReleaseMouse();
    }
    view_->RefreshToolCursor();
}

void PanTool::Hide() {
    // Another tool takes over: a drag ends here, capture and all, since the
    // release will go to that tool.
    if (dragging_) {
        dragging_ = false;
        view_->ReleaseMouse();
    }
}

void PanTool::OnCaptureLost() {
    dragging_ = false;
    view_->RefreshToolCursor();
}

bool PanTool::OnSetCursor(plat::Wnd* wnd, unsigned hitTest, unsigned message) {
    (void)wnd, (void)message;
    if (hitTest != plat::HTCLIENT && hitTest != plat::HTNOWHERE) return false;
    plat::SetCursor(dragging_ ? cursorHandDrag_ : cursorHand_);
    return true;
}

void PanTool::OnKeyDown(unsigned key, unsigned repeat, unsigned flags) {
    (void)repeat, (void)flags;
    CPoint s = view_->GetScrollPosition();
    int clientHeight = view_->GetClientRect().Height();
    switch (key) {
        case plat::VK_LEFT:
            s.x -= Workbench::kLineStep;
            break;
        case plat::VK_RIGHT:
            s.x += Workbench::kLineStep;
            break;
        case plat::VK_UP:
            s.y -= Workbench::kLineStep;
            break;
        case plat::VK_DOWN:
            s.y += Workbench::kLineStep;
            break;
        case plat::VK_HOME:
            s.x = 0;
            break;
        case plat::VK_END:
            s.x = view_->GetContentSize().cx;
            break;
        case plat::VK_PRIOR:
            s.y -= clientHeight;
            break;
        case plat::VK_NEXT:
            s.y += clientHeight;
            break;
        default:
            return;
    }
    view_->ScrollTo(s.x, s.y, false);
}

}  // namespace Kor
