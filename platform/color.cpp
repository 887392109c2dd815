#include "platform/color.h"

namespace plat {

Color GetSysColor(int index) {
    switch (index) {
    case COLOR_SCROLLBAR: return Color(224, 223, 227);
    case COLOR_ACTIVECAPTION: return Color(10, 36, 106);
    case COLOR_MENU: return Color(212, 208, 200);
    case COLOR_WINDOW: return Color(255, 255, 255);
    case COLOR_WINDOWFRAME: return Color(0, 0, 0);
    case COLOR_MENUTEXT: return Color(0, 0, 0);
    case COLOR_WINDOWTEXT: return Color(0, 0, 0);
    case COLOR_CAPTIONTEXT: return Color(255, 255, 255);
    case COLOR_APPWORKSPACE: return Color(128, 128, 128);
    case COLOR_HIGHLIGHT: return Color(10, 36, 106);
    case COLOR_HIGHLIGHTTEXT: return Color(255, 255, 255);
    case COLOR_BTNFACE: return Color(212, 208, 200);
    case COLOR_BTNSHADOW: return Color(128, 128, 128);
    case COLOR_GRAYTEXT: return Color(128, 128, 128);
    case COLOR_BTNTEXT: return Color(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return Color(255, 255, 255);
    case COLOR_3DDKSHADOW: return Color(64, 64, 64);
    case COLOR_3DLIGHT: return Color(236, 233, 216);
    case COLOR_INFOTEXT: return Color(0, 0, 0);
    case COLOR_INFOBK: return Color(255, 255, 225);
    default: return Color(0, 0, 0);
    }
}

}  // namespace plat
