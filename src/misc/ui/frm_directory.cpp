// The Change Directory dialog on Qt Widgets.
#include "misc/ui/frm_directory.h"

#include "misc/directory_change.h"
#include "platform/places.h"
#include "platform/ui/qt_paths.h"
#include "platform/ui/qt_placement.h"
#include "platform/vb.h"

#include <QApplication>
#include <QStyle>

namespace tnq {

namespace {

constexpr double kFormWidth = 5400, kFormHeight = 5160;
constexpr const char* kCurDir = "The current directory is ";
constexpr const char* kNewDir = "The new directory is ";

} // namespace

// ---- Directory list ----------------------------------------------------------

void DirListBox::SetPath(const std::string& path) {
    const std::vector<DirRow> rows = DirListRows(path);
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const DirRow& r : rows) {
        auto* item = new QListWidgetItem(r.Open ? open : closed,
                                         QString(r.Level * 2, ' ') + PathToQt(r.Name), this);
        item->setData(Qt::UserRole, QByteArray::fromStdString(r.Path));
        if (r.Open) setCurrentItem(item);
    }
    path_ = path;
}

std::string DirListBox::PathOf(const QListWidgetItem* item) {
    return item ? item->data(Qt::UserRole).toByteArray().toStdString() : std::string();
}

// ---- The dialog ------------------------------------------------------------------

FrmDirectory::FrmDirectory(QWidget* parent, Context& c) : DialogForm(parent), c_(c) {
    setObjectName("frmDirectory");
    setWindowTitle("Change Directory for New Title");
    Form& f = Forms();
    Drive1 = f.Control(new QComboBox(this), "Drive1");
    Dir1 = f.Control(new DirListBox(this), "Dir1");
    lblCurDir = f.Control(new QLabel(kCurDir, this), "lblCurDir");
    lblNewDir = f.Control(new QLabel(kNewDir, this), "lblNewDir");
    chkDefault = f.Control(new QCheckBox("Set Up as New Default Directory", this), "chkDefault");
    btnOK = f.Control(new QPushButton("&OK", this), "btnOK");
    btnCancel = f.Control(new QPushButton("&Cancel", this), "btnCancel");
    SetTwipsGeometry(Drive1, 120, 120, 5160, 315);
    SetTwipsGeometry(Dir1, 120, 540, 5160, 2415);
    SetTwipsGeometry(lblCurDir, 120, 3030, 5160, 450);
    SetTwipsGeometry(lblNewDir, 120, 3510, 5160, 450);
    SetTwipsGeometry(chkDefault, 120, 4020, 5160, 315);
    SetTwipsGeometry(btnOK, 1080, 4500, 1335, 435);
    SetTwipsGeometry(btnCancel, 2880, 4500, 1335, 435);
    for (QLabel* l : {lblCurDir, lblNewDir}) {
        l->setFocusPolicy(Qt::NoFocus);
        l->setTextFormat(Qt::PlainText);
        // A long path goes on in a second line.
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    for (QPushButton* b : {btnOK, btnCancel}) b->setAutoDefault(false);
    const float tpp = TwipsPerPixel(this);
    setFixedSize(TwipsToPixels(kFormWidth, tpp), TwipsToPixels(kFormHeight, tpp));
    SetPlacement(c.sys.Screen(), c.s.Resolution);

    f.OnClick(btnOK, [this] { btnOK_Click(); });
    f.OnClick(btnCancel, [this] { btnCancel_Click(); });
    f.Keys().SetCancelButton(btnCancel);
    connect(Drive1, &QComboBox::activated, this,
            [this] { Forms().Queue().Post([this] { Drive1_Change(); }); });
    connect(Dir1, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const std::string path = DirListBox::PathOf(item);
        Forms().Queue().Post([this, path] { Dir1_Change(path); });
    });
}

void FrmDirectory::Form_Load() {
    const std::string& filePath = c_.s.FilePath;
    selected_ = filePath;
    lblCurDir->setText(kCurDir + PathToQt(filePath));
    lblNewDir->setText(kNewDir + PathToQt(filePath));
    chkDefault->setChecked(false);
    // The places, the one holding the pieces directory chosen.
    const std::vector<std::string> places = SystemPlaces(c_.sys.HomeDirectory());
    std::size_t best = 0;
    for (std::size_t i = 0; i < places.size(); ++i) {
        Drive1->addItem(PathToQt(places[i]), QByteArray::fromStdString(places[i]));
        const std::string& p = places[i];
        if (filePath.rfind(p, 0) == 0 && p.size() >= places[best].size() &&
            (p == "/" || filePath.size() == p.size() || filePath[p.size()] == '/'))
            best = i;
    }
    Drive1->setCurrentIndex(static_cast<int>(best));
    driveIndex_ = static_cast<int>(best);
    try {
        Dir1->SetPath(filePath);
    } catch (const VbError&) {
        // A pieces directory that has gone: the list starts at its place.
        try {
            Dir1->SetPath(places[best]);
        } catch (const VbError&) {
        }
    }
}

void FrmDirectory::Drive1_Change() {
    // The directory list moves to the place as it moves to any directory.
    const std::string place = Drive1->currentData().toByteArray().toStdString();
    if (ShowPath(place, "Drive Error"))
        driveIndex_ = Drive1->currentIndex();
    else
        Drive1->setCurrentIndex(driveIndex_);
}

void FrmDirectory::Dir1_Change(const std::string& path) {
    ShowPath(path, "Directory Error");
}

bool FrmDirectory::ShowPath(const std::string& path, const char* errorTitle) {
    try {
        Dir1->SetPath(path);
    } catch (const VbError& e) {
        c_.msg.MsgBox(DirListErrorText(e), mb::OKOnly, std::string(errorTitle));
        return false;
    }
    selected_ = path;
    lblNewDir->setText(kNewDir + PathToQt(path));
    return true;
}

void FrmDirectory::btnOK_Click() {
    if (!ChangeDirectoryOK(c_, selected_, Dir1->Path(), chkDefault->isChecked())) return;
    hide();
    if (parentWidget()) parentWidget()->update();
}

void FrmDirectory::btnCancel_Click() {
    UnloadMe();
}

} // namespace tnq
