// QMessageBox and QInputDialog behind the classic box codes.
#include "platform/ui/qt_message_boxes.h"

#include "platform/cp1252.h"
#include "platform/ui/qt_placement.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>

namespace tnq {

QString ToQt(const std::string& text) {
    std::string t = text;
    // Line ends inside a box's text are CR LF.
    for (std::size_t p; (p = t.find("\r\n")) != std::string::npos;) t.erase(p, 1);
    return QString::fromStdString(Cp1252ToUtf8(t));
}

std::string FromQt(const QString& text) {
    return Utf8ToCp1252(text.toStdString());
}

namespace {

// A message box in which Esc and the close box act as the classic ones do:
// they choose Cancel where there is one, OK in an OK box, and nothing in a
// Yes/No or Abort/Retry/Ignore box.
class ClassicBox : public QMessageBox {
public:
    explicit ClassicBox(QWidget* parent, bool escapable)
        : QMessageBox(parent), escapable_(escapable) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape && !escapable_) {
            e->accept();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        if (!escapable_ && !clickedButton()) {
            e->ignore();
            return;
        }
        QMessageBox::closeEvent(e);
    }
    // Centred on the screen with the size the box has given itself.
    void showEvent(QShowEvent* e) override {
        QMessageBox::showEvent(e);
        if (!e->spontaneous()) CentreWindow(this, ScreenOf(this));
    }

private:
    bool escapable_;
};

// A box takes its width from its text: where the title needs more, the
// text's label is made as wide as the title.
void WidenForTitle(QLabel* label, const QString& title) {
    if (label && TitleBarWidth(title) > label->minimumSizeHint().width())
        label->setMinimumWidth(TitleBarWidth(title));
}

} // namespace

int QtMessageBoxes::MsgBox(const std::string& text, int code,
                           const std::optional<std::string>& title) {
    struct B {
        QMessageBox::StandardButton button;
        int result;
    };
    std::vector<B> buttons;
    switch (mb::Buttons(code)) {
    case mb::OKCancel:
        buttons = {{QMessageBox::Ok, mb::OK}, {QMessageBox::Cancel, mb::Cancel}};
        break;
    case mb::AbortRetryIgnore:
        buttons = {{QMessageBox::Abort, mb::Abort},
                   {QMessageBox::Retry, mb::Retry},
                   {QMessageBox::Ignore, mb::Ignore}};
        break;
    case mb::YesNoCancel:
        buttons = {{QMessageBox::Yes, mb::Yes},
                   {QMessageBox::No, mb::No},
                   {QMessageBox::Cancel, mb::Cancel}};
        break;
    case mb::YesNo:
        buttons = {{QMessageBox::Yes, mb::Yes}, {QMessageBox::No, mb::No}};
        break;
    case mb::RetryCancel:
        buttons = {{QMessageBox::Retry, mb::Retry}, {QMessageBox::Cancel, mb::Cancel}};
        break;
    default:
        buttons = {{QMessageBox::Ok, mb::OK}};
        break;
    }
    const bool hasCancel = std::any_of(buttons.begin(), buttons.end(),
                                       [](const B& b) { return b.result == mb::Cancel; });
    const bool okOnly = buttons.size() == 1;
    ClassicBox box(parent_, hasCancel || okOnly);
    const QString caption = ToQt(title ? *title : std::string(kProgramTitle));
    box.setWindowTitle(caption);
    box.setText(ToQt(text));
    WidenForTitle(box.findChild<QLabel*>("qt_msgbox_label"), caption);
    switch (mb::Icon(code)) {
    case mb::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case mb::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case mb::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case mb::Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    std::vector<QPushButton*> made;
    for (const B& b : buttons) made.push_back(box.addButton(b.button));
    const std::size_t def = static_cast<std::size_t>(mb::DefaultButton(code));
    box.setDefaultButton(made[def < made.size() ? def : 0]);
    if (hasCancel)
        box.setEscapeButton(made.back());
    else if (okOnly)
        box.setEscapeButton(made.front());
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (std::size_t i = 0; i < made.size(); ++i)
        if (made[i] == clicked) return buttons[i].result;
    return hasCancel ? mb::Cancel : buttons.front().result;
}

std::string QtMessageBoxes::InputBox(const std::string& prompt,
                                     const std::optional<std::string>& title,
                                     const std::string& defaultText) {
    QInputDialog box(parent_);
    const QString caption = ToQt(title ? *title : std::string(kProgramTitle));
    box.setWindowTitle(caption);
    box.setLabelText(ToQt(prompt));
    box.setInputMode(QInputDialog::TextInput);
    box.setTextValue(ToQt(defaultText));
    WidenForTitle(box.findChild<QLabel*>(), caption);
    CentreAtFirstShowing(&box);
    if (box.exec() != QDialog::Accepted) return std::string();
    return Utf8ToCp1252(box.textValue().toStdString(), kUnheldCharacter);
}

} // namespace tnq
