#include "tests/fake/fake_controls.h"

namespace quelbrin::fake {

void FakeTextControl::SetEnabled(bool enabled) {
    enabled_ = enabled;
    log_.push_back(name_ + " enabled=" + (enabled ? "1" : "0"));
}

void FakeTextControl::SetText(const std::string& text) {
    if (liveRegionEvents && text != text_) liveRegionEvents->push_back(name_ + ": " + text);
    text_ = text;
    history.push_back(text);
    if (onChange) onChange();
}

void FakeFileList::SetEnabled(bool enabled) {
    enabled_ = enabled;
    log_.push_back("FileList enabled=" + std::string(enabled ? "1" : "0"));
}

std::string FakeFileList::FileName() const {
    return index_ >= 0 && index_ < ListCount() ? names_[static_cast<std::size_t>(index_)] : "";
}

void FakeFileList::SetFileName(const std::string& folder) {
    if (folder.empty()) return;  // keeps the previous entries, as the real list does
    names_ = ListFiles(files_, folder, keep_);  // throws before any change
    index_ = -1;
    listed_.Listed(folder);
}

void FakeFileList::Refresh() {
    if (!listed_.RefreshReads()) return;
    std::string selected = FileName();
    names_ = ListFiles(files_, listed_.Folder(), keep_);
    index_ = -1;
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == selected) index_ = static_cast<int>(i);
}

std::string FakeFileList::List(int index) const {
    return index >= 0 && index < ListCount() ? names_[static_cast<std::size_t>(index)] : "";
}

void FakeFileList::SetListIndex(int index) {
    index_ = index >= 0 && index < ListCount() ? index : -1;
    if (onClick) onClick();
}

}  // namespace quelbrin::fake
