#include "app/doc.h"

#include "app/doc_strings.h"
#include "app/grand_building.h"
#include "contour/import_contour.h"
#include "fitting/param_checks.h"
#include "fitting/pin_rules.h"
#include "fitting/text_formats.h"
#include "fitting/thread_pool.h"
#include "framework/app/app_base.h"
#include "framework/clipboard/clipboard.h"
#include "framework/fault/fault_guard.h"
#include "framework/frame/frame.h"
#include "platform/app.h"
#include "platform/cmd_target.h"
#include "platform/message_box.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// What the system can still give without swapping: MemAvailable of
// /proc/meminfo. Linux over-commits, so an allocation past it does not
// fail; the out-of-memory killer ends the process later instead. Without
// the figure, nothing is refused.
std::uint64_t SystemAvailableMemory() {
    std::ifstream in("/proc/meminfo");
    std::string key;
    std::uint64_t kib = 0;
    std::string unit;
    while (in >> key >> kib) {
        std::getline(in, unit);
        if (key == "MemAvailable:") return kib * 1024;
    }
    return UINT64_MAX;
}

bool SameParams(const outline::grand_params<float>& a, const outline::grand_params<float>& b) {
    return a.sharp_bend_penalty == b.sharp_bend_penalty && a.estimation == b.estimation &&
           a.estimation_max_iterations == b.estimation_max_iterations &&
           a.estimation_stop_mean_discrepancy == b.estimation_stop_mean_discrepancy &&
           a.estimation_oversample_factor == b.estimation_oversample_factor &&
           a.rendering_same_as_estimation == b.rendering_same_as_estimation &&
           a.rendering_max_iterations == b.rendering_max_iterations &&
           a.rendering_stop_mean_discrepancy == b.rendering_stop_mean_discrepancy &&
           a.rendering_oversample_factor == b.rendering_oversample_factor &&
           a.fit_whole_poly_bezier == b.fit_whole_poly_bezier && a.max_junctions == b.max_junctions &&
           a.junction_penalty == b.junction_penalty;
}

