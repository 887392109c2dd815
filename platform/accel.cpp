#include "platform/accel.h"

#include "platform/keys.h"
#include "platform/resources.h"

#include <cctype>
#include <map>
#include <sstream>

namespace plat {

unsigned AccelTable::Translate(unsigned key, bool shift, bool ctrl, bool alt) const {
    unsigned mods = (shift ? FSHIFT : 0u) | (ctrl ? FCONTROL : 0u) | (alt ? FALT : 0u);
    for (const Accel& a : entries_)
        if (a.key == key && a.modifiers == mods) return a.command;
    return 0;
}

bool AccelTable::TypesText(unsigned key) {
    return (key >= '0' && key <= 'Z') || key == VK_SPACE || (key >= VK_NUMPAD0 && key <= VK_DIVIDE) ||
           (key >= VK_OEM_1 && key <= VK_OEM_7);
}

bool AccelTable::ParseKey(const std::string& name, unsigned& modifiers, unsigned& key) {
    static const std::map<std::string, unsigned> named = {
        {"Backspace", VK_BACK}, {"Tab", VK_TAB}, {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE},
        {"Space", VK_SPACE}, {"PageUp", VK_PRIOR}, {"PageDown", VK_NEXT}, {"End", VK_END},
        {"Home", VK_HOME}, {"Left", VK_LEFT}, {"Up", VK_UP}, {"Right", VK_RIGHT}, {"Down", VK_DOWN},
        {"Insert", VK_INSERT}, {"Delete", VK_DELETE}, {"Num*", VK_MULTIPLY}, {"Num+", VK_ADD},
        {"Num-", VK_SUBTRACT}, {"Num/", VK_DIVIDE}, {"[", VK_OEM_4}, {"]", VK_OEM_6},
    };
    modifiers = 0;
    std::string rest = name;
    for (;;) {
        std::size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size()) break;
        std::string mod = rest.substr(0, plus);
        if (mod == "Ctrl") modifiers |= FCONTROL;
        else if (mod == "Shift") modifiers |= FSHIFT;
        else if (mod == "Alt") modifiers |= FALT;
        else break;
        rest = rest.substr(plus + 1);
    }
    auto it = named.find(rest);
    if (it != named.end()) {
        key = it->second;
        return true;
    }
    if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
        key = unsigned(std::toupper(static_cast<unsigned char>(rest[0])));
        return true;
    }
    if (rest.size() >= 2 && rest[0] == 'F' && std::isdigit(static_cast<unsigned char>(rest[1]))) {
        int n = std::stoi(rest.substr(1));
        if (n >= 1 && n <= 24) {
            key = VK_F1 + unsigned(n - 1);
            return true;
        }
    }
    return false;
}

std::unique_ptr<AccelTable> AccelTable::Parse(const std::string& text) {
    auto table = std::make_unique<AccelTable>();
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string keys;
        if (!(in >> keys) || keys[0] == '#') continue;
        unsigned command = 0, mods = 0, key = 0;
        if (!(in >> command) || !ParseKey(keys, mods, key)) return nullptr;
        table->Add(mods, key, command);
    }
    return table;
}

std::unique_ptr<AccelTable> AccelTable::FromResource(const std::string& name) {
    std::string text;
    if (!FindResource(name + ".accel", text)) return nullptr;
    return Parse(text);
}

}  // namespace plat
