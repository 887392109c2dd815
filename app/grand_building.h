// The estimation of a Build without pins, on a worker thread, behind a
// progress dialog with a Cancel button.
//
// The worker runs exactly one estimation step of the fitting session per
// request; the user-interface thread waits for each step while pumping its
// messages (the windows repaint, Cancel can be clicked), advances the
// progress by one and decides whether to ask for the next. A step is never
// interrupted, so the session is consistent whenever Execute returns, and a
// later Build goes on from the reached length.
//
// The session is touched by the worker only between a request and the end
// of that step, and by the user-interface thread only before the first
// step and after the worker has been joined; between the steps the worker
// reports the reached length itself.
#pragma once

#include "app/build_thread.h"
#include "fitting/fitting_session.h"
#include "framework/progress/progress_dlg.h"

#include <atomic>
#include <functional>
#include <string>

namespace plat {
class Wnd;
}

class GrandBuilding : public mswin::synchronizable_thread {
public:
    enum class Outcome {
        Complete,         // the estimation covers the whole polyline
        Cancelled,        // the user cancelled
        Failed,           // a step ended by an error or a processor fault
        NotEnoughMemory,  // a step could not have its memory (it changed nothing)
    };

    // Starts the worker, then shows the progress dialog "Estimating..." for
    // `parent` (disabled while the dialog is up). Throws std::runtime_error
    // when the thread cannot be made; no dialog is shown then. `stepHook`
    // (for tests) runs on the worker at the start of every step.
    GrandBuilding(outline::fitting_session& builder, plat::Wnd* parent, std::function<void()> stepHook = {});
    // Stops the worker and waits for it before the dialog goes.
    ~GrandBuilding() override;

    // Runs the estimation up to the whole polyline or until the user
    // cancels or a step fails. `stepped`, when given, is told the reached
    // length after every step (on the user-interface thread, the worker
    // idle).
    Outcome Execute(const std::function<void(unsigned length)>& stepped = {});

    // The text of the failure of a step (after Execute gave Failed).
    const std::string& FailureText() const { return failure_; }
    Kor::ProgressDlg& GetProgress() { return progress; }

protected:
    void step() override;
    void error(const std::string& message) override;

private:
    outline::fitting_session* builder;  // the document's; not owned
    Kor::ProgressDlg progress;
    std::function<void()> stepHook_;
    std::atomic<bool> noMemory_{false};
    std::atomic<unsigned> reached_{0};  // L after the last step, as the worker read it
    std::string failure_;               // written by the worker as it ends; read after
};
