#include "settings/about_dialog.h"

#include "main_window/main_form.h"

namespace quelbrin {

void Dialog::Form_Load(DialogView& dialog) { dialog.TxPathInst().SetText(owner_.HfzInstPath); }

void Dialog::OKButton_Click(DialogView& dialog) {
    owner_.HfzInstPath = dialog.TxPathInst().Text();
    dialog.Unload();
}

}  // namespace quelbrin
