#include "cli/progress_bar.h"

#include <string>

namespace cli {

void progress_bar::update(unsigned long long current, unsigned long long total)
{
    if (!enabled_ || total == 0) return;
    if (current > total) current = total;
    const unsigned width = 40;
    const unsigned filled = unsigned(width * current / total);
    const std::string bar = std::string(filled, '#') + std::string(width - filled, '-');
    if (percent_) {
        const unsigned percent = unsigned(100 * current / total);
        if (drawn_ && percent == last_percent_ && current < total) return;
        last_percent_ = percent;
        std::fprintf(out_, "\r%s [%s] %u %%", caption_.c_str(), bar.c_str(), percent);
    } else {
        std::fprintf(out_, "\r%s [%s] %llu / %llu", caption_.c_str(), bar.c_str(), current, total);
    }
    std::fflush(out_);
    drawn_ = true;
    if (current >= total) finish();  // what follows starts on a line of its own
}

void progress_bar::finish()
{
    if (drawn_) {
        std::fputc('\n', out_);
        std::fflush(out_);
        drawn_ = false;
    }
}

}  // namespace cli
