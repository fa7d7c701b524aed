// The main window.
#include "entry/ui/frm_kvs.h"

#include "platform/ui/qt_message_boxes.h"

#include <QApplication>
#include <QVBoxLayout>

namespace tnq {

FrmKVS::FrmKVS(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmKVS");
    setWindowTitle("Tonquill");
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    status1_ = new QLabel(central);
    status1_->setObjectName("StatusBar1");
    status2_ = new QLabel(central);
    status2_->setObjectName("StatusBar2");
    layout->addStretch();
    layout->addWidget(status1_);
    layout->addWidget(status2_);
    setCentralWidget(central);
    resize(640, 420);
}

std::string FrmKVS::Text(Box) const { return ""; }
void FrmKVS::SetText(Box, const std::string&) {}
void FrmKVS::SetStatus1(const std::string& text) { status1_->setText(ToQt(text)); }
void FrmKVS::SetStatus2(const std::string& text) { status2_->setText(ToQt(text)); }
void FrmKVS::SetTrackFigure(int, const std::string&) {}

void FrmKVS::SetHourglass(bool on) {
    if (on == hourglass_) return;
    hourglass_ = on;
    if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

} // namespace tnq

namespace tnq {
void FrmKVS::SetFocus(Box) {}
} // namespace tnq
