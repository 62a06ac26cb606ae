#include "platform/listed_folder.h"

namespace quelbrin {

bool ListedFolder::RefreshReads() {
    if (folder_.empty()) return false;
    if (fresh_) {
        fresh_ = false;
        return false;
    }
    return true;
}

}  // namespace quelbrin
