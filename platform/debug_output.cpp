#include "platform/debug_output.h"

#include <glib.h>

#include <mutex>

namespace plat {

namespace {
std::mutex& SinkMutex() {
    static std::mutex m;
    return m;
}
std::function<void(const std::string&)>& Sink() {
    static std::function<void(const std::string&)> sink;
    return sink;
}
}  // namespace

void OutputDebugString(const std::string& text) {
    std::lock_guard<std::mutex> lock(SinkMutex());
    if (Sink()) Sink()(text);
    else g_log("Korvane", G_LOG_LEVEL_DEBUG, "%s", text.c_str());
}

void SetDebugOutputSink(std::function<void(const std::string&)> sink) {
    std::lock_guard<std::mutex> lock(SinkMutex());
    Sink() = std::move(sink);
}

}  // namespace plat
