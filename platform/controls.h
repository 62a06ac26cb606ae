#pragma once
#include <string>

#include "platform/noncopyable.h"

namespace quelbrin {

class Control : public Interface {
public:
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

// A button's or label's caption, or a text box's text. Setting a text box's
// text raises its Change event.
class TextControl : public Control {
public:
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
};

// The file list: the ".hfz" files of one folder, sorted, one selectable.
class FileListBox : public Control {
public:
    // Name of the selected file, empty when nothing is selected.
    virtual std::string FileName() const = 0;
    // Lists the given folder. Throws ErrorInfo when it can't be listed; the
    // list then keeps its previous entries. The empty text lists nothing new.
    virtual void SetFileName(const std::string& folder) = 0;
    virtual void Refresh() = 0;
    virtual int ListCount() const = 0;
    // Name at an index, empty when the index is out of range.
    virtual std::string List(int index) const = 0;
    virtual int ListIndex() const = 0;
    // Selects an entry and raises the list's Click event.
    virtual void SetListIndex(int index) = 0;
};

}  // namespace quelbrin
