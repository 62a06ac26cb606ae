#pragma once
#include "platform/main_window_view.h"

namespace quelbrin {

class MainForm;

// "'bout 'n settings": shows and replaces the installer path for this run.
class Dialog final : public DialogEvents {
public:
    explicit Dialog(MainForm& owner) : owner_(owner) {}
    void Form_Load(DialogView& dialog) override;
    void OKButton_Click(DialogView& dialog) override;

private:
    MainForm& owner_;
};

}  // namespace quelbrin
