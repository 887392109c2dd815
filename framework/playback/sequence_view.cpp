#include "framework/playback/sequence_view.h"

#include "framework/views/mask_image.h"

#include <algorithm>
#include <cmath>

namespace Kor {

namespace {
const plat::Color kSet(0, 0, 0), kClear(255, 255, 255);
}  // namespace

SequenceView::SequenceView() = default;

SequenceView::~SequenceView() {
    if (ticking_ && Exists()) KillTimer(kPlayTimer);
    ticking_ = false;
}

void SequenceView::SetSequence(Sequence* sequence) {
    SetPlayMode(PLAY_PAUSED);
    sequence_ = sequence;
    SequenceChanged();
}

void SequenceView::SequenceChanged() {
    const img::bitmap* mask = GetShownMask();
    float w = mask ? float(mask->width()) : 0.f, h = mask ? float(mask->height()) : 0.f;
    if (GetWorkbenchSize() != types::extent<float>(w, h)) SetWorkbenchSize(w, h);
    if (Exists()) InvalidateAll(false);
    if (GetPlayMode() != shownMode_) SendPlayModeChange();
}

unsigned SequenceView::TickPeriod(float rate) {
    if (!std::isfinite(rate) || !(rate > 0)) return 0;
    double period = std::trunc(1000.0 / double(rate));
    return unsigned(std::clamp(period, double(kMinPeriod), double(kMaxPeriod)));
}

void SequenceView::SetFrameRate(float rate) {
    if (rate == rate_ || (std::isnan(rate) && std::isnan(rate_))) return;
    rate_ = rate;
    if (!IsPlaying()) return;
    if (!CanPlay()) return SetPlayMode(PLAY_PAUSED);
    // The tick starts again at the new period.
    StopPlaying();
    StartPlaying();
}

void SequenceView::StartPlaying() {
    if (ticking_) return;
    unsigned period = TickPeriod(rate_);
    if (period == 0 || !Exists()) return;
    period_ = period;
    SetTimer(kPlayTimer, period_);
    ticking_ = true;
    SendPlayModeChange();
}

void SequenceView::StopPlaying() {
    if (ticking_ && Exists()) KillTimer(kPlayTimer);
    ticking_ = false;
    SendPlayModeChange();
}

void SequenceView::OnTimer(unsigned id) {
    if (id == kPlayTimer) {
        PlayMode before = GetPlayMode();
        TimeStep();
        if (GetPlayMode() != before) SendPlayModeChange();
        return;
    }
    ZoomView::OnTimer(id);
}

void SequenceView::OnDestroy() {
    if (ticking_) KillTimer(kPlayTimer);
    ticking_ = false;
    ZoomView::OnDestroy();
}

void SequenceView::SendPlayModeChange() {
    shownMode_ = GetPlayMode();
    PlayModeChange e(this);
    Dispatch(e);
}

const img::bitmap* SequenceView::GetShownMask() {
    Sequence& s = GetSequence();
    if (s.IsEmpty()) return nullptr;
    return s.GetFrameMask(s.GetPlayFrame());
}

void SequenceView::DrawSheet(CDC* dc, const CRect& rect) {
    const img::bitmap* mask = GetShownMask();
    if (!mask) return ZoomView::DrawSheet(dc, rect);
    // Only the mask pixels the rectangle shows, each scaled to its place.
    types::rect<float> d = ToDocument(rect);
    CRect region(int(std::max(std::floor(double(d.left)) - 1, -1.0)),
                 int(std::max(std::floor(double(d.top)) - 1, -1.0)),
                 int(std::min(std::ceil(double(d.right)) + 1, double(mask->width()))),
                 int(std::min(std::ceil(double(d.bottom)) + 1, double(mask->height()))));
    region = region.Intersection(CRect(0, 0, int(mask->width()), int(mask->height())));
    plat::Bitmap picture = MaskRegionBitmap(*mask, region, kSet, kClear);
    if (picture.IsNull()) return ZoomView::DrawSheet(dc, rect);
    CRect to =
        ToWindow(types::rect<float>(float(region.left), float(region.top), float(region.right), float(region.bottom)));
    dc->StretchBlt(to.left, to.top, to.Width(), to.Height(), picture, 0, 0, picture.Width(), picture.Height());
}

const plat::CommandTable* SequenceView::GetCommandTable() const {
    static const plat::CommandTable table(ZoomView::GetCommandTable(), PlayerImpl::CommandEntries<SequenceView>());
    return &table;
}

}  // namespace Kor
