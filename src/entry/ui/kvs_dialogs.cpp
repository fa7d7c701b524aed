// The entry keys' dialogs of the main window.
#include "entry/ui/kvs_dialogs.h"

#include "editing/ui/frm_copy_by_item.h"

namespace tnq {

KvsDialogs::KvsDialogs(QWidget* owner)
    : frmNoteOptions([this, owner] { return new FrmNoteOptions(owner, *c_); }),
      frmReviseBarNos([this, owner] {
          auto* f = new FrmReviseBarNos(owner, *c_);
          f->SetPlacement(c_->sys.Screen(), c_->s.Resolution);
          return f;
      }),
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
    frmReviseBarNos->ShowModal();
    // Unloaded by its close box: nothing was chosen.
    if (!frmReviseBarNos.Loaded()) return ReviseMode::BarNumber;
    return frmReviseBarNos->Mode();
}

void KvsDialogs::ShowCopyByItem(Context& c) {
    FrmCopyByItem::Of(owner_, c).Run();
}

} // namespace tnq
