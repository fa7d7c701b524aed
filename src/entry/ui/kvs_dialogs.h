// The dialogs the main window's entry keys show, on Qt Widgets: the
// special-item picker (loaded for each use), Revise Bar Numbers and Copy by
// Item (kept between uses), all owned by the main window; and the copy that
// Copy by Item's OK asks for.
#pragma once

#include "entry/entry_dialogs.h"
#include "entry/ui/frm_note_options.h"
#include "entry/ui/frm_revise_bar_nos.h"
#include "platform/ui/form_lifecycle.h"

namespace tnq {

class KvsDialogs : public EntryDialogs {
public:
    explicit KvsDialogs(QWidget* owner);

    void ShowNoteOptions(Context& c) override;
    ReviseMode ShowReviseBarNos(Context& c) override;
    void ShowCopyByItem(Context& c) override;
    void RunCopyByItem(Context& c) override;

    FormSlot<FrmNoteOptions> frmNoteOptions;
    FormSlot<FrmReviseBarNos> frmReviseBarNos;

private:
    QWidget* owner_;
    Context* c_ = nullptr; // of the dialog being made
};

} // namespace tnq
