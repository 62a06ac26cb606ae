#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/listed_folder.h"

namespace quelbrin::fake {

// Every change of a control, in the order it happened ("BtInst enabled=0").
using ControlLog = std::vector<std::string>;

class FakeTextControl : public TextControl {
public:
    FakeTextControl(std::string name, ControlLog& log, std::string text = {})
        : name_(std::move(name)), log_(log), text_(std::move(text)) {}
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;
    std::string Text() const override { return text_; }
    // Like a text box, assigning the text raises Change (when one is wired).
    void SetText(const std::string& text) override;

    std::function<void()> onChange;
    std::vector<std::string> history;  // every text this control has shown, oldest first
    // Set for a live region: each change of its text adds "name: new text" (the window raises
    // the live-region event only when the text changed).
    std::vector<std::string>* liveRegionEvents = nullptr;
    const std::string& Name() const { return name_; }

private:
    std::string name_;
    ControlLog& log_;
    std::string text_;
    bool enabled_ = true;
};

// Lists a folder of the fake file system the way the real list does.
class FakeFileList : public FileListBox {
public:
    FakeFileList(const FileSystem& files, ControlLog& log, NameFilter keep)
        : files_(files), log_(log), keep_(keep) {}
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;
    std::string FileName() const override;
    void SetFileName(const std::string& folder) override;
    void Refresh() override;
    int ListCount() const override { return static_cast<int>(names_.size()); }
    std::string List(int index) const override;
    int ListIndex() const override { return index_; }
    void SetListIndex(int index) override;

    std::function<void()> onClick;

private:
    const FileSystem& files_;
    ControlLog& log_;
    NameFilter keep_;
    ListedFolder listed_;
    std::vector<std::string> names_;
    int index_ = -1;
    bool enabled_ = true;
};

}  // namespace quelbrin::fake
