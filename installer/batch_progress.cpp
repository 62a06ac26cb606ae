#include "installer/batch_progress.h"

namespace quelbrin {

BatchProgress::BatchProgress(TaskbarButton& button) : button_(button) { button_.ClearProgress(); }

void BatchProgress::FileStarting(int done, int total) {
    started_ = true;
    button_.ShowProgress(done, total);
}

void BatchProgress::Finished() {
    if (!started_) return;
    button_.ClearProgress();
    FlashUnlessInFront();
}

void BatchProgress::Failed() {
    if (!started_) return;
    button_.ShowError();
    FlashUnlessInFront();
}

void BatchProgress::FlashUnlessInFront() {
    if (!button_.InFront()) button_.Flash();
}

}  // namespace quelbrin
