#include "app/doc.h"

#include "fitting/text_formats.h"
#include "platform/cmd_target.h"

Doc::Doc() {}

Doc::~Doc() {}

const std::vector<outline::node>& Doc::GetPolyline() const { return session_.outline(); }

const std::vector<outline::area>& Doc::GetAreas() const { return session_.pins(); }

void Doc::SetParams(const Params& params) { TrySetParams(params); }

bool Doc::TrySetParams(const Params& params) {
    params_ = params;
    return true;
}

unsigned Doc::GetJunctionCount() const { return controlPoints_.empty() ? 0 : unsigned(controlPoints_.size() - 1) / 3; }

unsigned Doc::GetTotalLength() const { return unsigned(GetPolyline().size()); }

unsigned Doc::GetEstimatedLength() const { return estimating_ ? estimatedLengthCopy_ : session_.estimated_length(); }

bool Doc::HasAreas() const { return !GetAreas().empty(); }

bool Doc::HasCurve() const { return !controlPoints_.empty(); }

bool Doc::IsPristine() const { return controlPoints_.empty() && GetEstimatedLength() == 3; }

void Doc::Close() { Kor::Doc::Close(); }

bool Doc::CanClose() { return !estimating_ && Kor::Doc::CanClose(); }

bool Doc::AddArea(outline::real_point, float, bool) { return false; }

void Doc::ClearAreas() {}

void Doc::CopyAreas() {}

void Doc::PasteAreas() {}

unsigned Doc::PasteAreasText(const std::string&) { return 0; }

std::string Doc::AreasText() const { return outline::pins_text(GetAreas()); }

void Doc::ClearCurve() {}

void Doc::CopyControlPoints() {}

std::string Doc::ControlPointsText() const { return outline::control_points_text(controlPoints_); }

void Doc::Build() {}

void Doc::Render() {}

std::uint64_t Doc::EstimationMemoryNeeded() const { return 0; }

void Doc::DoOpen(const std::string&, int) {}

const plat::CommandTable* Doc::GetCommandTable() const { return nullptr; }

void Doc::RaisePolyBezierChange() {
    PolyBezierChange e(this);
    Dispatch(e);
}

void Doc::RaiseAreasChange() {
    AreasChange e(this);
    Dispatch(e);
}

plat::Wnd* Doc::DialogParent() const { return nullptr; }
