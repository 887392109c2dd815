#include "framework/progress/progress_dlg.h"

#include "platform/controls.h"
#include "platform/message_box.h"

namespace Kor {

namespace {
const plat::DialogTemplate& Template() {
    static const plat::DialogTemplate t = [] {
        plat::DialogTemplate d;
        d.caption = "Rendering...";
        d.size = plat::Size(300, 96);
        d.font = plat::Font("Tahoma", 11);
        d.items = {
            {plat::DialogItemKind::ProgressBar, ProgressDlg::IDC_PROGRESS, "", plat::Rect(12, 12, 288, 30)},
            {plat::DialogItemKind::Static, ProgressDlg::IDC_TEXT, "", plat::Rect(12, 38, 288, 54), plat::SS_CENTER},
            {plat::DialogItemKind::DefaultButton, plat::IDCANCEL, "Cancel", plat::Rect(113, 62, 187, 86)},
        };
        return d;
    }();
    return t;
}
}  // namespace

ProgressDlg::ProgressDlg() : plat::Dialog(Template()) {}

ProgressDlg::ProgressDlg(plat::Wnd* parent, bool disableParent) : ProgressDlg() { Create(parent, disableParent); }

ProgressDlg::~ProgressDlg() {
    // The parent comes back even when the dialog could not be made.
    EnableParent();
    if (Exists()) Destroy();
}

bool ProgressDlg::Create(plat::Wnd* parent, bool disableParent) {
    parent_ = parent;
    parentGuard_ = std::make_unique<plat::WndGuard>(parent);
    if (disableParent && parent && parent->IsEnabled()) {
        parent->EnableWindow(false);
        parentDisabled_ = true;
    }
    return CreateModeless(parent);
}

void ProgressDlg::EnableParent() {
    if (!parentDisabled_) return;
    parentDisabled_ = false;
    if (parent_ && parentGuard_ && parentGuard_->Alive()) parent_->EnableWindow(true);
}

void ProgressDlg::Reset(unsigned total, unsigned current) {
    total_ = total;
    current_ = current;
    if (auto* bar = dynamic_cast<plat::ProgressBar*>(GetDlgItem(IDC_PROGRESS))) bar->SetRange(0, int(total));
    UpdateControls();
    if (!Exists()) return;
    EnableWindow(true);
    ShowWindow(plat::SW_SHOW);
}

bool ProgressDlg::Increment() {
    ++current_;
    UpdateControls();
    return Exists() && IsWindowVisible();
}

void ProgressDlg::SetCurrent(unsigned current) {
    current_ = current;
    UpdateControls();
}

void ProgressDlg::UpdateControls() {
    if (!Exists()) return;
    SetItemText(IDC_TEXT, std::to_string(current_) + " / " + std::to_string(total_));
    if (auto* bar = dynamic_cast<plat::ProgressBar*>(GetDlgItem(IDC_PROGRESS))) bar->SetPos(int(current_));
}

}  // namespace Kor
