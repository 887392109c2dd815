#include "app/about.h"

#include "app/vexilo_strings.h"
#include "framework/app/app_base.h"
#include "framework/controls/pixel_art.h"
#include "platform/color.h"
#include "platform/controls.h"

#include <string>

namespace {

constexpr unsigned kIconItem = 0xFFFF;  // the icon is no control to address

// Dialog units to pixels, rounded.
int DluX(int x) { return (x * 3 + 1) / 2; }
int DluY(int y) { return (y * 13 + 4) / 8; }
plat::Rect DluRect(int x, int y, int w, int h) { return plat::Rect(DluX(x), DluY(y), DluX(x + w), DluY(y + h)); }

}  // namespace

plat::DialogTemplate AboutDlg::Template() {
    plat::DialogTemplate t;
    t.caption = Kor::AppBase::LoadString(IDS_ABOUT_CAPTION);
    t.size = plat::Size(DluX(241), DluY(59));
    t.items = {
        {plat::DialogItemKind::Icon, kIconItem, "", DluRect(11, 17, 21, 20)},
        {plat::DialogItemKind::Static, 0, Kor::AppBase::LoadString(IDS_ABOUT_VERSION), DluRect(40, 10, 119, 8)},
        {plat::DialogItemKind::DefaultButton, 1, "OK", DluRect(183, 7, 50, 16)},
    };
    return t;
}

AboutDlg::AboutDlg() : plat::Dialog(Template()) {}

bool AboutDlg::OnInitDialog() {
    // The icon is pixel art, which the platform's icon control does not
    // read: its opaque pixels go over the dialog's colour.
    std::string name = std::to_string(IDR_MAINFRAME);
    plat::Bitmap art = Kor::LoadGlyphBitmap(name), mask = Kor::LoadGlyphBitmap(name + "_MASK");
    if (art.IsNull() || mask.IsNull()) return true;
    plat::Bitmap icon(art.Width(), art.Height(), plat::GetSysColor(plat::COLOR_BTNFACE));
    for (int y = 0; y < art.Height(); ++y)
        for (int x = 0; x < art.Width(); ++x)
            if (mask.GetPixel(x, y) == plat::Color(255, 255, 255)) icon.SetPixel(x, y, art.GetPixel(x, y));
    for (plat::Wnd* child : GetChildren())
        if (auto* control = dynamic_cast<plat::IconControl*>(child)) control->SetImage(icon);
    return true;
}
