// The entry keys' dialogs of the main window.
#include "entry/ui/kvs_dialogs.h"

#include "editing/copy_commands.h"
#include "editing/ui/frm_copy_by_item.h"

namespace tnq {

KvsDialogs::KvsDialogs(QWidget* owner)
    : frmNoteOptions([this, owner] { return new FrmNoteOptions(owner, *c_); }),
      frmReviseBarNos([this, owner] { return new FrmReviseBarNos(owner, *c_); }),
      owner_(owner) {}

void KvsDialogs::ShowNoteOptions(Context& c) {
    c_ = &c;
    c.s.DialogResult.clear();
    frmNoteOptions->ShowModal();
    // OK and Cancel unload it; so does the close box, which answers nothing.
    frmNoteOptions.Unload();
}

ReviseMode KvsDialogs::ShowReviseBarNos(Context& c) {
    c_ = &c;
    frmReviseBarNos->Run();
    // Unloaded by its close box: nothing was chosen.
    if (!frmReviseBarNos.Loaded()) return ReviseMode::BarNumber;
    return frmReviseBarNos->Mode();
}

void KvsDialogs::ShowCopyByItem(Context& c) {
    FrmCopyByItem::Of(owner_, c).Run();
}

void KvsDialogs::RunCopyByItem(Context& c) {
    CopyByItem(c);
}

} // namespace tnq
