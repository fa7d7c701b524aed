// The About box on Qt Widgets.
#include "misc/ui/frm_about2.h"

#include "misc/help_commands.h"
#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_placement.h"

#include <QApplication>
#include <QStyle>

namespace tnq {

namespace {

constexpr double kFormWidth = 5760, kFormHeight = 3480;

} // namespace

FrmAbout2::FrmAbout2(QWidget* mainWindow, Context& c)
    : DialogForm(mainWindow), c_(c), main_(mainWindow) {
    setObjectName("frmAbout2");
    setModal(false);
    Form& f = Forms();
    Image1 = f.Control(new QLabel(this), "Image1");
    Label1 = f.Control(new QLabel(this), "Label1");
    Line1 = f.Control(new QFrame(this), "Line1");
    btnOK = f.Control(new QPushButton("&OK", this), "btnOK");
    btnSysInfo = f.Control(new QPushButton("&System Info", this), "btnSysInfo");
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    QFont title = Label1->font();
    title.setPointSizeF(12);
    title.setBold(true);
    Label1->setFont(title);
    SetTwipsGeometry(Image1, 240, 240, 480, 480);
    SetTwipsGeometry(Label1, 675, 360, 3500, 375);
    SetTwipsGeometry(Line1, 120, 1200, 5520, 30);
    SetTwipsGeometry(btnOK, 2160, 1680, 1455, 420);
    SetTwipsGeometry(btnSysInfo, 2160, 2400, 1455, 420);
    btnOK->setDefault(true);
    btnSysInfo->setAutoDefault(false);
    for (QLabel* l : {Image1, Label1}) l->setFocusPolicy(Qt::NoFocus);
    const float tpp = TwipsPerPixel(this);
    setFixedSize(TwipsToPixels(kFormWidth, tpp), TwipsToPixels(kFormHeight, tpp));
    SetPlacement(c.sys.Screen(), c.s.Resolution);
    f.OnClick(btnOK, [this] { btnOK_Click(); });
    f.OnClick(btnSysInfo, [this] { btnSysInfo_Click(); });
}

void FrmAbout2::Form_Load() {
    // The main window's icon, else the program's.
    QIcon icon = main_ ? main_->windowIcon() : QIcon();
    if (icon.isNull()) icon = QApplication::windowIcon();
    if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_MediaVolume);
    Image1->setPixmap(icon.pixmap(Image1->size()));
    setWindowIcon(icon);
    setWindowTitle(ToQt(AboutCaption()));
    Label1->setText(ToQt(AboutTitle(c_.s)));
    // A short title is centred, a long one starts at the left margin.
    Label1->adjustSize();
    const float tpp = TwipsPerPixel(this);
    if (PixelsToTwips(Label1->width(), tpp) < 3500)
        CentreLabel(Label1);
    else
        Label1->move(TwipsToPixels(675, tpp), Label1->y());
    CentreLabel(btnOK);
    CentreLabel(btnSysInfo);
}

void FrmAbout2::CentreLabel(QWidget* control) {
    control->move((width() - control->width()) / 2, control->y());
}

void FrmAbout2::btnOK_Click() {
    hide();
}

void FrmAbout2::btnSysInfo_Click() {
    StartSysInfo(c_);
}

} // namespace tnq
