// An undoable operation. Once performed it belongs to the document's action
// queue, which undoes and re-executes it and deletes it when it can no
// longer be reached.
#pragma once

#include <string>

namespace Kor {

class Action {
public:
    virtual ~Action() = default;

    // Does the work; false when there was nothing to do (the action is then
    // dropped, not queued).
    virtual bool Perform() = 0;
    virtual void Undo() = 0;
    // Does the work again after an undo; by default performs it again.
    virtual void Reexecute() { Perform(); }
    // The name shown in "Undo <name>" and "Redo <name>".
    virtual std::string GetName() const = 0;

    // How much performing the action moves the document away from its saved
    // state: 1 for actions that modify it, 0 for those that do not.
    int GetModify() const { return modify_; }
    void SetModify(bool modifies) { modify_ = modifies ? 1 : 0; }

private:
    friend class ActionQueue;
    int modify_ = 1;
};

}  // namespace Kor
