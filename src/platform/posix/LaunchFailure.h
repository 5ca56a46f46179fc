#pragma once

#include "platform/ProcessControl.h"

#include <string>

namespace quorbin {

// Why the program of `request` was not started, in words a user can act on. The spawn
// gives one error number for several causes (a missing program, working folder and
// interpreter are all "No such file or directory"), so the working folder and the
// program's file are looked at again to tell them apart. `program` is the path that was
// started; `error` the number the spawn gave.
std::string launchFailureText(const LaunchRequest& request, const std::string& program, int error);

} // namespace quorbin
