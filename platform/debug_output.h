// The debug-output channel: diagnostics for a developer's eyes (a debugger or
// a log viewer), not for the user. By default they go to GLib's log as debug
// messages of the domain "Korvane" (shown when G_MESSAGES_DEBUG includes it).
#pragma once

#include <functional>
#include <string>

namespace plat {

void OutputDebugString(const std::string& text);
// Replaces where the texts go (null: back to the default). For tests.
void SetDebugOutputSink(std::function<void(const std::string&)> sink);

}  // namespace plat
