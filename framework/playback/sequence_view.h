// SequenceView: a zoomable view over a numbered sequence of 1-bit masks
// that is also their player's host. It draws the shown mask (by default the
// play frame's) black on white, nearest-neighbour at any zoom, plays with a
// platform timer at the frame rate and takes the playback commands.
//
// The tick: timer kPlayTimer with a period of trunc(1000 / rate) ms, kept
// within kMinPeriod .. kMaxPeriod. Only a finite positive rate plays; a
// change of rate while playing starts the tick again at the new period (or
// pauses, when the new rate cannot play).
//
// The sequence is the host's (not owned); the host calls SequenceChanged
// when its frames or the frame it shows change, and hears of the view's
// play-mode changes through its events.
#pragma once

#include "contour/bitmap.h"
#include "framework/events/event.h"
#include "framework/events/event_dispatcher.h"
#include "framework/playback/player_impl.h"
#include "framework/playback/sequence.h"
#include "framework/views/zoom_view.h"

namespace Kor {

class SequenceView : public ZoomView, public PlayerImpl, public EventDispatcher {
public:
    static constexpr unsigned kPlayTimer = 1;
    static constexpr unsigned kMinPeriod = 10;     // ms: at most 100 ticks a second
    static constexpr unsigned kMaxPeriod = 60000;  // ms: at least one a minute
    static constexpr float kDefaultRate = 25.0f;

    class Event : public Kor::Event {
    public:
        explicit Event(SequenceView* v) : view(v) {}
        SequenceView* view;
    };
    // The play mode changed (the view started, stopped or turned).
    class PlayModeChange : public Event {
    public:
        using Event::Event;
    };

    SequenceView();
    ~SequenceView() override;

    // The sequence to show and play (null: none); not owned.
    void SetSequence(Sequence* sequence);
    Sequence& GetSequence() override { return sequence_ ? *sequence_ : empty_; }
    // The frames or the shown frame changed: the sheet takes the mask's size
    // and the view repaints.
    void SequenceChanged();

    void SetFrameRate(float rate);
    float GetFrameRate() const { return rate_; }
    // The tick period for `rate` in ms; 0 when the rate cannot play.
    static unsigned TickPeriod(float rate);
    bool IsTicking() const { return ticking_; }
    unsigned GetTickPeriod() const { return period_; }

protected:
    // The mask the view shows; by default the play frame's.
    virtual const img::bitmap* GetShownMask();
    void DrawSheet(CDC* dc, const CRect& rect) override;
    void OnTimer(unsigned id) override;
    void OnDestroy() override;
    const plat::CommandTable* GetCommandTable() const override;

    void StartPlaying() override;
    void StopPlaying() override;
    bool CanPlay() const override { return TickPeriod(rate_) != 0; }

private:
    void SendPlayModeChange();

    Sequence* sequence_ = nullptr;
    EmptySequence empty_;
    float rate_ = kDefaultRate;
    bool ticking_ = false;
    unsigned period_ = 0;
    PlayMode shownMode_ = PLAY_PAUSED;
};

}  // namespace Kor
