// The undo history of a document: performed actions, most recent first, of
// which the `Position()` most recent are currently undone (and can be
// redone). A modification counter tells how far the document is from its
// saved state: above 0 means modified.
#pragma once

#include <deque>

namespace Kor {

class Action;
class Doc;

class ActionQueue {
public:
    explicit ActionQueue(Doc& doc, unsigned capacity = 10) : capacity_(capacity), doc_(doc) {}
    ~ActionQueue();
    ActionQueue(const ActionQueue&) = delete;
    ActionQueue& operator=(const ActionQueue&) = delete;

    // Performs `a` and takes it. An action that did nothing is deleted and
    // gives false. Otherwise the undone actions are dropped, `a` becomes the
    // most recent one and the oldest beyond the capacity goes. No event.
    bool Perform(Action* a);
    void Undo();
    void Redo();
    // What Undo / Redo would use, or null.
    Action* Undoable() const;
    Action* Redoable() const;

    // The document was saved: this state is the unmodified one.
    void NonModified();
    // A change outside the history modified the document.
    void Modified();
    bool IsModified() const { return counter_ > 0; }
    int GetModificationCounter() const { return counter_; }

    // Keeps at most `n` actions: those nearest to the current state, so that
    // what stays can still be undone and redone in order.
    void SetCapacity(unsigned n);
    // Deletes every action (the counter stays).
    void Clear();
    // Deletes every action and forgets the modification (a closed document).
    void Reset();

    unsigned Size() const { return unsigned(actions_.size()); }
    unsigned Capacity() const { return capacity_; }
    unsigned Position() const { return position_; }
    bool Empty() const { return actions_.empty(); }
    Action* operator[](int i) const { return actions_[std::size_t(i)]; }  // 0 = most recent

private:
    void DeleteAll();
    void Changed();

    unsigned capacity_;
    std::deque<Action*> actions_;  // actions_[0]: the most recent
    unsigned position_ = 0;        // actions_[0 .. position_-1] are undone
    int counter_ = 0;
    Doc& doc_;
};

}  // namespace Kor
