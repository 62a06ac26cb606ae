#pragma once
#include "platform/taskbar_button.h"

namespace quelbrin {

// What a batch shows on the taskbar button: the files done of the files in
// the run while it goes, the error state when a file stops it (kept until
// the next install command starts), nothing once it has finished; and, at
// either end, a flash for a user who is looking at another window.
class BatchProgress {
public:
    // The command starts: whatever the last batch left on the button goes.
    explicit BatchProgress(TaskbarButton& button);
    // The file `done` (counting from 0) of `total` starts.
    void FileStarting(int done, int total);
    void Finished();
    void Failed();

private:
    void FlashUnlessInFront();

    TaskbarButton& button_;
    bool started_ = false;  // no file started: there is nothing to report
};

}  // namespace quelbrin
