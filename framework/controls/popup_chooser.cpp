#include "framework/controls/popup_chooser.h"

#include "platform/wnd.h"

namespace Kor {

bool PopupChooser::Open(Control& anchor, std::vector<plat::PopupList::Item> items, int current,
                        std::function<void(int)> choose) {
    plat::Wnd* host = anchor.GetWindow();
    if (!host || !host->Exists() || items.empty()) return false;
    CRect screen = host->ClientToScreen(anchor.GetWindowRect());
    const CFont* font = anchor.Font();
    list_.onChoose = std::move(choose);
    return list_.Open(host, screen, std::move(items), current, font ? *font : plat::DefaultGuiFont());
}

}  // namespace Kor
