// The main window.
#pragma once

#include "core/context.h"

#include <QLabel>
#include <QMainWindow>

namespace tnq {

class FrmKVS : public QMainWindow, public MainScreen {
    Q_OBJECT
public:
    explicit FrmKVS(QWidget* parent = nullptr);
    void Attach(Context* c) { c_ = c; }

    std::string Text(Box box) const override;
    void SetText(Box box, const std::string& text) override;
    void SetStatus1(const std::string& text) override;
    void SetStatus2(const std::string& text) override;
    void SetTrackFigure(int row, const std::string& text) override;
    void SetHourglass(bool on) override;
    void SetFocus(Box box) override;

private:
    Context* c_ = nullptr;
    QLabel* status1_;
    QLabel* status2_;
    bool hourglass_ = false;
};

} // namespace tnq
