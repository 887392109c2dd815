// The estimation's progress on a terminal: one line redrawn in place.
#pragma once

#include <cstdio>

namespace cli {

class progress_bar {
public:
    // Draws nothing unless `enabled` (standard error is a terminal).
    progress_bar(std::FILE* out, bool enabled) : out_(out), enabled_(enabled) {}
    ~progress_bar() { finish(); }
    progress_bar(const progress_bar&) = delete;
    progress_bar& operator=(const progress_bar&) = delete;

    // Redraws the line; ends it once current reaches total.
    void update(unsigned current, unsigned total);
    // Ends the line, if one was drawn.
    void finish();

private:
    std::FILE* out_;
    bool enabled_;
    bool drawn_ = false;
};

}  // namespace cli
