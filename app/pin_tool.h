// PinTool: the circle tool that places pins. A stroke (from the first
// button pressed until every button is up) places at most one pin, where it
// began: a smooth pin with the left button, a corner with the right one,
// none with both. The pin's radius is the circle's size in mask pixels; the
// document validates it and says why when it refuses it.
#pragma once

#include "framework/tools/circle_tool.h"

class Doc;

class PinTool : public Kor::CircleTool {
public:
    static constexpr int kInitialSize = 10;

    PinTool(Kor::ZoomView& view, Doc& doc);

    // A pin was placed (or refused) in the stroke under way.
    bool IsApplied() const { return applied_; }

    void Select(Kor::CPoint p, int buttons) override;
    void Synchronize() override { applied_ = false; }

    // A stroke never outlives a change of the tool in charge: a stroke cut
    // short where the release went unheard must not keep the next one from
    // placing its pin.
    void Activate() override;
    void Deactivate() override;
    void Show() override;
    void Hide() override;

private:
    Doc* doc_;
    bool applied_ = false;
};
