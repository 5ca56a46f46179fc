#pragma once

namespace quorbin {

// The batch's progress where the desktop shows running programs (the taskbar, a dock):
// files done out of files to do.
//
// The core relies on this: both calls return at once and change nothing but what the
// taskbar shows; a desktop that shows no progress ignores them. show is called with
// 0 <= done <= total and total > 0; clear takes the progress away.
//
// Backends: com.canonical.Unity.LauncherEntry on the session bus (Linux), ITaskbarList3
// (Windows).
class TaskbarProgress {
public:
    virtual ~TaskbarProgress() = default;
    virtual void show(int done, int total, bool paused) = 0;
    virtual void clear() = 0;
};

} // namespace quorbin
