#pragma once
// Stand-ins for the program's logic in the tests of the real windows: the
// events a window raises, counted, and folders given by name.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/error_info.h"
#include "platform/file_system.h"
#include "platform/main_window_view.h"

namespace quelbrin::test {

// Counts every event the main window raises, by name.
class EventRecorder : public MainFormEvents {
public:
    void Form_Load() override { ++counts["Form_Load"]; }
    void Form_Unload() override { ++counts["Form_Unload"]; }
    void BtExit_Click() override { ++counts["BtExit_Click"]; }
    void BtAbout_Click() override { ++counts["BtAbout_Click"]; }
    void BtBrowse_Click() override { ++counts["BtBrowse_Click"]; }
    void TxPath_Change() override { ++counts["TxPath_Change"]; }
    void FileList_Click() override { ++counts["FileList_Click"]; }
    void FileList_DblClick() override { ++counts["FileList_DblClick"]; }
    void FileList_ContextMenu(int index) override {
        ++counts["FileList_ContextMenu"];
        menuIndexes.push_back(index);
    }
    void BtInst_Click() override { ++counts["BtInst_Click"]; }
    void BtStart_Click() override { ++counts["BtStart_Click"]; }
    void FileList_Copy() override { ++counts["FileList_Copy"]; }

    int Total() const {
        int n = 0;
        for (const auto& [name, count] : counts) n += count;
        return n;
    }
    std::map<std::string, int> counts;
    std::vector<int> menuIndexes;  // of each FileList_ContextMenu
};

// Folders given by name with the names in them; any other folder is missing,
// as Windows says it. Names compare as they are.
class FixedFolders : public FileSystem {
public:
    std::string AppPath() const override { return "C:\\Quelbrin"; }
    std::string Dir(const std::string&) const override { return {}; }
    bool DriveExists(char) const override { return true; }
    std::vector<DirEntry> ListFolder(const std::string& folder) const override {
        auto it = folders.find(folder);
        if (it == folders.end()) throw ErrorInfo(3, "ListFolder", "The system cannot find the path specified.");
        std::vector<DirEntry> entries;
        for (const std::string& name : it->second) entries.push_back(DirEntry{name});
        return entries;
    }
    int CompareNames(const std::string& a, const std::string& b) const override {
        return a < b ? -1 : (a == b ? 0 : 1);
    }
    void SortNames(std::vector<std::string>& names) const override { std::sort(names.begin(), names.end()); }
    std::string ShortPath(const std::string&) const override { return {}; }
    std::map<std::string, std::vector<std::string>> folders;
};

}  // namespace quelbrin::test
