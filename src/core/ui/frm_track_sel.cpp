// The track-selection dialog on Qt Widgets.
#include "core/ui/frm_track_sel.h"

#include "platform/placement.h"
#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_placement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace tnq {

namespace {

constexpr const char* kFormName = "frmTrackSel";

} // namespace

FrmTrackSel& FrmTrackSel::Of(QWidget* owner) {
    if (owner) {
        if (auto* f = owner->findChild<FrmTrackSel*>(kFormName, Qt::FindDirectChildrenOnly))
            return *f;
    }
    return *new FrmTrackSel(owner);
}

FrmTrackSel::FrmTrackSel(QWidget* owner) : QDialog(owner) {
    setObjectName(kFormName);
    setWindowTitle(kTrackSelCaption);

    // Design positions in twips; the geometry of each showing moves All
    // Tracks, Except, Clear Selection and the buttons by the track count.
    chkClear = new QCheckBox("Clear Selection", this);
    chkClear->setObjectName("chkClear");
    SetTwipsGeometry(chkClear, 1920, 0, 2175, 255);
    SetTwipsGeometry(chkTrack.Load(0, new QCheckBox("All Tracks", this)), 1920, 360, 1215, 255);
    chkExcept = new QCheckBox("Except", this);
    chkExcept->setObjectName("chkExcept");
    SetTwipsGeometry(chkExcept, 3120, 360, 1095, 255);
    for (int i = 1; i <= TrackSelRules::kBoxes; ++i) {
        const TwipsBox b = TrackBoxPlace(i);
        SetTwipsGeometry(chkTrack.Load(i, new QCheckBox(QString("Track %1").arg(i), this)), b.Left,
                         b.Top, b.Width, b.Height);
    }
    btnSelTrkOK = new QPushButton("OK", this);
    btnSelTrkOK->setObjectName("btnSelTrkOK");
    SetTwipsGeometry(btnSelTrkOK, 2520, 4680, 975, 375);
    btnSelTrkCancel = new QPushButton("Cancel", this);
    btnSelTrkCancel->setObjectName("btnSelTrkCancel");
    SetTwipsGeometry(btnSelTrkCancel, 2520, 5280, 975, 375);
    // Enter on a box is OK; on a button it presses that button.
    btnSelTrkOK->setDefault(true);

    for (const auto& [i, box] : chkTrack.Elements()) {
        const int index = i;
        connect(box, &QCheckBox::clicked, this,
                [this, index](bool ticked) { chkTrack_Click(index, ticked); });
    }
    connect(chkExcept, &QCheckBox::clicked, this, [this](bool ticked) {
        rules_.SetExcept(ticked);
        ShowMarks();
    });
    connect(chkClear, &QCheckBox::clicked, this, [this](bool ticked) { chkClear_Click(ticked); });
    connect(btnSelTrkOK, &QPushButton::clicked, this, [this] { btnSelTrkOK_Click(); });
    connect(btnSelTrkCancel, &QPushButton::clicked, this, [this] { btnSelTrkCancel_Click(); });
}

void FrmTrackSel::Show(Context& c) {
    if (!loaded_) Form_Load(c);
    c_ = &c;
    closedByBox_ = false;
    Form_Activate(c);
    setWindowModality(Qt::ApplicationModal);
    exec();
    c_ = nullptr;
    if (closedByBox_) {
        // Unloaded: the next use builds a new form with every box unticked.
        setObjectName(QString());
        deleteLater();
    }
}

void FrmTrackSel::SetCaption(const std::string& caption) {
    setWindowTitle(ToQt(caption));
}

void FrmTrackSel::Form_Load(Context& c) {
    loaded_ = true;
    const float tpp = TwipsPerPixel(this);
    setFixedSize(TwipsToPixels(TrackSelGeometryFor(0).FormWidth, tpp),
                 TwipsToPixels(kFormHeight, tpp));
    std::vector<QWidget*> controls = {chkClear};
    for (const auto& [i, box] : chkTrack.Elements()) controls.push_back(box);
    controls.insert(controls.end(), {chkExcept, btnSelTrkOK, btnSelTrkCancel});
    QtPlaceableForm placeable(this, this, std::move(controls));
    const ScreenMetrics screen = c.sys.Screen();
    PlaceDialog(placeable, screen, c.s.Resolution);
    if (screen.WidthPixels() != 640.0 && c.s.Resolution != 0) scale_ = screen.WidthPixels() / 640.0;
}

void FrmTrackSel::Form_Activate(Context& c) {
    rules_.Activate(c.s);
    ShowMarks();
    Arrange(c.s.NumTracks, c.sys.Screen());
}

void FrmTrackSel::Arrange(int numTracks, const ScreenMetrics& screen) {
    const TrackSelGeometry g = TrackSelGeometryFor(numTracks);
    const float tpp = TwipsPerPixel(this);
    auto px = [this, tpp](double twips) { return TwipsToPixels(twips * scale_, tpp); };
    // Never narrower than the caption, which tells Suppress from Reinstate;
    // a wider form keeps the boxes in its middle.
    const int width = std::max(px(g.FormWidth), TitleBarWidth(windowTitle()));
    const int shift = (width - px(g.FormWidth)) / 2;
    setFixedSize(width, px(kFormHeight));
    auto moveLeft = [&px, shift](QWidget* w, double left) { w->move(px(left) + shift, w->y()); };
    moveLeft(chkClear, g.AllTracksLeft);
    moveLeft(chkTrack(0), g.AllTracksLeft);
    moveLeft(chkExcept, g.ExceptLeft);
    moveLeft(btnSelTrkOK, g.ButtonsLeft);
    moveLeft(btnSelTrkCancel, g.ButtonsLeft);
    // Only the columns the tracks need show.
    for (int i = 1; i <= TrackSelRules::kBoxes; ++i) {
        chkTrack(i)->setVisible((i - 1) / 16 < g.Columns);
        moveLeft(chkTrack(i), TrackBoxPlace(i).Left);
    }
    // Centred on the screen at every showing, with the width it has now.
    CentreWindow(this, screen);
}

void FrmTrackSel::ShowMarks() {
    for (const auto& [i, box] : chkTrack.Elements()) box->setChecked(rules_.Track(i));
    chkExcept->setChecked(rules_.Except());
    chkClear->setChecked(rules_.Clear());
}

void FrmTrackSel::chkTrack_Click(int i, bool ticked) {
    if (!c_) return;
    rules_.SetTrack(c_->s, i, ticked);
    ShowMarks();
}

void FrmTrackSel::chkClear_Click(bool ticked) {
    if (!c_) return;
    rules_.SetClear(c_->s, ticked);
    ShowMarks();
}

void FrmTrackSel::btnSelTrkOK_Click() {
    if (c_) rules_.OK(c_->s);
    accept();
}

void FrmTrackSel::btnSelTrkCancel_Click() {
    if (c_) rules_.Cancel(c_->s);
    done(QDialog::Rejected);
}

void FrmTrackSel::reject() {
    btnSelTrkCancel_Click();
}

void FrmTrackSel::closeEvent(QCloseEvent* e) {
    closedByBox_ = true;
    QDialog::closeEvent(e); // runs reject(): Cancel
}

} // namespace tnq
