// The tool-tip window of a Korvane window: a small pop-up that shows a
// control's hint text near the pointer without taking the focus.
#pragma once

#include "platform/wnd.h"

#include <string>

namespace Kor {

class WindowTipCtrl : public plat::Wnd {
public:
    bool CreateFor(plat::Wnd* owner);
    // Shows `text` with its top-left corner at `screen` (hides for "").
    void ShowTip(const std::string& text, plat::Point screen);
    void HideTip();
    const std::string& TipText() const { return GetText(); }

protected:
    void OnPaint(plat::DC& dc, const plat::Rect& update) override;
};

}  // namespace Kor
