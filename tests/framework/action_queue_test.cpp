// The undo history: positions, capacity and the modified state across saves.
#include "tests/framework/app_fixture.h"

namespace kortest {
namespace {

using namespace Kor;

// A document whose history changes a counter; events are counted.
class QueueTest : public ::testing::Test, public EventListener {
protected:
    QueueTest() { doc.AddListener(this); }
    ~QueueTest() override { doc.RemoveListener(this); }
    void ProcessEvent(Event& e) override {
        if (dynamic_cast<Doc::ActionsChange*>(&e)) ++changes;
    }
    bool Add(int step) { return doc.Perform(new AddAction(value, step, std::to_string(step))); }

    MemoryDoc doc;
    ActionQueue& q = doc.GetActions();
    int value = 0;
    int changes = 0;
};

TEST_F(QueueTest, ActionsThatDoNothingAreNotKept) {
    EXPECT_FALSE(Add(0));
    EXPECT_TRUE(q.Empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(Add(1));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(changes, 1);  // the document told its listeners
}

TEST_F(QueueTest, UndoAfterSaveModifiesAndRedoReturnsToTheSavedState) {
    Add(1);
    Add(2);
    doc.Save();
    EXPECT_FALSE(doc.IsModified());
    q.Undo();
    EXPECT_EQ(value, 1);
    EXPECT_TRUE(doc.IsModified());
    q.Redo();
    EXPECT_EQ(value, 3);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(QueueTest, SavingAgainKeepsUndoAndRedoHonest) {
    Add(1);
    Add(2);
    doc.Save();
    doc.Save();  // nothing changed in between
    q.Undo();
    EXPECT_TRUE(doc.IsModified()) << "undoing past the saved state must show a modification";
    q.Redo();
    EXPECT_FALSE(doc.IsModified());

    // Saved while an action is undone: redoing it modifies again.
    q.Undo();
    doc.Save();
    q.Redo();
    EXPECT_TRUE(doc.IsModified());
    q.Undo();
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(QueueTest, ANewActionAfterTwoUndosDropsThem) {
    Add(1);
    Add(2);
    Add(4);
    q.Undo();
    q.Undo();
    EXPECT_EQ(q.Position(), 2u);
    EXPECT_EQ(value, 1);
    Add(8);
    EXPECT_EQ(q.Size(), 2u);
    EXPECT_EQ(q.Position(), 0u);
    EXPECT_EQ(q[0]->GetName(), "8");
    EXPECT_EQ(q[1]->GetName(), "1");
    EXPECT_EQ(q.Redoable(), nullptr);
    EXPECT_EQ(value, 9);
}

TEST_F(QueueTest, CapacityDropsTheOldest) {
    EXPECT_EQ(q.Capacity(), 10u);
    for (int i = 1; i <= 11; ++i) Add(i);
    EXPECT_EQ(q.Size(), 10u);
    EXPECT_EQ(q[9]->GetName(), "2");
}

TEST_F(QueueTest, ShrinkingKeepsWhatLiesNextToTheCurrentState) {
    for (int i = 1; i <= 8; ++i) Add(1 << i);  // 2 .. 256
    for (int i = 0; i < 5; ++i) q.Undo();       // 256 .. 16 undone
    EXPECT_EQ(value, 2 + 4 + 8);
    q.SetCapacity(3);
    EXPECT_EQ(q.Size(), 3u);
    EXPECT_EQ(q.Position(), 3u);
    EXPECT_EQ(q.Capacity(), 3u);
    // The redo order goes on where it was: 16, 32, 64.
    q.Redo();
    EXPECT_EQ(value, 2 + 4 + 8 + 16);
    q.Redo();
    q.Redo();
    EXPECT_EQ(value, 126);
    EXPECT_EQ(q.Redoable(), nullptr);
    // No done action was left to undo below them.
    for (int i = 0; i < 3; ++i) q.Undo();
    EXPECT_EQ(q.Undoable(), nullptr);
    EXPECT_EQ(value, 14);
}

TEST_F(QueueTest, ClosingForgetsTheHistory) {
    Add(1);
    q.Modified();
    doc.Close();
    EXPECT_TRUE(q.Empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(QueueTest, ActionsThatDoNotModifyLeaveTheStateAlone) {
    auto* a = new AddAction(value, 5);
    a->SetModify(false);
    doc.Perform(a);
    EXPECT_FALSE(doc.IsModified());
    q.Undo();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(value, 0);
}

// --- Selections ---

class Pick : public Selection {
public:
    explicit Pick(int i) : item(i) {}
    bool Equals(const Selection& o) const override {
        auto* p = dynamic_cast<const Pick*>(&o);
        return p && p->item == item;
    }
    int item;
};

TEST_F(QueueTest, ASelectionEqualToTheCurrentOneIsDropped) {
    int selectionChanges = 0;
    struct Counter : EventListener {
        int& n;
        explicit Counter(int& c) : n(c) {}
        void ProcessEvent(Event& e) override { n += dynamic_cast<Doc::SelectionChange*>(&e) ? 1 : 0; }
    } counter(selectionChanges);
    doc.AddListener(&counter);
    EXPECT_TRUE(dynamic_cast<NullSelection*>(doc.GetSelection().get()));
    doc.SetSelection(nullptr);
    EXPECT_EQ(selectionChanges, 0);
    doc.SetSelection(new Pick(1));
    boost::shared_ptr<Selection> first = doc.GetSelection();
    EXPECT_EQ(first->GetDoc(), &doc);
    doc.SetSelection(new Pick(1));
    EXPECT_EQ(doc.GetSelection(), first);
    EXPECT_EQ(selectionChanges, 1);
    doc.SetSelection(nullptr);
    EXPECT_EQ(first->GetDoc(), nullptr);
    EXPECT_EQ(selectionChanges, 2);
    doc.RemoveListener(&counter);
}

}  // namespace
}  // namespace kortest
