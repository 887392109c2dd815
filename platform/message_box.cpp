#include "message_box.h"

#include "app.h"
#include "backend.h"
#include "wnd.h"

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

int MessageBox(Wnd* owner, const std::string& text, const std::string& caption, unsigned type) {
    App* app = App::Instance();
    if (!app || !app->Ok()) return IDCANCEL;
    if (!owner) owner = app->GetActiveWindow() ? app->GetActiveWindow() : app->GetMainWnd();
    if (owner) owner = owner->GetTopLevel();
    // The owner takes no input while the box is open.
    WndGuard guard(owner);
    bool disable = owner && owner->IsEnabled();
    if (disable) owner->EnableWindow(false);
    int result = app->GetBackend().MessageBox(owner, text, caption.empty() ? app->GetAppName() : caption, type);
    if (disable && guard) {
        owner->EnableWindow(true);
        owner->Activate();
    }
    return result;
}

}  // namespace plat
