// Menus: items with a command id and a text ("&" marks the mnemonic, a tab
// separates the accelerator text), separators, grayed and checked items, and
// pop-up submenus. A menu set on a top-level window shows as its menu bar;
// item states come from the command-state handlers when the menu opens.
//
// The resource form is a text:
//   POPUP "&File"
//       MENUITEM "&Open...\tCtrl+O", 57601
//       MENUITEM SEPARATOR
//       MENUITEM "Recent File", 57616, GRAYED
//   END
#pragma once

#include "platform/cmd_target.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class Wnd;

enum : unsigned { MF_STRING = 0x0, MF_GRAYED = 0x1, MF_CHECKED = 0x8, MF_POPUP = 0x10, MF_RADIO = 0x200, MF_SEPARATOR = 0x800 };

class Menu {
public:
    struct Item {
        unsigned id = 0;
        std::string text;
        unsigned flags = 0;
        std::unique_ptr<Menu> popup;
        bool IsSeparator() const { return flags & MF_SEPARATOR; }
    };

    Menu() = default;
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    void AppendItem(unsigned id, const std::string& text, unsigned flags = 0);
    void AppendSeparator();
    Menu& AppendPopup(const std::string& text);
    void InsertItem(int pos, unsigned id, const std::string& text, unsigned flags = 0);
    bool RemoveItem(int pos);
    void Clear();

    int ItemCount() const { return int(items_.size()); }
    const Item& ItemAt(int pos) const { return items_[std::size_t(pos)]; }
    Menu* GetSubMenu(int pos) const;
    int FindPosition(unsigned id) const;  // in this menu only; -1 when missing
    // The menu (this or a submenu) that holds the command, and its position.
    Menu* FindCommand(unsigned id, int* pos);

    void SetItemText(int pos, const std::string& text);
    void EnableItem(int pos, bool enable);
    void CheckItem(int pos, int check, bool radio = false);

    // The menu bar this menu belongs to redraws after changes.
    void SetChangeListener(std::function<void()> listener);
    // Expires when the menu goes away, so that a window showing it can tell.
    std::weak_ptr<int> AliveToken() const { return alive_; }

    static std::unique_ptr<Menu> Parse(const std::string& text);
    // "NAME.menu" from the resources; null when missing or malformed.
    static std::unique_ptr<Menu> FromResource(const std::string& name);

private:
    void Changed();

    std::vector<Item> items_;
    Menu* parent_ = nullptr;
    std::function<void()> listener_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

// Splits "&Open...\tCtrl+O" into the label with its mnemonic marks and the
// accelerator text.
std::string MenuLabel(const std::string& text);
std::string MenuAccelText(const std::string& text);

// The state of one menu item, asked of the command routing.
class MenuCmdUI : public CmdUI {
public:
    MenuCmdUI(Menu& menu, int pos) : CmdUI(menu.ItemAt(pos).id), menu_(menu), pos_(pos) {}
    void Enable(bool on = true) override;
    void SetCheck(int check = 1) override;
    void SetRadio(bool on = true) override;
    void SetText(const std::string& text) override;
    Menu* GetMenu() const override { return &menu_; }

private:
    Menu& menu_;
    int pos_;
};

// Asks `target`'s routing for the state of every command item of `menu` (not
// of its submenus); an item nobody answers for is grayed.
void UpdateMenuItems(Wnd& target, Menu& menu);

}  // namespace plat
