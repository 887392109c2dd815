// The frame's status bar: a 16-pixel strip with a text pane (command
// prompts, or the idle message) and one indicator pane at the right, at
// least kIndicatorWidth pixels wide and as wide as its text needs.
#pragma once

#include "framework/windows/widget.h"

#include <string>

namespace Kor {

class StatusBar : public Widget {
public:
    static constexpr int kHeight = 16;
    static constexpr int kIndicatorWidth = 60;

    void SetText(const std::string& text);
    const std::string& GetText() const { return text_; }
    void SetIndicator(const std::string& text);
    const std::string& GetIndicator() const { return indicator_; }
    void HandlePaint(CDC* dc, const CRect& rect) override;

private:
    std::string text_, indicator_;
};

}  // namespace Kor
