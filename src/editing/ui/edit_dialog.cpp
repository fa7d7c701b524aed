// The common behaviour of the Edit menu's parameter dialogs.
#include "editing/ui/edit_dialog.h"

#include "platform/cp1252.h"
#include "platform/key_codes.h"
#include "platform/vb.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tnq {

EditDialog::EditDialog(QWidget* owner, Context& c, const char* name, const QString& caption)
    : DialogForm(owner), c_(c) {
    setObjectName(name);
    setWindowTitle(caption);
    SetPlacement(c.sys.Screen(), c.s.Resolution);
    Forms().Keys().SetKeyPreview(true);
}

bool EditDialog::Run() {
    // The close box unloads the dialog without a word: it counts as Cancel.
    State& s = c_.s;
    s.DialogResult = "";
    // The close box may have unloaded the dialog by the time this returns.
    ShowModal();
    return !s.DialogResult.empty();
}

QLineEdit* EditDialog::TextBox(const char* name, bool selectAllOnFocus) {
    auto* box = Forms().Control(new QLineEdit(this), name);
    if (selectAllOnFocus) {
        Forms().Focus().OnGotFocus(box, [box] {
            // After a mouse click the selection waits until the click has
            // placed the cursor.
            QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
        });
    }
    return box;
}

void EditDialog::UpperCaseTyping(QLineEdit* box) {
    Forms().Keys().OnKeyPress(box, [](int& ascii) {
        if (ascii > 0 && ascii < 256) {
            const std::string up = UCase(std::string(1, char(ascii)));
            ascii = static_cast<unsigned char>(up[0]);
        }
    });
}

void EditDialog::Buttons(const QString& okCaption, const QString& cancelCaption) {
    btnOK = Forms().Control(new QPushButton(okCaption, this), "btnOK");
    btnCancel = Forms().Control(new QPushButton(cancelCaption, this), "btnCancel");
    for (QPushButton* b : {btnOK, btnCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    Forms().OnClick(btnOK, [this] { btnOK_Click(); });
    Forms().OnClick(btnCancel, [this] { btnCancel_Click(); });
    Forms().Keys().SetCancelButton(btnCancel);
}

void EditDialog::LayOutWithButtons(QLayout* fields) {
    Buttons();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
}

void EditDialog::TabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* before = nullptr;
    for (QWidget* w : controls) {
        if (before) setTabOrder(before, w);
        before = w;
    }
}

void EditDialog::FocusBack(QWidget* field) {
    Forms().Focus().SetFocus(field);
}

bool EditDialog::CheckBarRange(QLineEdit* fromBar, QLineEdit* toBar, QLineEdit* startingBeat,
                               QLineEdit* numberOfBeats, QLineEdit* beatValue) {
    BarFields f;
    f.FromBar = Text(fromBar);
    f.ToBar = Text(toBar);
    if (startingBeat && numberOfBeats && beatValue) {
        f.StartingBeat = Text(startingBeat);
        f.NumberOfBeats = Text(numberOfBeats);
        f.BeatValue = Text(beatValue);
    }
    switch (CheckBarFields(f)) {
    case BarField::None: return true;
    case BarField::BeatValue: FocusBack(beatValue); return false;
    case BarField::StartingBeat: FocusBack(startingBeat); return false;
    case BarField::NumberOfBeats: FocusBack(numberOfBeats); return false;
    case BarField::FromBar: FocusBack(fromBar); return false;
    case BarField::ToBar: FocusBack(toBar); return false;
    case BarField::Silent: return false;
    }
    return false;
}

void EditDialog::SwitchOff(QRadioButton* option) {
    const QSignalBlocker quiet(option);
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

std::string EditDialog::Text(const QLineEdit* box) {
    return Utf8ToCp1252(box->text().toStdString());
}

void EditDialog::SetText(QLineEdit* box, const std::string& text) {
    box->setText(QString::fromStdString(Cp1252ToUtf8(text)));
}

void EditDialog::Form_KeyDown(int& keyCode, int& shift) {
    if (shift != 0) return;
    if (keyCode == vbkey::Return) {
        // Enter on a button presses it; elsewhere it moves on.
        if (auto* b = qobject_cast<QPushButton*>(focusWidget())) {
            keyCode = 0;
            Forms().Queue().Post([b] { b->click(); });
            return;
        }
        Forms().Keys().SendKey(vbkey::Tab);
    } else if (keyCode == vbkey::Up) {
        // A button or an option button would move the focus itself as well.
        if (qobject_cast<QAbstractButton*>(focusWidget())) keyCode = 0;
        Forms().Keys().SendKey(vbkey::Tab, vbshift::Shift);
    }
}

void EditDialog::Form_KeyPress(int& keyAscii) {
    // No text box receives Enter, and none beeps.
    if (keyAscii == 13) keyAscii = 0;
}

void EditDialog::btnOK_Click() {
    if (!CheckFields()) return;
    c_.s.DialogResult = "okay";
    StoreFields();
    HideAndRedraw();
}

void EditDialog::btnCancel_Click() {
    c_.s.DialogResult = "";
    HideAndRedraw();
}

} // namespace tnq
