#include "app/grand_building.h"

#include "app/doc_strings.h"
#include "platform/app.h"

#include <chrono>
#include <thread>

GrandBuilding::GrandBuilding(outline::fitting_session& b, plat::Wnd* parent, std::function<void()> stepHook)
    : builder(&b), stepHook_(std::move(stepHook)) {
    resume();  // throws before the dialog exists when the thread cannot be made
    try {
        progress.Create(parent, true);
        progress.SetText(docstr::kEstimating);
    } catch (...) {
        // No destructor of this class runs: the worker must be gone first.
        RequestStop();
        join();
        throw;
    }
}

GrandBuilding::~GrandBuilding() {
    RequestStop();
    join();
}

GrandBuilding::Outcome GrandBuilding::Execute(const std::function<void(unsigned)>& stepped) {
    // Read before the first step; from then on the builder is the worker's
    // until the join, and the length comes from what the worker reports.
    const unsigned full = builder->full_length();
    unsigned length = builder->estimated_length();
    reached_ = length;
    progress.Reset(full, length);
    plat::App* app = plat::App::Instance();
    while (length < full) {
        const unsigned target = RequestStep();
        if (app)
            app->PumpWhileWaiting([&] { return StepFinished(target); });
        else
            while (!StepFinished(target)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (StepsFinished() < target) {
            // The worker ended inside the step: its failure is reported by
            // error() before the thread ends, so it is there to read.
            join();
            return Outcome::Failed;
        }
        const unsigned reached = reached_.load();
        // A step that could not have its memory changes nothing; asking
        // again would loop for ever.
        if (noMemory_ || reached <= length) return Outcome::NotEnoughMemory;
        length = reached;
        if (stepped) stepped(length);
        if (!progress.Increment()) return length >= full ? Outcome::Complete : Outcome::Cancelled;
    }
    return Outcome::Complete;
}

void GrandBuilding::step() {
    if (stepHook_) stepHook_();
    if (builder->estimation_step() == outline::step_outcome::not_enough_memory) noMemory_ = true;
    reached_ = builder->estimated_length();
}

void GrandBuilding::error(const std::string& message) {
    failure_ = message;
    mswin::synchronizable_thread::error(message);
}
