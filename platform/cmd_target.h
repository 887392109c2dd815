// Command targets: objects that handle menu, accelerator and tool-bar
// commands by number. Each class lists its handlers once, in a table that
// links to its base class's table; a query for a command's state (enabled,
// checked, radio, text) goes through the same routing with a CmdUI.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace plat {

// Codes of OnCmdMsg: perform the command, or ask for its state.
enum : int { CN_COMMAND = 0, CN_UPDATE_COMMAND_UI = -1 };

class Menu;

// The state of one command as the handlers report it. Subclasses apply the
// state to what shows the command (a menu item, a tool button).
class CmdUI {
public:
    explicit CmdUI(unsigned id) : id_(id) {}
    virtual ~CmdUI() = default;
    unsigned GetID() const { return id_; }

    virtual void Enable(bool on = true) { enabled_ = on; enableSet_ = true; }
    virtual void SetCheck(int check = 1) { check_ = check; }
    virtual void SetRadio(bool on = true) { radio_ = on; check_ = on ? 1 : 0; }
    virtual void SetText(const std::string& text) { text_ = text; textSet_ = true; }
    // The menu that shows the command, or null for other places.
    virtual Menu* GetMenu() const { return nullptr; }
    // A handler that wants later targets asked as well calls this.
    void ContinueRouting() { continueRouting_ = true; }

    bool IsEnabled() const { return enabled_; }
    bool EnableWasSet() const { return enableSet_; }
    int GetCheck() const { return check_; }
    bool IsRadio() const { return radio_; }
    bool TextWasSet() const { return textSet_; }
    const std::string& GetText() const { return text_; }
    bool ContinuesRouting() const { return continueRouting_; }
    void ResetRouting() { continueRouting_ = false; }

private:
    unsigned id_;
    bool enabled_ = true, enableSet_ = false, radio_ = false, textSet_ = false, continueRouting_ = false;
    int check_ = 0;
    std::string text_;
};

class CmdTarget;

class CommandTable {
public:
    struct Entry {
        unsigned first, last;
        bool update;  // a state handler (with a CmdUI) rather than a command handler
        std::function<void(CmdTarget&, unsigned id, CmdUI* ui)> call;
    };

    CommandTable(const CommandTable* base, std::vector<Entry> entries)
        : base_(base), entries_(std::move(entries)) {}
    // Searches this class's entries, then the base classes'.
    const Entry* Find(unsigned id, bool update) const;

    template <class T>
    static Entry Command(unsigned id, void (T::*fn)()) {
        return {id, id, false, [fn](CmdTarget& t, unsigned, CmdUI*) { (Cast<T>(t).*fn)(); }};
    }
    template <class T>
    static Entry CommandRange(unsigned first, unsigned last, void (T::*fn)(unsigned)) {
        return {first, last, false, [fn](CmdTarget& t, unsigned id, CmdUI*) { (Cast<T>(t).*fn)(id); }};
    }
    template <class T>
    static Entry Update(unsigned id, void (T::*fn)(CmdUI*)) {
        return {id, id, true, [fn](CmdTarget& t, unsigned, CmdUI* ui) { (Cast<T>(t).*fn)(ui); }};
    }
    template <class T>
    static Entry UpdateRange(unsigned first, unsigned last, void (T::*fn)(CmdUI*)) {
        return {first, last, true, [fn](CmdTarget& t, unsigned, CmdUI* ui) { (Cast<T>(t).*fn)(ui); }};
    }

private:
    template <class T>
    static T& Cast(CmdTarget& t) { return dynamic_cast<T&>(t); }

    const CommandTable* base_;
    std::vector<Entry> entries_;
};

class CmdTarget {
public:
    virtual ~CmdTarget() = default;

    // Performs (CN_COMMAND) or queries (CN_UPDATE_COMMAND_UI, with `ui`) the
    // command through this target's table. True when a handler took it. A
    // command that has a handler but no state handler counts as enabled.
    virtual bool OnCmdMsg(unsigned id, int code, CmdUI* ui);

protected:
    // Classes with handlers return a static table chained to their base's.
    virtual const CommandTable* GetCommandTable() const { return nullptr; }
};

}  // namespace plat
