// Accelerator tables: key combinations that send commands. The resource
// form is a text, one entry a line: the keys and the command number, such
// as "Ctrl+C 57634", "Shift+Delete 57635", "H 60001", "F6 57680".
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace plat {

enum : unsigned { FSHIFT = 0x04, FCONTROL = 0x08, FALT = 0x10 };

struct Accel {
    unsigned modifiers;  // FSHIFT | FCONTROL | FALT
    unsigned key;        // virtual-key code
    unsigned command;
};

class AccelTable {
public:
    void Add(unsigned modifiers, unsigned key, unsigned command) { entries_.push_back({modifiers, key, command}); }
    const std::vector<Accel>& Entries() const { return entries_; }
    // The command of the first entry that matches exactly, or 0.
    unsigned Translate(unsigned key, bool shift, bool ctrl, bool alt) const;

    // Null when a line is malformed.
    static std::unique_ptr<AccelTable> Parse(const std::string& text);
    static std::unique_ptr<AccelTable> FromResource(const std::string& name);  // "NAME.accel"
    // "Ctrl+Shift+Z" -> modifiers and key; false for unknown names.
    static bool ParseKey(const std::string& name, unsigned& modifiers, unsigned& key);
    // Keys that type a character when pressed without Ctrl or Alt.
    static bool TypesText(unsigned key);

private:
    std::vector<Accel> entries_;
};

}  // namespace plat
