// The estimation's progress on a terminal: one line redrawn in place.
#pragma once

#include <cstdio>
#include <string>

namespace cli {

class progress_bar {
public:
    // Draws nothing unless `enabled` (standard error is a terminal). The line
    // reads "CAPTION [####----] current / total", or with `percent`
    // "CAPTION [####----] P %", redrawn only when P changes.
    progress_bar(std::FILE* out, bool enabled, std::string caption = "Estimating piece lengths", bool percent = false)
        : out_(out),
          enabled_(enabled),
          percent_(percent),
          caption_(std::move(caption))
    {
    }
    ~progress_bar() { finish(); }
    progress_bar(const progress_bar&) = delete;
    progress_bar& operator=(const progress_bar&) = delete;

    // Redraws the line; ends it once current reaches total.
    void update(unsigned long long current, unsigned long long total);
    // Ends the line, if one was drawn.
    void finish();

private:
    std::FILE* out_;
    bool enabled_;
    bool percent_;
    std::string caption_;
    bool drawn_ = false;
    unsigned last_percent_ = 0;
};

}  // namespace cli
