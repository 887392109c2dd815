#include "framework/properties/color_control.h"

#include "platform/keys.h"

#include <iomanip>
#include <locale>
#include <sstream>

namespace Kor {

namespace {
constexpr unsigned kOpenKey = plat::VK_F1 + 3;  // F4

unsigned long Packed(const ColorValue& c) { return (unsigned long)c.r << 16 | (unsigned long)c.g << 8 | c.b; }

std::string HexName(unsigned long rgb) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << '#' << std::uppercase << std::hex << std::setw(6) << std::setfill('0') << (rgb & 0xFFFFFFu);
    return out.str();
}
}  // namespace

const std::vector<unsigned long>& PaletteColors() {
    static const std::vector<unsigned long> colors = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    return colors;
}

TypedControl<ColorValue>::TypedControl(BasicProperty<ColorValue>& property, const ObjectList& objects)
    : TypedControlBase<ColorValue>(property, objects) {
    HandleUpdateUI();
}

bool TypedControl<ColorValue>::GetColor(unsigned long& rgb) const {
    ColorValue c;
    if (!ReadValue(c)) return false;
    rgb = Packed(c);
    return true;
}

void TypedControl<ColorValue>::SetColor(unsigned long rgb) {
    ColorValue c(0, 0, 0, 255);
    ReadValue(c);  // keeps the first object's alpha
    c.r = (unsigned char)(rgb >> 16);
    c.g = (unsigned char)(rgb >> 8);
    c.b = (unsigned char)rgb;
    Invalidate();
    WriteValue(c);
}

void TypedControl<ColorValue>::OpenPalette() {
    if (!Enabled() || IsReadOnly()) return;
    unsigned long current = 0;
    bool has = GetColor(current);
    std::vector<plat::PopupList::Item> items;
    int selected = -1;
    for (unsigned long rgb : PaletteColors()) {
        if (has && rgb == current) selected = int(items.size());
        items.push_back({HexName(rgb), true, plat::Color::FromPacked(std::uint32_t(rgb))});
    }
    chooser_.Open(*this, std::move(items), selected, [this](int i) { SetColor(PaletteColors()[std::size_t(i)]); });
}

void TypedControl<ColorValue>::HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) {
    if (IsPaletteOpen()) {
        chooser_.HandleKey(key);
        return;
    }
    if (key == plat::VK_SPACE || key == plat::VK_RETURN || key == kOpenKey) return OpenPalette();
    ColorBox::HandleKeyDown(key, repeat, flags);
}

}  // namespace Kor
