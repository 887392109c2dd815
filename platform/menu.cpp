#include "platform/menu.h"

#include "platform/resources.h"
#include "platform/wnd.h"

#include <sstream>

namespace plat {

void Menu::AppendItem(unsigned id, const std::string& text, unsigned flags) {
    InsertItem(ItemCount(), id, text, flags);
}

void Menu::AppendSeparator() { InsertItem(ItemCount(), 0, std::string(), MF_SEPARATOR); }

Menu& Menu::AppendPopup(const std::string& text) {
    Item item;
    item.text = text;
    item.flags = MF_POPUP;
    item.popup = std::make_unique<Menu>();
    item.popup->parent_ = this;
    items_.push_back(std::move(item));
    Changed();
    return *items_.back().popup;
}

void Menu::InsertItem(int pos, unsigned id, const std::string& text, unsigned flags) {
    if (pos < 0 || pos > ItemCount()) pos = ItemCount();
    Item item;
    item.id = id;
    item.text = text;
    item.flags = flags & ~unsigned(MF_POPUP);
    items_.insert(items_.begin() + pos, std::move(item));
    Changed();
}

bool Menu::RemoveItem(int pos) {
    if (pos < 0 || pos >= ItemCount()) return false;
    items_.erase(items_.begin() + pos);
    Changed();
    return true;
}

void Menu::Clear() {
    items_.clear();
    Changed();
}

Menu* Menu::GetSubMenu(int pos) const {
    return pos >= 0 && pos < ItemCount() ? items_[std::size_t(pos)].popup.get() : nullptr;
}

int Menu::FindPosition(unsigned id) const {
    for (int i = 0; i < ItemCount(); ++i)
        if (!items_[std::size_t(i)].popup && !items_[std::size_t(i)].IsSeparator() && items_[std::size_t(i)].id == id)
            return i;
    return -1;
}

Menu* Menu::FindCommand(unsigned id, int* pos) {
    int p = FindPosition(id);
    if (p >= 0) {
        if (pos) *pos = p;
        return this;
    }
    for (Item& item : items_)
        if (item.popup)
            if (Menu* m = item.popup->FindCommand(id, pos)) return m;
    return nullptr;
}

void Menu::SetItemText(int pos, const std::string& text) {
    if (pos < 0 || pos >= ItemCount() || items_[std::size_t(pos)].text == text) return;
    items_[std::size_t(pos)].text = text;
    Changed();
}

void Menu::EnableItem(int pos, bool enable) {
    if (pos < 0 || pos >= ItemCount()) return;
    unsigned& f = items_[std::size_t(pos)].flags;
    unsigned nf = enable ? f & ~unsigned(MF_GRAYED) : f | MF_GRAYED;
    if (nf == f) return;
    f = nf;
    Changed();
}

void Menu::CheckItem(int pos, int check, bool radio) {
    if (pos < 0 || pos >= ItemCount()) return;
    unsigned& f = items_[std::size_t(pos)].flags;
    unsigned nf = f & ~unsigned(MF_CHECKED | MF_RADIO);
    if (check) nf |= MF_CHECKED | (radio ? MF_RADIO : 0u);
    if (nf == f) return;
    f = nf;
    Changed();
}

void Menu::SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

void Menu::Changed() {
    Menu* root = this;
    while (root->parent_) root = root->parent_;
    if (root->listener_) root->listener_();
}

namespace {

// Reads a quoted string with \t, \n, \" and \\ escapes; false when malformed.
bool ReadQuoted(std::istream& in, std::string& out) {
    char c;
    if (!(in >> c) || c != '"') return false;
    out.clear();
    while (in.get(c)) {
        if (c == '"') return true;
        if (c == '\\' && in.get(c)) c = c == 't' ? '\t' : c == 'n' ? '\n' : c;
        out += c;
    }
    return false;
}

}  // namespace

std::unique_ptr<Menu> Menu::Parse(const std::string& text) {
    auto root = std::make_unique<Menu>();
    std::vector<Menu*> stack{root.get()};
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string word;
        if (!(in >> word) || word[0] == '#') continue;
        if (word == "POPUP") {
            std::string label;
            if (!ReadQuoted(in, label)) return nullptr;
            stack.push_back(&stack.back()->AppendPopup(label));
        } else if (word == "END") {
            if (stack.size() < 2) return nullptr;
            stack.pop_back();
        } else if (word == "MENUITEM") {
            std::string rest;
            std::getline(in, rest);
            std::istringstream r(rest);
            std::string sep;
            if (r >> sep && sep == "SEPARATOR") {
                stack.back()->AppendSeparator();
                continue;
            }
            std::istringstream item(rest);
            std::string label;
            if (!ReadQuoted(item, label)) return nullptr;
            char comma;
            unsigned id = 0;
            if (!(item >> comma >> id) || comma != ',') return nullptr;
            unsigned flags = 0;
            std::string opt;
            while (item >> comma >> opt) {
                if (opt == "GRAYED") flags |= MF_GRAYED;
                else if (opt == "CHECKED") flags |= MF_CHECKED;
                else return nullptr;
            }
            stack.back()->AppendItem(id, label, flags);
        } else {
            return nullptr;
        }
    }
    return stack.size() == 1 ? std::move(root) : nullptr;
}

std::unique_ptr<Menu> Menu::FromResource(const std::string& name) {
    std::string text;
    if (!FindResource(name + ".menu", text)) return nullptr;
    return Parse(text);
}

std::string MenuLabel(const std::string& text) { return text.substr(0, text.find('\t')); }

std::string MenuAccelText(const std::string& text) {
    std::size_t tab = text.find('\t');
    return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

void MenuCmdUI::Enable(bool on) {
    CmdUI::Enable(on);
    menu_.EnableItem(pos_, on);
}

void MenuCmdUI::SetCheck(int check) {
    CmdUI::SetCheck(check);
    menu_.CheckItem(pos_, check);
}

void MenuCmdUI::SetRadio(bool on) {
    CmdUI::SetRadio(on);
    menu_.CheckItem(pos_, on ? 1 : 0, true);
}

void MenuCmdUI::SetText(const std::string& text) {
    CmdUI::SetText(text);
    menu_.SetItemText(pos_, text);
}

void UpdateMenuItems(Wnd& target, Menu& menu) {
    for (int i = 0; i < menu.ItemCount(); ++i) {
        const Menu::Item& item = menu.ItemAt(i);
        if (item.popup || item.IsSeparator() || item.id == 0) continue;
        MenuCmdUI ui(menu, i);
        if (!target.UpdateCommand(ui)) menu.EnableItem(i, false);
    }
}

}  // namespace plat
