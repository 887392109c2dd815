#include "cli/progress_bar.h"

#include <string>

namespace cli {

void progress_bar::update(unsigned current, unsigned total)
{
    if (!enabled_ || total == 0)
        return;
    const unsigned width = 40;
    const unsigned filled = unsigned((unsigned long long)width * (current < total ? current : total) / total);
    const std::string bar = std::string(filled, '#') + std::string(width - filled, '-');
    std::fprintf(out_, "\rEstimating piece lengths [%s] %u / %u", bar.c_str(), current, total);
    std::fflush(out_);
    drawn_ = true;
    if (current >= total)
        finish();  // what follows starts on a line of its own
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
