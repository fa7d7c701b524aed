// Dialog forms and their life: a dialog is created (and loaded) on first
// use and stays in memory, hidden, between uses; Hide keeps its controls'
// values, Unload discards it so that the next use builds it again with its
// initial values. Shown modally, the command that showed it waits until it
// is hidden.
#pragma once

#include "platform/placement.h"
#include "platform/ui/form.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace tnq {

class DialogForm : public QDialog {
    Q_OBJECT
public:
    explicit DialogForm(QWidget* parent = nullptr);

    Form& Forms() { return form_; }

    // Loads the form: runs Form_Load. Called once by FormSlot.
    void Load();
    // How the form is placed at its first showing, once it has its size:
    // by the dialog placement rule on that screen with that Resolution,
    // or by a rule of its own.
    void SetPlacement(const ScreenMetrics& screen, int resolution);
    void SetPlacement(std::function<void()> place) { place_ = std::move(place); }

    // Shows the form modally; returns when it is hidden or unloaded.
    void ShowModal();
    // Hides the form and asks its slot to discard it.
    void UnloadMe();

    // Set by the slot that owns the form.
    void SetUnloader(std::function<void()> unload) { unload_ = std::move(unload); }

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_KeyDown(int& keyCode, int& shift) { (void)keyCode, (void)shift; }
    virtual void Form_KeyPress(int& keyAscii) { (void)keyAscii; }
    // The close box: cancel = 1 keeps the form up. Otherwise it is unloaded.
    virtual void Form_QueryUnload(int& cancel) { (void)cancel; }
    // Hides the form (ending its modal showing) and asks its owner, the
    // main window, to repaint.
    void HideAndRedraw();

    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    // Before each showing every caption gets the width it needs; the first
    // showing places the form with the size it shows with.
    void setVisible(bool visible) override;
    void showEvent(QShowEvent* e) override;

private:
    Form form_;
    std::function<void()> unload_;
    std::function<void()> place_;
    bool shown_ = false;
};

// The one instance of a dialog form, created on first use.
template <class F> class FormSlot {
public:
    explicit FormSlot(std::function<F*()> make) : make_(std::move(make)) {}
    ~FormSlot() { Unload(); }
    FormSlot(const FormSlot&) = delete;
    FormSlot& operator=(const FormSlot&) = delete;

    // The form, created and loaded when it is not in memory.
    F& Get() {
        if (!form_) {
            form_ = make_();
            form_->SetUnloader([this] { Unload(); });
            form_->Load();
        }
        return *form_;
    }
    F* operator->() { return &Get(); }
    bool Loaded() const { return form_ != nullptr; }

    // Hides and discards the form; the next Get builds it anew.
    void Unload() {
        if (!form_) return;
        F* old = form_;
        form_ = nullptr;
        old->SetUnloader({});
        old->hide();
        old->deleteLater();
    }

private:
    std::function<F*()> make_;
    F* form_ = nullptr;
};

} // namespace tnq
