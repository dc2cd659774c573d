#pragma once

#include <functional>

namespace platform {

// Runs the task on this thread once its queue holds no message and no window waits to be
// painted: a timer's message is the last a thread's message loop is given, after the paints.
void RunWhenThreadIdle(std::function<void()> task);

}  // namespace platform
