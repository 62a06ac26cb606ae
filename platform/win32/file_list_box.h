#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/listed_folder.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// The file list on a list box (LBS_NOTIFY, unsorted: the names come sorted).
class FileListControl : public FileListBox {
public:
    FileListControl(HWND listBox, const FileSystem& files, NameFilter keep, std::function<void()> onClick);

    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    std::string FileName() const override;
    void SetFileName(const std::string& folder) override;
    void Refresh() override;
    int ListCount() const override;
    std::string List(int index) const override;
    int ListIndex() const override;
    void SetListIndex(int index) override;

    HWND Handle() const { return listBox_; }

private:
    // Replaces the entries in one go, drawing once at the end.
    void Fill(const std::vector<std::string>& names);

    HWND listBox_;
    const FileSystem& files_;
    NameFilter keep_;
    std::function<void()> onClick_;
    ListedFolder listed_;
};

}  // namespace quelbrin::win32
