// The document of a Korvane application: a file name (full path; empty for
// none, which makes the document empty), an undo history and a selection.
// It announces its changes as events to its listeners and takes commands
// from the routing (the application's document adds handlers).
#pragma once

#include "framework/document/action_queue.h"
#include "framework/document/selection.h"
#include "framework/events/event.h"
#include "framework/events/event_dispatcher.h"
#include "platform/cmd_target.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace Kor {

class Action;

class Doc : public EventDispatcher, public plat::CmdTarget {
public:
    class Event : public Kor::Event {
    public:
        explicit Event(Doc* d) : doc(d) {}
        Doc* doc;
    };
    class FileNameChange : public Event {
    public:
        using Event::Event;
    };
    class SelectionChange : public Event {
    public:
        using Event::Event;
    };
    class ActionsChange : public Event {
    public:
        using Event::Event;
    };

    Doc();
    ~Doc() override;
    Doc(const Doc&) = delete;
    Doc& operator=(const Doc&) = delete;

    virtual bool IsEmpty() const;
    virtual std::string GetFileName();
    virtual bool IsModified() const;
    virtual void New();
    // Reads the file (DoOpen) under the activity "opening document", drops
    // the undo history and takes the file's name. The document may be open
    // already: DoOpen replaces its content, and an exception (which leaves
    // the activity for the error report) leaves it as it was.
    virtual void Open(const std::string& path, int filterIndex);
    virtual bool CanClose();
    virtual void Close();
    virtual void Save();
    virtual void SaveAs(const std::string& path);

    ActionQueue& GetActions() { return actions_; }
    const ActionQueue& GetActions() const { return actions_; }
    // Performs the action through the history and tells the listeners.
    bool Perform(Action* a);
    const boost::shared_ptr<Selection>& GetSelection() const { return selection_; }
    // Null means nothing selected. A selection equal to the current one is
    // deleted; otherwise it becomes current (the document owns it).
    void SetSelection(Selection* s);

protected:
    // A non-empty name is made a full path first.
    virtual void SetFileName(std::string name);
    virtual void SaveTo(const std::string& path);
    // Reads the file into the document, replacing what it holds; throws,
    // having changed nothing, when the file cannot be used.
    virtual void DoOpen(const std::string& path, int filterIndex) {
        (void)path;
        (void)filterIndex;
    }
    virtual void DoSave(const std::string& path) { (void)path; }
    virtual void SelectionChanged();

private:
    ActionQueue actions_;
    std::string fileName_;
    boost::shared_ptr<Selection> selection_;
};

}  // namespace Kor
