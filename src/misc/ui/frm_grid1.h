// frmGrid1, "Initialize New File <title>": one row per track with its port
// (multiple-port mode only), channel, primary flag, instrument and
// description. A cell is edited in a text box laid over it: typing over a
// cell starts a new entry, Enter or a double click edits its text; Enter
// commits, Esc drops the entry, the arrow keys commit and move (never into
// track 1's row or the track-number column). Every entry is checked by its
// column as it is committed: a refused one beeps and leaves the cell empty.
// Beside the grid a look-up list shows the instruments, or the drum kits
// after channel 10. Initialize File refuses a primary track without its
// channel, instrument or port (message, focus on the cell).
#pragma once

#include "misc/init_new_file.h"
#include "platform/ui/form_lifecycle.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tnq {

class FrmGrid1 : public DialogForm, public InitGridDialog {
    Q_OBJECT
public:
    FrmGrid1(QWidget* owner, Context& c);

    // Sets the grid up afresh for the state's piece and port mode and shows
    // it modally.
    void Show(Context& c) override;
    GridCells Cells() const override;

    // Opens the overlay on the current cell: keyAscii 0..32 edits the
    // cell's text, any other character starts a new entry with it.
    void Grid1Edit(int keyAscii);
    // Commits an open entry into the cell it was opened on.
    void CommitEdit();
    void btnUpdate_Click();
    void btnCancel_Click();

    QTableWidget* Grid1;
    QLineEdit* txtEdit;
    QComboBox* cboGMNames;
    QPushButton *btnUpdate, *btnCancel;

    // -1 while the look-up list shows the drum kits, 0 for the instruments.
    int DrumListShown = 0;
    std::string LastPort;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Form_QueryUnload(int& cancel) override;

private:
    void SetList();
    void Layout();
    void MoveTo(int row, int col);
    // Keys of the overlay: true when handled.
    bool EditKeyCode(int key);
    void SetCell(int row, int col, const std::string& text);
    std::string Cell(int row, int col) const;

    Context& c_;
    QAbstractButton* corner_ = nullptr; // the table's corner, above the track numbers
    bool multiple_ = false;
    int editRow_ = -1, editCol_ = -1;
    bool dropping_ = false;
    bool centred_ = false;
};

} // namespace tnq
