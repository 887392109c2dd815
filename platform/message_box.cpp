#include "platform/message_box.h"

#include "platform/app.h"
#include "platform/backend.h"
#include "platform/internal.h"
#include "platform/wnd.h"

namespace plat {

MessageBoxButtons ButtonsOf(unsigned type) {
    MessageBoxButtons b;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: b = {{IDOK, IDCANCEL, 0}, 2, IDCANCEL}; break;
    case MB_YESNOCANCEL: b = {{IDYES, IDNO, IDCANCEL}, 3, IDCANCEL}; break;
    case MB_YESNO: b = {{IDYES, IDNO, 0}, 2, IDNO}; break;
    default: b = {{IDOK, 0, 0}, 1, IDOK}; break;
    }
    return b;
}

const char* ButtonLabel(int id) {
    switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDYES: return "&Yes";
    case IDNO: return "&No";
    default: return "";
    }
}

OwnerDisabled::OwnerDisabled(Wnd* owner)
    : owner_(owner), guard_(nullptr), disabled_(false), focus_(Wnd::GetFocus()), focusGuard_(focus_) {
    App* app = App::Instance();
    if (!owner_ && app) owner_ = app->GetActiveWindow() ? app->GetActiveWindow() : app->GetMainWnd();
    if (owner_) owner_ = owner_->GetTopLevel();
    guard_ = WndGuard(owner_);
    disabled_ = owner_ && owner_->IsEnabled();
    if (disabled_) owner_->EnableWindow(false);
}

OwnerDisabled::~OwnerDisabled() {
    if (!disabled_ || !guard_) return;
    owner_->EnableWindow(true);
    owner_->Activate();
    // Disabling took the focus away; it goes back where it was, as it does
    // when the window system hands the activation back.
    if (!Wnd::GetFocus() && focusGuard_ && (focus_ == owner_ || focus_->IsChildOf(owner_)))
        input::SetFocusTo(focus_);
}

int MessageBox(Wnd* owner, const std::string& text, const std::string& caption, unsigned type) {
    App* app = App::Instance();
    if (!app || !app->Ok()) return IDCANCEL;
    OwnerDisabled modal(owner);
    int result = app->GetBackend().MessageBox(modal.Owner(), text, caption.empty() ? app->GetAppName() : caption, type);
    return result;
}

}  // namespace plat
