// Dialog forms: loading, modal showing, closing and unloading.
#include "platform/ui/form_lifecycle.h"

#include "platform/ui/qt_placement.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>

namespace tnq {

DialogForm::DialogForm(QWidget* parent) : QDialog(parent), form_(this) {
    form_.Keys().SetFormKeyDown([this](int& code, int& shift) { Form_KeyDown(code, shift); });
    form_.Keys().SetFormKeyPress([this](int& ascii) { Form_KeyPress(ascii); });
    form_.Activation().OnActivate([this] { Form_Activate(); });
}

void DialogForm::SetPlacement(const ScreenMetrics& screen, int resolution) {
    place_ = [this, screen, resolution] {
        QtPlaceableForm placeable(this, this, form_.Controls());
        PlaceDialog(placeable, screen, resolution);
    };
}

void DialogForm::Load() {
    form_.Queue().Run([this] { Form_Load(); });
}

void DialogForm::setVisible(bool visible) {
    // Before the toolkit gives a laid-out form the size of its contents.
    if (visible && !isVisible()) FitCaptions(this);
    QDialog::setVisible(visible);
}

void DialogForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous() || shown_) return;
    shown_ = true;
    if (place_) place_();
}

void DialogForm::ShowModal() {
    setWindowModality(Qt::ApplicationModal);
    exec();
}

void DialogForm::UnloadMe() {
    if (unload_)
        unload_();
    else
        hide();
}

void DialogForm::HideAndRedraw() {
    hide();
    if (QWidget* owner = parentWidget()) owner->update();
}

void DialogForm::keyPressEvent(QKeyEvent* e) {
    // Esc does not close a form by itself: only a Cancel button does.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void DialogForm::closeEvent(QCloseEvent* e) {
    int cancel = 0;
    form_.Queue().Run([&] { Form_QueryUnload(cancel); });
    if (cancel != 0) {
        e->ignore();
        return;
    }
    e->accept();
    UnloadMe();
}

} // namespace tnq
