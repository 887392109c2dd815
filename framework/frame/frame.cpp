#include "framework/frame/frame.h"

#include "framework/app/app_base.h"
#include "framework/app/command_ids.h"
#include "framework/app/framework_strings.h"
#include "framework/document/doc.h"
#include "platform/app.h"
#include "platform/paths.h"
#include "platform/resources.h"

#include <algorithm>

namespace Kor {

namespace {
constexpr const char* kLayout = "Layout";
constexpr int kGripLength = 30;

int Profile(const char* key, int def) {
    plat::App* app = plat::App::Instance();
    return app ? app->GetProfileInt(kLayout, key, def) : def;
}
}  // namespace

Frame::Frame(Doc& doc)
    : doc_(doc),
      font_("Tahoma", 11, plat::FW_NORMAL),
      toolBar_(*this),
      rightBar_(*this),
      bottomBar_(*this),
      rightSplitter_(*this),
      bottomSplitter_(*this),
      rightGrip_(*this),
      bottomGrip_(*this),
      cornerGrip_(*this) {
    for (Control* c : std::initializer_list<Control*>{&toolBar_, &rightBar_, &bottomBar_, &statusBar_, &rightSplitter_,
                                                      &bottomSplitter_, &cornerGrip_, &rightGrip_, &bottomGrip_})
        AddControl(c);
    doc_.AddListener(this);
    SetSplit(Profile("RightBarSize", 200), Profile("BottomBarSize", 200), Profile("RightBarVisible", 1) != 0,
             Profile("BottomBarVisible", 1) != 0);
}

Frame::~Frame() {
    if (Exists()) Destroy();
    doc_.RemoveListener(this);
}

plat::Wnd* Frame::GetView() const { return Exists() ? GetDlgItem(AFX_IDW_PANE_FIRST) : nullptr; }

bool Frame::OnCreate() {
    SetFont(&font_, false);
    if (!CustomWindow<plat::Wnd>::OnCreate()) return false;
    statusBar_.SetVisible(Profile("StatusBar", 1) != 0);
    SetMessageText(std::string());
    UpdateTitle();
    RecalcLayout();
    return true;
}

void Frame::OnDestroy() {
    if (plat::App* app = plat::App::Instance()) {
        app->WriteProfileInt(kLayout, "RightBarVisible", rightVisible_ ? 1 : 0);
        app->WriteProfileInt(kLayout, "BottomBarVisible", bottomVisible_ ? 1 : 0);
        app->WriteProfileInt(kLayout, "RightBarSize", rightWidth_);
        app->WriteProfileInt(kLayout, "BottomBarSize", bottomHeight_);
        app->WriteProfileInt(kLayout, "StatusBar", statusBar_.Visible() ? 1 : 0);
    }
    CustomWindow<plat::Wnd>::OnDestroy();
}

void Frame::ToggleRightVisible() { SetSplit(rightWidth_, bottomHeight_, !rightVisible_, bottomVisible_); }

void Frame::ToggleBottomVisible() { SetSplit(rightWidth_, bottomHeight_, rightVisible_, !bottomVisible_); }

void Frame::SetStatusBarVisible(bool visible) {
    if (visible == statusBar_.Visible()) return;
    statusBar_.SetVisible(visible);
    RecalcLayout();
}

void Frame::SetSplit(int rightWidth, int bottomHeight, bool rightVisible, bool bottomVisible) {
    if (Exists()) {
        CRect client = GetClientRect();
        int toolWidth = toolBar_.GetMinWindowSize().cx;
        if (rightVisible) rightWidth = std::min(rightWidth, client.Width() - toolWidth - 20);
        int statusHeight = statusBar_.Visible() ? StatusBar::kHeight : 0;
        if (bottomVisible) bottomHeight = std::min(bottomHeight, client.Height() - statusHeight - 20);
    }
    rightWidth = std::max({rightWidth, 10, rightBar_.GetMinWindowSize().cx});
    bottomHeight = std::max({bottomHeight, 10, bottomBar_.GetMinWindowSize().cy});
    if (rightWidth == rightWidth_ && bottomHeight == bottomHeight_ && rightVisible == rightVisible_ &&
        bottomVisible == bottomVisible_)
        return;
    rightWidth_ = rightWidth;
    bottomHeight_ = bottomHeight;
    rightVisible_ = rightVisible;
    bottomVisible_ = bottomVisible;
    RecalcLayout();
}

void Frame::RecalcLayout(int notify) {
    if (!Exists() || inLayout_) return;
    inLayout_ = true;
    CRect c = GetClientRect();
    if (statusBar_.Visible()) {
        statusBar_.SetBounds(CRect(c.left, c.bottom - StatusBar::kHeight, c.right, c.bottom));
        c.bottom -= StatusBar::kHeight;
    }
    int toolWidth = std::min(toolBar_.GetMinWindowSize().cx, c.Width());
    toolBar_.SetBounds(CRect(c.left, c.top, c.left + toolWidth, c.bottom));
    c.left += toolWidth;
    rightBar_.SetVisible(rightVisible_);
    if (rightVisible_) {
        rightBar_.SetBounds(CRect(std::max(c.left, c.right - rightWidth_), c.top, c.right, c.bottom));
        c.right = rightBar_.Bounds().left;
    }
    bottomBar_.SetVisible(bottomVisible_);
    if (bottomVisible_) {
        bottomBar_.SetBounds(CRect(c.left, std::max(c.top, c.bottom - bottomHeight_), c.right, c.bottom));
        c.bottom = bottomBar_.Bounds().top;
    }
    // The view, with the splitters on its right and bottom sides.
    int s = kSplitterSize;
    viewRect_ = CRect(c.left, c.top, std::max(c.left, c.right - s), std::max(c.top, c.bottom - s));
    rightSplitter_.SetBounds(CRect(viewRect_.right, c.top, c.right, viewRect_.bottom));
    bottomSplitter_.SetBounds(CRect(c.left, viewRect_.bottom, viewRect_.right, c.bottom));
    cornerGrip_.SetBounds(CRect(viewRect_.right, viewRect_.bottom, c.right, c.bottom));
    int midY = (viewRect_.top + viewRect_.bottom) / 2, midX = (viewRect_.left + viewRect_.right) / 2;
    rightGrip_.SetBounds(CRect(viewRect_.right, midY - kGripLength / 2, c.right, midY + kGripLength / 2));
    bottomGrip_.SetBounds(CRect(midX - kGripLength / 2, viewRect_.bottom, midX + kGripLength / 2, c.bottom));
    if (plat::Wnd* view = GetView()) view->MoveWindow(viewRect_);
    for (PanelBar* bar :
         {static_cast<PanelBar*>(&toolBar_), static_cast<PanelBar*>(&rightBar_), static_cast<PanelBar*>(&bottomBar_)})
        bar->LayoutControls();
    inLayout_ = false;
    InvalidateAll(false);
    if (notify) UpdateWindow();
}

void Frame::UpdateTitle() {
    std::string app = AppBase::LoadString(IDS_APP_NAME), title;
    if (!doc_.IsEmpty()) {
        std::string path = doc_.GetFileName();
        if (path.empty()) {
            title = "(Untitled)";
        } else {
            title = plat::DisplayName(path);
        }
        if (doc_.IsModified()) title += " *";
        title += " - ";
    }
    SetText(title + app);
}

void Frame::SetMessageText(const std::string& text) {
    statusBar_.SetText(text.empty() ? AppBase::LoadString(IDS_IDLE_MESSAGE) : text);
}

void Frame::RequestClose() {
    if (!doc_.IsEmpty()) {
        if (AppBase* app = GetApp())
            app->SendCommand(ID_FILE_CLOSE);
        else
            doc_.Close();
        if (!doc_.IsEmpty()) return;  // the user kept it open
    }
    Destroy();
}

void Frame::ProcessEvent(Event& e) {
    if (auto* de = dynamic_cast<Doc::Event*>(&e)) {
        if (dynamic_cast<Doc::ActionsChange*>(de) || dynamic_cast<Doc::FileNameChange*>(de)) UpdateTitle();
        return;
    }
    CustomWindow<plat::Wnd>::ProcessEvent(e);
}

bool Frame::OnCmdMsg(unsigned id, int code, plat::CmdUI* ui) {
    plat::Wnd* view = GetView();
    if (view && view->Exists() && static_cast<plat::CmdTarget*>(view)->OnCmdMsg(id, code, ui)) return true;
    // A copy: a handler may add or remove targets.
    std::vector<plat::CmdTarget*> targets = commandTargets_;
    for (plat::CmdTarget* target : targets)
        if (target->OnCmdMsg(id, code, ui)) return true;
    if (doc_.OnCmdMsg(id, code, ui)) return true;
    return CustomWindow<plat::Wnd>::OnCmdMsg(id, code, ui);
}

void Frame::AddCommandTarget(plat::CmdTarget* target) {
    if (target && std::find(commandTargets_.begin(), commandTargets_.end(), target) == commandTargets_.end())
        commandTargets_.push_back(target);
}

void Frame::RemoveCommandTarget(plat::CmdTarget* target) {
    commandTargets_.erase(std::remove(commandTargets_.begin(), commandTargets_.end(), target), commandTargets_.end());
}

void Frame::OnSetFocus(plat::Wnd* old) {
    CustomWindow<plat::Wnd>::OnSetFocus(old);
    // The keys belong to the view (its tools' keys), unless a control of the
    // frame took the focus on purpose. Handed over from the loop, once the
    // focus change that brought the focus here is over.
    plat::App* app = plat::App::Instance();
    if (!app) return;
    plat::WndGuard guard(this);
    app->Post([this, guard] {
        if (!guard || plat::Wnd::GetFocus() != this || GetFocusControl() != this) return;
        plat::Wnd* view = GetView();
        if (view && view->Exists() && view->IsWindowVisible() && view->IsWindowEnabled()) view->SetFocus();
    });
}

void Frame::OnMenuSelect(unsigned id) { SetMessageText(id ? plat::CommandPrompt(id) : std::string()); }

}  // namespace Kor
