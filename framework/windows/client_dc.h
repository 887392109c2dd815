// A DC for drawing a control outside painting (rubber bands, wires): on the
// host window's client area, with the origin at the control's (0, 0) and
// clipped to the control. A detached control gets a DC that draws nothing.
#pragma once

#include "framework/windows/control.h"
#include "platform/wnd.h"

namespace Kor {

class ClientDC : public plat::ClientDC {
public:
    explicit ClientDC(Control& c) : plat::ClientDC(HostOf(c)) {
        OffsetViewportOrg(c.GetWindowOffset().x, c.GetWindowOffset().y);
        IntersectClipRect(CRect(CPoint(), c.ClientSize()));
    }

private:
    static plat::Wnd& HostOf(Control& c) {
        static plat::Wnd none;  // never created: its DC draws nowhere
        plat::Wnd* w = c.GetWindow();
        return w ? *w : none;
    }
};

}  // namespace Kor
