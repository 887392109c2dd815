// Sequence: a numbered sequence of frames as the player sees it. Frames
// are 0 .. count - 1; the user sees frame i as number base + i. The work
// area, frames first .. end - 1, is the part that plays; the current frame
// is the one the user selected, the play frame the one playback reached.
// Besides what the player calls, a host may set the work area and ask for
// a frame's mask to show.
#pragma once

#include "contour/bitmap.h"

#include <utility>

namespace Kor {

class Sequence {
public:
    virtual ~Sequence() = default;
    virtual bool IsEmpty() const = 0;
    virtual int GetFrameBase() const = 0;
    virtual int GetFrameCount() const = 0;
    virtual std::pair<int, int> GetWorkArea() const = 0;  // (first, end)
    virtual void SetWorkArea(int first, int end) { (void)first, (void)end; }
    virtual int GetCurrentFrame() const = 0;
    virtual void SetCurrentFrame(int frame) = 0;
    virtual int GetPlayFrame() const = 0;
    virtual void SetPlayFrame(int frame) = 0;
    // The mask of `frame` to show, or null when it has none.
    virtual const img::bitmap* GetFrameMask(int frame) const { return (void)frame, nullptr; }
    virtual bool CanFollow() const = 0;
};

// The sequence of a view that has none: nothing to play.
class EmptySequence : public Sequence {
public:
    bool IsEmpty() const override { return true; }
    int GetFrameBase() const override { return 0; }
    int GetFrameCount() const override { return 0; }
    std::pair<int, int> GetWorkArea() const override { return {0, 0}; }
    int GetCurrentFrame() const override { return 0; }
    void SetCurrentFrame(int) override {}
    int GetPlayFrame() const override { return 0; }
    void SetPlayFrame(int) override {}
    bool CanFollow() const override { return false; }
};

}  // namespace Kor
