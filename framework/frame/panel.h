// A panel of a panel bar: a caption header above its content, an alignment
// within the bar (0 fill, 1 left, 2 right, 3 top, 4 bottom) and a minimum
// size. The header's height follows the height of "A" in the header font.
#pragma once

#include "framework/windows/container.h"
#include "framework/windows/widget.h"

#include <string>

namespace Kor {

class Frame;
class PanelBar;

class Panel : public Widget, public Container {
public:
    enum Alignment { Fill = 0, Left = 1, Right = 2, Top = 3, Bottom = 4 };

    explicit Panel(Frame& frame);
    ~Panel() override;

    void SetCaption(const std::string& caption);
    const std::string& GetCaption() const { return caption_; }
    void SetAlignment(int alignment);
    int GetAlignment() const { return alignment_; }
    int GetHeaderHeight() const;
    // The minimum size of the content (without the header).
    virtual CSize GetMinClientSize() const { return minSize_; }
    void SetMinClientSize(CSize s) { minSize_ = s; }
    // The minimum size with the header.
    CSize GetMinWindowSize() const;
    PanelBar* GetBar() const { return bar_; }
    Frame& GetFrame() const { return frame_; }
    // Where the content goes: below the header.
    CRect GetContentRect() const;

    const CFont* Font() const override;
    void HandlePaint(CDC* dc, const CRect& rect) override;

private:
    friend class PanelBar;
    CFont HeaderFont() const;

    Frame& frame_;
    PanelBar* bar_ = nullptr;
    std::string caption_;
    int alignment_ = Fill;
    CSize minSize_;
};

}  // namespace Kor
