// A pop-up list opened just below a control, for controls that offer a
// choice (a drop-down, a colour box of a property): it places the list by
// the control's place on the screen, in the control's font, and hands the
// chosen item to a callback once the list has closed. While the list is
// open the control has the keys (its CanGetFocus must say so then) and
// passes them on with HandleKey; when the list closes the keys go back to
// the control's window.
#pragma once

#include "framework/windows/control.h"
#include "platform/popup_list.h"

#include <functional>
#include <vector>

namespace Kor {

class PopupChooser {
public:
    // False when the control is not on a window or there is nothing to
    // choose. `choose` may free the control that owns the chooser.
    bool Open(Control& anchor, std::vector<plat::PopupList::Item> items, int current, std::function<void(int)> choose);
    void Close() { list_.Close(); }
    bool IsOpen() const { return list_.IsOpen(); }
    // The keys while the list is open; true when the list took the key.
    bool HandleKey(unsigned key) { return list_.HandleKey(key); }
    // Closes the list once the control is hidden or disabled, or its window
    // is no longer the active one (call it from the control's HandleVisible,
    // HandleEnable and HandleActivate).
    void Follow(const Control& anchor);
    plat::PopupList& GetList() { return list_; }

private:
    void Closed();

    plat::PopupList list_;
    Control* anchor_ = nullptr;
};

}  // namespace Kor
