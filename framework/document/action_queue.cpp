#include "framework/document/action_queue.h"

#include "framework/document/action.h"
#include "framework/document/doc.h"

#include <cstdlib>

namespace Kor {

ActionQueue::~ActionQueue() { DeleteAll(); }

bool ActionQueue::Perform(Action* a) {
    if (!a) return false;
    if (!a->Perform()) {
        delete a;
        return false;
    }
    counter_ += a->modify_;
    for (; position_ > 0; --position_) {
        delete actions_.front();
        actions_.pop_front();
    }
    actions_.push_front(a);
    if (actions_.size() > capacity_) {
        delete actions_.back();
        actions_.pop_back();
    }
    return true;
}

void ActionQueue::Undo() {
    if (position_ >= actions_.size()) return;
    Action* a = actions_[position_];
    a->Undo();
    ++position_;
    counter_ -= a->modify_;
    Changed();
}

void ActionQueue::Redo() {
    if (position_ == 0) return;
    Action* a = actions_[position_ - 1];
    a->Reexecute();
    --position_;
    counter_ += a->modify_;
    Changed();
}

Action* ActionQueue::Undoable() const { return position_ < actions_.size() ? actions_[position_] : nullptr; }
Action* ActionQueue::Redoable() const { return position_ > 0 ? actions_[position_ - 1] : nullptr; }

void ActionQueue::NonModified() {
    counter_ = 0;
    // From the saved state, undoing a done action and redoing an undone one
    // both move away from it. Setting the signs (rather than flipping them)
    // keeps this true when the document is saved again.
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        int w = std::abs(actions_[i]->modify_);
        actions_[i]->modify_ = i < position_ ? w : -w;
    }
    Changed();
}

void ActionQueue::Modified() {
    ++counter_;
    Changed();
}

void ActionQueue::SetCapacity(unsigned n) {
    // Done actions go from the oldest end, undone ones from the most recent
    // end, so that the actions next to the current state remain in order.
    while (actions_.size() > n) {
        if (actions_.size() > position_) {
            delete actions_.back();
            actions_.pop_back();
        } else {
            delete actions_.front();
            actions_.pop_front();
            --position_;
        }
    }
    capacity_ = n;
    if (position_ > n) position_ = n;
}

void ActionQueue::Clear() {
    DeleteAll();
    Changed();
}

void ActionQueue::Reset() {
    DeleteAll();
    counter_ = 0;
    Changed();
}

void ActionQueue::DeleteAll() {
    for (Action* a : actions_) delete a;
    actions_.clear();
    position_ = 0;
}

void ActionQueue::Changed() {
    Doc::ActionsChange e(&doc_);
    doc_.Dispatch(e);
}

}  // namespace Kor