// Marks a build as running while it lives, also when it ends by an exception.
class EstimatingFlag {
public:
    explicit EstimatingFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~EstimatingFlag() { flag_ = false; }
    EstimatingFlag(const EstimatingFlag&) = delete;
    EstimatingFlag& operator=(const EstimatingFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace

Doc::Doc() : session_(std::make_unique<outline::fitting_session>()), availableMemory_(SystemAvailableMemory) {
    session_->set_params(params_);
    // A processor fault in a piece fit on one of the engine's threads comes
    // back as an exception from the step, instead of ending the program.
    outline::thread_pool::shared().set_guard(Kor::GuardFaults);
}

Doc::~Doc() = default;

const std::vector<outline::node>& Doc::GetPolyline() const { return session_->outline(); }

// --- Parameters ---

void Doc::SetParams(const Params& params) { TrySetParams(params); }

bool Doc::TrySetParams(const Params& params) {
    if (!outline::param_problems(params).empty()) return false;
    if (SameParams(params, params_)) return true;
    params_ = params;
    built_ = false;
    if (estimating_) {
        // The builder belongs to the build thread now: the parameters reach
        // the session and the curve once the build is over.
        paramsChangedInBuild_ = true;
        RaisePolyBezierChange();
        return true;
    }
    session_->set_params(params_);
    RenderCurve(false);
    return true;
}

// --- Information ---

unsigned Doc::GetJunctionCount() const { return controlPoints_.empty() ? 0 : unsigned(controlPoints_.size() - 1) / 3; }

unsigned Doc::GetTotalLength() const { return unsigned(GetPolyline().size()); }

unsigned Doc::GetEstimatedLength() const { return estimating_ ? estimatedLengthCopy_ : session_->estimated_length(); }

bool Doc::HasAreas() const { return !areas_.empty(); }

bool Doc::HasCurve() const { return !controlPoints_.empty(); }

bool Doc::IsPristine() const { return controlPoints_.empty() && GetEstimatedLength() == 3; }

// --- Import and close ---

void Doc::DoOpen(const std::string& path, int) {
    if (estimating_) throw std::runtime_error(docstr::kBuildRunning);
    // Everything that can fail happens on locals.
    const img::imported_contour imported = img::import_contour(path);
    auto session = std::make_unique<outline::fitting_session>();
    session->set_outline(imported.polyline);
    session->set_params(params_);
    std::vector<outline::area> noAreas;
    std::vector<outline::real_point> noCurve;

    // The commit: nothing below until the events can throw.
    session_.swap(session);
    areas_.swap(noAreas);
    controlPoints_.swap(noCurve);
    bitmapWidth_ = imported.width;
    bitmapHeight_ = imported.height;
    estimatedDiscrepancy_ = 0;
    built_ = false;

    RaisePolyBezierChange();
    RaiseAreasChange();
    if (imported.contour_count > 1) Message(docstr::kFirstClosedContour);
}

void Doc::Close() {
    if (estimating_) return;
    built_ = false;
    // A fresh session: no polyline, no guided search. The pins and the curve
    // stay until the next import replaces them.
    auto session = std::make_unique<outline::fitting_session>();
    session->set_params(params_);
    session_.swap(session);
    bitmapWidth_ = bitmapHeight_ = 0;
    Kor::Doc::Close();
}

bool Doc::CanClose() { return !estimating_ && Kor::Doc::CanClose(); }

// --- Pins ---

bool Doc::AddArea(outline::real_point centre, float radius, bool smooth) {
    std::string refusal;
    const bool added = InsertArea(centre, radius, smooth, refusal);
    if (!refusal.empty()) Message(refusal);
    return added;
}

bool Doc::InsertArea(outline::real_point centre, float radius, bool smooth, std::string& refusal) {
    if (estimating_) return false;
    // A circle that is not finite holds no node it can name; a negative
    // radius (a pasted text) means the same circle as its size.
    const bool finite = std::isfinite(centre.x) && std::isfinite(centre.y) && std::isfinite(radius);
    const outline::add_area_result result =
        finite ? session_->add_pin(centre, std::fabs(radius), smooth) : outline::add_area_result::no_nodes;
    if (result != outline::add_area_result::added) {
        refusal = outline::add_area_message(result);
        return false;
    }
    areas_ = session_->pins();
    built_ = false;
    RaiseAreasChange();
    return true;
}

void Doc::ClearAreas() {
    if (estimating_) return;
    session_->clear_pins();
    std::vector<outline::area>().swap(areas_);
    built_ = false;
    RaiseAreasChange();
}

std::string Doc::AreasText() const { return outline::pins_text(areas_); }

void Doc::CopyAreas() { Kor::ClipboardCopy(AreasText()); }

unsigned Doc::PasteAreasText(const std::string& text) {
    if (estimating_) return 0;
    // One message box for the whole paste, however many pins are refused:
    // the first refusal's reason, and how many there were when more than one.
    unsigned added = 0, refused = 0;
    std::string first;
    for (const outline::pin_record& r : outline::read_pins_text(text)) {
        std::string refusal;
        if (InsertArea({r.x, r.y}, r.radius, r.smooth, refusal))
            ++added;
        else if (!refusal.empty() && refused++ == 0)
            first = refusal;
    }
    if (refused == 1)
        Message(first);
    else if (refused > 1)
        Message(first + "\n\n" + std::to_string(refused) + docstr::kPinsRefused);
    return added;
}

void Doc::PasteAreas() {
    std::string text;
    Kor::ClipboardPaste(text);
    PasteAreasText(text);
}

// --- The curve ---

void Doc::ClearCurve() {
    if (estimating_) return;
    session_->clear_estimates();
    std::vector<outline::real_point>().swap(controlPoints_);
    estimatedDiscrepancy_ = 0;
    built_ = false;
    RaisePolyBezierChange();
}

std::string Doc::ControlPointsText() const { return outline::control_points_text(controlPoints_); }

void Doc::CopyControlPoints() {
    std::string text;
    {
        plat::WaitCursor wait;
        text = ControlPointsText();
    }
    Kor::ClipboardCopy(text);
}

std::uint64_t Doc::EstimationMemoryNeeded() const {
    const std::uint64_t n = session_->node_count();
    if (n < 3) return 0;
    // Every start node keeps one estimate per piece length 4 .. N + 1.
    const std::uint64_t whole = n * (n - 2) * sizeof(outline::piece_estimate);
    const std::uint64_t held = n * (session_->estimated_length() - 3) * sizeof(outline::piece_estimate);
    return whole > held ? whole - held : 0;
}

bool Doc::Estimate() {
    if (!params_.estimation || session_->estimation_complete()) {
        built_ = true;
        return true;
    }
    if (EstimationMemoryNeeded() > availableMemory_()) {
        lastOutcome_ = BuildOutcome::NotEnoughMemory;
        Message(docstr::kNotEnoughMemory);
        return false;
    }
    GrandBuilding::Outcome outcome;
    {
        EstimatingFlag flag(estimating_);
        estimatedLengthCopy_ = session_->estimated_length();
        paramsChangedInBuild_ = false;
        GrandBuilding building(*session_, DialogParent(), stepHook_);
        outcome = building.Execute([this](unsigned length) {
            estimatedLengthCopy_ = length;
            PropertiesChanged();
        });
    }  // the worker is joined here
    if (paramsChangedInBuild_) session_->set_params(params_);
    switch (outcome) {
        case GrandBuilding::Outcome::Complete:
            lastOutcome_ = BuildOutcome::Complete;
            // Parameters changed during the build leave the curve to build again.
            built_ = !paramsChangedInBuild_;
            return true;
        case GrandBuilding::Outcome::Cancelled:
            lastOutcome_ = BuildOutcome::Cancelled;
            built_ = false;
            return true;
        case GrandBuilding::Outcome::Failed:
            // The details went to the log; the user hears of it once.
            lastOutcome_ = BuildOutcome::Failed;
            built_ = false;
            Message(docstr::kEstimationFailed);
            return true;
        case GrandBuilding::Outcome::NotEnoughMemory:
            break;
    }
    lastOutcome_ = BuildOutcome::NotEnoughMemory;
    built_ = false;
    Message(docstr::kNotEnoughMemory);
    RaisePolyBezierChange();
    return false;
}

void Doc::Build() {
    if (estimating_ || GetPolyline().empty()) return;
    lastOutcome_ = BuildOutcome::None;
    // An exception leaves the activity for the error report.
    Kor::BeginActivity(docstr::kBuilding);
    session_->set_params(params_);
    if (!areas_.empty()) {
        {
            plat::WaitCursor wait;
            session_->prepare();
        }
        built_ = true;
        RenderCurve(true);
    } else {
        {
            plat::WaitCursor wait;
            session_->prepare();
        }
        // No wait cursor while the progress dialog is up: Cancel must look
        // clickable. After a failed step the user has heard of it already.
        if (Estimate()) RenderCurve(lastOutcome_ != BuildOutcome::Failed);
    }
    Kor::EndActivity();
}

void Doc::Render() {
    // While estimating, the build renders once it is over.
    if (estimating_) return;
    RenderCurve(false);
}

void Doc::RenderCurve(bool explicitBuild) {
    outline::fitted_curve curve;
    {
        plat::WaitCursor wait;
        session_->set_params(params_);
        curve = session_->render();  // with pins, fits the candidate pieces first if need be
    }
    const bool found = curve.is_curve();
    if (found) {
        controlPoints_.swap(curve.control_points);
        estimatedDiscrepancy_ = curve.discrepancy;
        if (!areas_.empty() || !params_.estimation) built_ = true;
    } else {
        // No curve is no result: nothing to show, nothing built.
        std::vector<outline::real_point>().swap(controlPoints_);
        estimatedDiscrepancy_ = 0;
        built_ = false;
    }
    RaisePolyBezierChange();
    if (explicitBuild && !found) Message(NoCurveText());
}

std::string Doc::NoCurveText() const {
    std::ostringstream text;
    text << docstr::kNoCurve << " with these parameters:";
    if (!areas_.empty()) {
        text << "\n" << areas_.size() << (areas_.size() == 1 ? " pin" : " pins");
    } else {
        text << "\n" << docstr::kMaxJunctions << ": " << params_.max_junctions;
        if (!params_.estimation)
            text << "\n" << docstr::kEstimation << ": off";
        else if (session_->estimated_length() < 5)
            text << "\n"
                 << docstr::kEstimatedLength << ": " << session_->estimated_length()
                 << " (the estimation must reach 5 at least)";
    }
    text << "\n" << docstr::kTotalLength << ": " << GetTotalLength();
    return text.str();
}

// --- Commands ---

const plat::CommandTable* Doc::GetCommandTable() const {
    using T = plat::CommandTable;
    static const T table(nullptr, {
                                      T::Command(ID_POLYBEZIER_COPY, &Doc::OnPolyBezierCopy),
                                      T::Command(ID_POLYBEZIER_CLEAR, &Doc::OnPolyBezierClear),
                                      T::Command(ID_POLYBEZIER_BUILD, &Doc::OnPolyBezierBuild),
                                      T::Command(ID_PINS_CLEAR, &Doc::OnPinsClear),
                                      T::Command(ID_PINS_COPY, &Doc::OnPinsCopy),
                                      T::Command(ID_PINS_PASTE, &Doc::OnPinsPaste),
                                      T::Update(ID_POLYBEZIER_COPY, &Doc::OnUpdatePolyBezierCopy),
                                      T::Update(ID_POLYBEZIER_CLEAR, &Doc::OnUpdatePolyBezierClear),
                                      T::Update(ID_POLYBEZIER_BUILD, &Doc::OnUpdatePolyBezierBuild),
                                      T::Update(ID_PINS_CLEAR, &Doc::OnUpdatePinsClear),
                                      T::Update(ID_PINS_COPY, &Doc::OnUpdatePinsCopy),
                                      T::Update(ID_PINS_PASTE, &Doc::OnUpdatePinsPaste),
                                  });
    return &table;
}

void Doc::OnPolyBezierCopy() { CopyControlPoints(); }
void Doc::OnPolyBezierClear() { ClearCurve(); }
void Doc::OnPolyBezierBuild() { Build(); }
void Doc::OnPinsClear() { ClearAreas(); }
void Doc::OnPinsCopy() { CopyAreas(); }
void Doc::OnPinsPaste() { PasteAreas(); }

void Doc::OnUpdatePolyBezierCopy(plat::CmdUI* ui) { ui->Enable(!estimating_ && HasCurve()); }
void Doc::OnUpdatePolyBezierClear(plat::CmdUI* ui) { ui->Enable(!estimating_ && HasCurve()); }
void Doc::OnUpdatePolyBezierBuild(plat::CmdUI* ui) { ui->Enable(!estimating_ && !IsEmpty() && !built_); }
void Doc::OnUpdatePinsClear(plat::CmdUI* ui) { ui->Enable(!estimating_ && HasAreas()); }
void Doc::OnUpdatePinsCopy(plat::CmdUI* ui) { ui->Enable(!estimating_ && HasAreas()); }
void Doc::OnUpdatePinsPaste(plat::CmdUI* ui) { ui->Enable(!estimating_ && !IsEmpty() && Kor::IsClipboardPasteReady()); }

// --- Events and messages ---

void Doc::RaisePolyBezierChange() {
    PolyBezierChange e(this);
    Dispatch(e);
    PropertiesChanged();
}

void Doc::RaiseAreasChange() {
    AreasChange e(this);
    Dispatch(e);
    PropertiesChanged();
}

plat::Wnd* Doc::DialogParent() const {
    Kor::AppBase* app = Kor::GetApp();
    return app && app->HasFrame() ? &app->GetFrame() : nullptr;
}

void Doc::Message(const std::string& text) const {
    plat::MessageBox(DialogParent(), text, std::string(), plat::MB_OK | plat::MB_ICONINFORMATION);
}
