// Silences std::clog (the least-squares workspace's line per whole-curve
// fit) while it lives.
#pragma once

#include <iostream>
#include <sstream>

namespace testing_output {

class quiet_clog {
public:
    quiet_clog() : old_(std::clog.rdbuf(sink_.rdbuf())) {}
    ~quiet_clog() { std::clog.rdbuf(old_); }
    quiet_clog(const quiet_clog&) = delete;
    quiet_clog& operator=(const quiet_clog&) = delete;

private:
    std::ostringstream sink_;
    std::streambuf* old_;
};

}  // namespace testing_output
