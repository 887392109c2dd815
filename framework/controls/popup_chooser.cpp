#include "framework/controls/popup_chooser.h"

#include "framework/windows/container.h"
#include "platform/wnd.h"

namespace Kor {

bool PopupChooser::Open(Control& anchor, std::vector<plat::PopupList::Item> items, int current,
                        std::function<void(int)> choose) {
    plat::Wnd* host = anchor.GetWindow();
    if (!host || !host->Exists() || items.empty()) return false;
    CRect screen = host->ClientToScreen(anchor.GetWindowRect());
    const CFont* font = anchor.Font();
    list_.onChoose = std::move(choose);
    list_.onClose = [this] { Closed(); };
    if (!list_.Open(host, screen, std::move(items), current, font ? *font : plat::DefaultGuiFont())) return false;
    anchor_ = &anchor;
    anchor.Invalidate();
    anchor.SetFocus();  // the keys come to the control while the list is open
    return true;
}

void PopupChooser::Closed() {
    Control* anchor = anchor_;
    anchor_ = nullptr;
    if (!anchor) return;
    anchor->Invalidate();
    // The keys go back to the window the control lies in.
    if (anchor->HasFocus())
        if (Container* p = anchor->GetParent()) p->SetFocus();
}

void PopupChooser::Follow(const Control& anchor) {
    if (!IsOpen()) return;
    plat::Wnd* w = anchor.GetWindow();
    plat::Wnd* top = w ? w->GetTopLevel() : nullptr;
    if (!anchor.Visible() || !anchor.Enabled() || !top || !top->IsActive()) Close();
}

}  // namespace Kor
