// The common behaviour of the parameter dialogs.
#include "platform/ui/parameter_dialog.h"

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

ParameterDialog::ParameterDialog(QWidget* owner, std::string& result,
                                 const ScreenMetrics& screen, int resolution, const char* name,
                                 const QString& caption)
    : DialogForm(owner), result_(result) {
    setObjectName(name);
    setWindowTitle(caption);
    SetPlacement(screen, resolution);
    Forms().Keys().SetKeyPreview(true);
}

bool ParameterDialog::Run() {
    // The close box unloads the dialog without a word: it counts as Cancel.
    std::string& result = result_;
    result = "";
    // The close box may have unloaded the dialog by the time this returns.
    ShowModal();
    return !result.empty();
}

QLineEdit* ParameterDialog::TextBox(const char* name, bool selectAllOnFocus) {
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

void ParameterDialog::UpperCaseTyping(QLineEdit* box) {
    Forms().Keys().OnKeyPress(box, [](int& ascii) {
        if (ascii > 0 && ascii < 256) {
            const std::string up = UCase(std::string(1, char(ascii)));
            ascii = static_cast<unsigned char>(up[0]);
        }
    });
}

void ParameterDialog::Buttons(const QString& okCaption, const QString& cancelCaption) {
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

void ParameterDialog::LayOutWithButtons(QLayout* fields) {
    Buttons();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
}

void ParameterDialog::TabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* before = nullptr;
    for (QWidget* w : controls) {
        if (before) setTabOrder(before, w);
        before = w;
    }
}

void ParameterDialog::FocusBack(QWidget* field) {
    Forms().Focus().SetFocus(field);
}

void ParameterDialog::SwitchOff(QRadioButton* option) {
    const QSignalBlocker quiet(option);
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

std::string ParameterDialog::Text(const QLineEdit* box) {
    return Utf8ToCp1252(box->text().toStdString());
}

void ParameterDialog::SetText(QLineEdit* box, const std::string& text) {
    box->setText(QString::fromStdString(Cp1252ToUtf8(text)));
}

void ParameterDialog::Form_KeyDown(int& keyCode, int& shift) {
    if (shift != 0) return;
    if (keyCode == vbkey::Return) {
        // Enter moves on (on a button it has pressed the button already).
        Forms().Keys().SendKey(vbkey::Tab);
    } else if (keyCode == vbkey::Up) {
        // A button or an option button would move the focus itself as well.
        if (qobject_cast<QAbstractButton*>(focusWidget())) keyCode = 0;
        Forms().Keys().SendKey(vbkey::Tab, vbshift::Shift);
    }
}

void ParameterDialog::Form_KeyPress(int& keyAscii) {
    // No text box receives Enter, and none beeps.
    if (keyAscii == 13) keyAscii = 0;
}

void ParameterDialog::btnOK_Click() {
    if (!CheckFields()) return;
    result_ = "okay";
    StoreFields();
    HideAndRedraw();
}

void ParameterDialog::btnCancel_Click() {
    result_ = "";
    HideAndRedraw();
}

} // namespace tnq
