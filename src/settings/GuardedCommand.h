#pragma once

#include <functional>

namespace sm {

class Prompts;

// Runs a command handler so that no exception leaves it: an error is shown to the
// user through prompts.Error with its message (a file that was not written as
// WriteFailureText tells it), and the program goes on.
void RunGuarded(Prompts& prompts, const std::function<void()>& handler);

}  // namespace sm
