// The main window: its controls, set-up, modes and track rows.
#include "entry/ui/frm_kvs.h"

#include "core/file_menu.h"
#include "core/instrument_lists.h"
#include "core/memory.h"
#include "core/piece_commands.h"
#include "core/piece_paths.h"
#include "core/screen_procs.h"
#include "core/startup.h"
#include "entry/accept_item.h"
#include "entry/ui/kvs_dialogs.h"
#include "core/vocabulary.h"
#include "platform/ui/fit_label.h"
#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_placement.h"
#include "platform/vb.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>

namespace tnq {

namespace {

// Design size of the client area, in twips.
constexpr double kClientWidth = 9600;
constexpr double kClientHeight = 6285;

const QColor kFormColour(255, 192, 192);
const QColor kCaptionColour(255, 255, 224);

// The lower status line in menu mode and in item-entry mode.
constexpr const char* kMenuModeStatus = "Select a Menu Item";
constexpr const char* kEntryModeStatus =
    "Accept=F12 or Alt + i; Exit=Esc or Alt + x ;Next input=Enter or Tab;Previous input=up "
    "arrow or Shift+Tab";

enum class Face { Heading, Hint, Rows, Plain, Bold };

QFont FontOf(Face face) {
    QFont f;
    switch (face) {
    case Face::Hint:
        f.setStyleHint(QFont::Serif);
        f.setFamily(QStringLiteral("Serif"));
        f.setPointSizeF(9.75);
        break;
    case Face::Rows:
        f.setStyleHint(QFont::TypeWriter);
        f.setFamily(QStringLiteral("Monospace"));
        f.setPointSizeF(8.25);
        break;
    default:
        f.setStyleHint(QFont::SansSerif);
        f.setPointSizeF(8.25);
        break;
    }
    f.setBold(face != Face::Plain);
    f.setUnderline(face == Face::Heading);
    return f;
}

void Paint(QWidget* w, const QColor& background) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, background);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

FrmKVS::FrmKVS(QWidget* parent)
    : QMainWindow(parent), form_(this), dialogs_(std::make_unique<KvsDialogs>(this)) {
    setObjectName("frmKVS");
    setWindowTitle("Tonquill");
    menuBar()->setNativeMenuBar(false);
    client_ = new QWidget(this);
    client_->setObjectName("frmKVSClient");
    Paint(client_, kFormColour);
    setCentralWidget(client_);
    BuildControls();
    BuildMenus();

    const float tpp = TwipsPerPixel(this);
    client_->setFixedSize(TwipsToPixels(kClientWidth, tpp), TwipsToPixels(kClientHeight, tpp));
    adjustSize();
    setFixedSize(sizeHint());

    form_.Activation().OnActivate([this] { Form_Activate(); });
    // Message boxes count as the classic toolkit's modal dialogs do.
    form_.Activation().SetBoxesCount(true);
    form_.Keys().SetCancelButton(btnExitKVSfrm);
    form_.OnClick(btnAccept, [this] { btnAccept_Click(); });
    form_.OnClick(btnExitKVSfrm, [this] { btnExitKVSfrm_Click(); });
    form_.OnClick(btnFlip, [this] { btnFlip_Click(); });
    form_.Queue().SetErrorReporter([this](const std::exception& e) { ReportError(e); });
    ConnectEntryBoxes();
}

FrmKVS::~FrmKVS() = default;

void FrmKVS::Attach(Context* c) {
    c_ = c;
}

Context& FrmKVS::C() const {
    if (!c_) throw VbError(91, "The main window has no program attached");
    return *c_;
}

void FrmKVS::ReportError(const std::exception& e) {
    std::string text;
    if (const auto* vb = dynamic_cast<const VbError*>(&e))
        text = "Run-time error '" + std::to_string(vb->Number()) + "':\r\n\r\n" + vb->Description();
    else
        text = std::string("Run-time error:\r\n\r\n") + e.what();
    if (c_) {
        // The command it stopped leaves no progress text or hourglass.
        SwitchOffStatus(*c_);
        c_->msg.MsgBox(text, mb::Critical);
    } else
        qWarning("%s", text.c_str());
}

// ---- Controls ------------------------------------------------------------

void FrmKVS::BuildControls() {
    QWidget* w = client_;
    auto label = [&](const char* name, const char* caption, double l, double t, double wd, double h,
                     Face face) {
        QLabel* lbl = form_.Control(new FitLabel(ToQt(caption), w), name);
        lbl->setFont(FontOf(face));
        SetTwipsGeometry(lbl, l, t, wd, h);
        return lbl;
    };
    auto captionLabel = [&](const char* name, const char* caption, double top) {
        QLabel* lbl = label(name, caption, 240, top, 1815, 255, Face::Bold);
        Paint(lbl, kCaptionColour);
        return lbl;
    };
    auto box = [&](Box which, const char* name, double top, double width, int helpTopic) {
        auto* t = form_.Control(new QLineEdit(w), name);
        t->setFont(FontOf(Face::Bold));
        t->setProperty("HelpContextID", helpTopic);
        SetTwipsGeometry(t, 2160, top, width, 285);
        boxes_[static_cast<int>(which)] = t;
        return t;
    };
    auto button = [&](const char* name, const char* caption, double l, double t, double wd,
                      double h) {
        auto* b = form_.Control(new QPushButton(ToQt(caption), w), name);
        b->setFont(FontOf(Face::Bold));
        b->setAutoDefault(false);
        SetTwipsGeometry(b, l, t, wd, h);
        return b;
    };

    Label1 = label("Label1", "Inputs and Edits", 1320, 120, 1575, 255, Face::Heading);
    Paint(Label1, kCaptionColour);
    Label17 = label("Label17", "(Press Esc to Terminate)", 3000, 120, 3615, 255, Face::Hint);
    Label3 = label("Label3", "Items Entered", 7560, 120, 1455, 255, Face::Heading);
    Paint(Label3, kCaptionColour);
    Label14 = label("Label14", "Track", 7800, 480, 615, 255, Face::Heading);
    Paint(Label14, kCaptionColour);

    Label4 = captionLabel("Label4", "Title", 480);
    lblTitle = label("lblTitle", "", 2160, 480, 1575, 285, Face::Bold);
    lblTitle->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Paint(lblTitle, Qt::white);

    Label5 = captionLabel("Label5", "Tempo", 840);
    txtTempo = box(Box::Tempo, "txtTempo", 840, 495, 2);
    Label6 = captionLabel("Label6", "Track", 1200);
    txtTrack = box(Box::Track, "txtTrack", 1200, 375, 3);
    lblTrackDesc = label("lblTrackDesc", "", 2880, 1200, 0, 255, Face::Bold);
    lblTrackDesc->adjustSize();
    Label7 = captionLabel("Label7", "Item #", 1560);
    txtItem = box(Box::Item, "txtItem", 1560, 735, 4);
    lblChannel = captionLabel("lblChannel", "Channel", 2040);
    txtChannel = box(Box::Channel, "txtChannel", 2040, 375, 28);
    Label8 = captionLabel("Label8", "Measure", 2400);
    txtBar = box(Box::Bar, "txtBar", 2400, 735, 5);
    Label16 = label("Label16", "Press Home to increment", 3120, 2400, 3495, 255, Face::Hint);
    Label9 = captionLabel("Label9", "Note Name (or Rest)", 2760);
    txtNote = box(Box::Note, "txtNote", 2760, 855, 6);
    Label18 = label("Label18", "Press F7 for various Options", 3120, 2760, 3495, 255, Face::Hint);
    lblOctave = captionLabel("lblOctave", "Octave", 3120);
    txtOcta = box(Box::Octa, "txtOcta", 3120, 255, 7);
    lblNoteValue = captionLabel("lblNoteValue", "Note Value", 3480);
    txtDur = box(Box::Dur, "txtDur", 3480, 1455, 8);
    lblTimeElapsed = label("lblTimeElapsed", "", 5160, 3360, 1455, 285, Face::Bold);
    lblTimeElapsed->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Paint(lblTimeElapsed, Qt::white);
    lblAdjustment = captionLabel("lblAdjustment", "Spare", 3840);
    txtAdj = box(Box::Adj, "txtAdj", 3840, 615, 9);
    lblDynamics = captionLabel("lblDynamics", "Dynamics", 4200);
    txtDyn = box(Box::Dyn, "txtDyn", 4200, 495, 10);
    lblPitchBend = captionLabel("lblPitchBend", "Pitch Bend", 4560);
    txtPitchBend = box(Box::PitchBend, "txtPitchBend", 4560, 615, 29);

    btnAccept = button("btnAccept", "Accept &Item", 3120, 4680, 1335, 375);
    btnExitKVSfrm = button("btnExitKVSfrm", "E&xit to Menu", 4560, 4680, 1335, 375);

    // The lists stand over other controls and are hidden until needed.
    cboTracks = form_.Control(new SortedComboBox(w), "cboTracks");
    cboTracks->setFont(FontOf(Face::Bold));
    SetTwipsGeometry(cboTracks, 3840, 480, 2655, 315);
    cboTracks->hide();
    cboDrumLookup = form_.Control(new SortedComboBox(w), "cboDrumLookup");
    cboDrumLookup->setFont(FontOf(Face::Bold));
    SetTwipsGeometry(cboDrumLookup, 4200, 480, 2295, 315);
    cboDrumLookup->hide();
    // The instrument list takes a typed program number as well as a row.
    cboGMNames = form_.Control(new QComboBox(w), "cboGMNames");
    cboGMNames->setFont(FontOf(Face::Bold));
    cboGMNames->setMaxVisibleItems(16);
    cboGMNames->setEditable(true);
    cboGMNames->setInsertPolicy(QComboBox::NoInsert);
    SetTwipsGeometry(cboGMNames, 2160, 4200, 2895, 315);
    cboGMNames->hide();

    // Track rows: three pages of 32 in the same places.
    for (int r = 0; r < kMaxTracks; ++r) {
        const int k = r % 32;
        const double top = 840 + 240 * (k % 16);
        const bool second = k >= 16;
        auto* num = new QLabel(QString::number(r + 1), w);
        lblTrkNum.Load(r, num);
        form_.AddControl(num, num->objectName());
        num->setFont(FontOf(Face::Rows));
        num->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Paint(num, kCaptionColour);
        SetTwipsGeometry(num, second ? 8160 : 6720, top, 255, 255);
        auto* dat = new QLabel(w);
        lblTrkDat.Load(r, dat);
        form_.AddControl(dat, dat->objectName());
        dat->setFont(FontOf(Face::Rows));
        dat->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        dat->setIndent(4);
        SetTwipsGeometry(dat, second ? 8520 : 7080, top, 975, 255);
        num->setVisible(r < 32);
        dat->setVisible(r < 32);
    }
    btnFlip = button("btnFlip", "&Flip", 7920, 4800, 735, 255);
    // Alt+F belongs to the File menu alone; Flip is reached by the mouse,
    // by Tab and from the track box.
    btnFlip->setShortcut(QKeySequence());
    btnFlip->hide();

    Frame1 = form_.Control(new QGroupBox(QStringLiteral("Instructions"), w), "Frame1");
    Frame1->setFont(FontOf(Face::Plain));
    SetTwipsGeometry(Frame1, 0, 5100, 9615, 1500);
    StatusBar1 = form_.Control(new StatusLine(Frame1), "StatusBar1");
    StatusBar1->setFont(FontOf(Face::Plain));
    SetTwipsGeometry(StatusBar1, 120, 200, 9375, 375);
    StatusBar2 = form_.Control(new StatusLine(Frame1), "StatusBar2");
    StatusBar2->setFont(FontOf(Face::Plain));
    SetTwipsGeometry(StatusBar2, 120, 720, 9375, 375);

    // Labels never take the focus; the boxes and buttons in tab order.
    for (QLabel* l : client_->findChildren<QLabel*>()) l->setFocusPolicy(Qt::NoFocus);
    // The instrument list, while it is open, stands in the dynamics box's
    // place: Enter there moves on to the box after it.
    QWidget* order[] = {txtTempo,  txtTrack,      txtItem, txtChannel, txtBar,       txtNote,
                        txtOcta,   txtDur,        txtAdj,  txtDyn,     cboGMNames,   txtPitchBend,
                        btnAccept, btnExitKVSfrm, btnFlip, cboTracks,  cboDrumLookup};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

// ---- Window events ---------------------------------------------------------

void FrmKVS::Form_Load() {
    Context& c = C();
    State& s = c.s;
    // 1. The main window is this one (the About box takes its icon from it).
    // 2-3. The player and the auxiliary program.
    s.DefaultPlayer = c.GetIniSetting("DefaultPlayer");
    if (s.DefaultPlayer.empty()) s.DefaultPlayer = "xdg-open";
    s.AuxiliaryProgram = c.GetIniSetting("AuxiliaryProgram");
    // 4. Placement, except on a screen exactly 640 pixels wide.
    const ScreenMetrics screen = c.sys.Screen();
    if (screen.WidthPixels() != 640.0) {
        const std::string r = c.GetIniSetting("Resolution");
        if (r.empty()) {
            s.Resolution = 0;
            c.SetIniSetting("Resolution", Str(0));
        } else {
            try {
                s.Resolution = CInt(Val(r));
            } catch (const VbError&) {
                s.Resolution = 0; // a value beyond 16 bits: only centre
            }
        }
        QtPlaceableForm placeable(this, client_, form_.Controls());
        if (s.Resolution != 0) {
            ResizeForm(placeable, screen, 0, 0);
        } else {
            CentreForm(placeable, screen);
            setWindowState(Qt::WindowNoState);
        }
    }
    // 5. Key preview.
    form_.Keys().SetKeyPreview(true);
    // 6. Track rows.
    ArrangeTrackLabels();
    // 7-8. The recent pieces, up to the first empty setting.
    s.OpenFromRecent = 0;
    s.RecentCount = 0;
    LoadRecentPieces(c);
    // 9. The pieces directory, shown in the caption.
    s.FilePath = DefaultPath(c);
    setWindowTitle(ToQt(kCaptionPrefix + PathText(s.FilePath)));
    // 10-12. Tables and limits.
    FillNoteTables(s);
    SystemDefaults(c);
    s.CapacityReached = 0;
    // 13. The instrument and drum lists.
    cboGMNames->clear();
    for (const std::string& row : ProgramListRows()) cboGMNames->addItem(ToQt(row));
    ClearGMNames();
    cboDrumLookup->Clear();
    for (const std::string& row : DrumLookupRows()) cboDrumLookup->AddItem(row);
    cboDrumLookup->SetListIndex(0);
    // 14-15.
    s.PieceChanged = 0;
    EnableMenus();
}

void FrmKVS::Form_Activate() {
    ArrangeTrackLabels();
}

void FrmKVS::Form_QueryUnload(Integer& cancel) {
    if (!c_) return; // never loaded: nothing to keep
    cancel = tnq::Form_QueryUnload(*c_) ? 1 : 0;
}

void FrmKVS::closeEvent(QCloseEvent* e) {
    Integer cancel = 0;
    if (!ending_) form_.Queue().Run([&] { Form_QueryUnload(cancel); });
    if (cancel != 0) {
        e->ignore();
        return;
    }
    ending_ = true;
    e->accept();
}

// ---- Modes -----------------------------------------------------------------

void FrmKVS::EnableMenus() {
    for (const char* m : {"mnuFile", "mnuEdit", "mnuPlay", "mnuMisc"}) menus_->SetEnabled(m, true);
    for (QLineEdit* t : {txtTempo, txtTrack, txtItem, txtChannel, txtBar, txtNote, txtOcta, txtDur,
                         txtAdj, txtDyn}) {
        t->clear();
        t->hide();
    }
    lblTrackDesc->clear();
    lblTrackDesc->adjustSize();
    txtPitchBend->clear();
    txtPitchBend->hide();
    btnAccept->setEnabled(false);
    btnExitKVSfrm->setEnabled(false);
    C().s.MenuActive = 1;
    if (cboGMNames->isVisibleTo(this)) HideGMNames();
    if (cboDrumLookup->isVisibleTo(this)) cboDrumLookup->hide();
    if (cboTracks->isVisibleTo(this)) cboTracks->hide();
    StatusBar1->SetLine("");
    StatusBar2->SetLine(kMenuModeStatus);
}

void FrmKVS::ShowEntryHelp() {
    // Item entry by any way (Add/Edit/Scan Notes, New, Open, a conversion)
    // is item entry's own mode: the keys of the boxes (F8 copying items, F10
    // deleting them) must not act as the last bulk command did.
    C().s.MenuMode = "mnuEdtNotes";
    for (const char* m : {"mnuFile", "mnuEdit", "mnuPlay", "mnuMisc"}) menus_->SetEnabled(m, false);
    for (QLineEdit* t : boxes_) t->show();
    btnAccept->setEnabled(true);
    btnExitKVSfrm->setEnabled(true);
    StatusBar1->SetLine("");
    StatusBar2->SetLine(kEntryModeStatus);
}

// ---- Track rows ------------------------------------------------------------

void FrmKVS::ShowRows(int from, int to, bool visible) {
    for (int r = from; r <= to; ++r) {
        lblTrkNum(r)->setVisible(visible);
        lblTrkDat(r)->setVisible(visible);
    }
}

void FrmKVS::ArrangeTrackLabels() {
    State& s = C().s;
    s.TrackPage = 0;
    for (int r = 0; r < kMaxTracks; ++r) ShowRows(r, r, r < 32);
    btnFlip->setVisible(s.NumTracks >= 33);
}

void FrmKVS::btnFlip_Click() {
    State& s = C().s;
    const int n = s.NumTracks;
    if (n <= 32) return;
    if (n <= 64) {
        if (s.TrackPage == 0) {
            ShowRows(0, 31, false);
            ShowRows(32, 63, true);
            s.TrackPage = 1;
        } else {
            ShowRows(0, 31, true);
            ShowRows(32, 63, false);
            s.TrackPage = 0;
        }
        return;
    }
    switch (s.TrackPage) {
    case 0:
        ShowRows(0, 31, false);
        ShowRows(32, 63, true);
        ShowRows(64, 95, false);
        s.TrackPage = 1;
        break;
    case 1:
        ShowRows(64, 95, true);
        ShowRows(32, 63, false);
        ShowRows(0, 31, false);
        s.TrackPage = 2;
        break;
    default:
        ShowRows(64, 95, false);
        ShowRows(0, 31, true);
        ShowRows(32, 63, false);
        s.TrackPage = 0;
        break;
    }
}

// ---- Buttons -----------------------------------------------------------------

void FrmKVS::btnAccept_Click() {
    tnq::btnAccept_Click(C());
}

void FrmKVS::btnExitKVSfrm_Click() {
    EnableMenus();
}

// ---- MainScreen ----------------------------------------------------------------

void FrmKVS::SetBackColor(Box box, std::uint32_t rgb) {
    QLineEdit* e = BoxControl(box);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, QColor::fromRgb(rgb & 0xFFFFFFu));
    e->setPalette(pal);
}

void FrmKVS::SetControlEnabled(const std::string& control, bool enabled) {
    if (QWidget* w = client_->findChild<QWidget*>(QString::fromStdString(control)))
        w->setEnabled(enabled);
}

bool FrmKVS::GMNamesVisible() const {
    return cboGMNames->isVisibleTo(const_cast<FrmKVS*>(this));
}

std::string FrmKVS::GMNamesText() const {
    return FromQt(cboGMNames->currentText());
}

int FrmKVS::GMNamesListIndex() const {
    // The row the text names, chosen or typed out.
    return cboGMNames->findText(cboGMNames->currentText(), Qt::MatchFixedString);
}

void FrmKVS::ClearGMNames() {
    cboGMNames->setCurrentIndex(-1);
    cboGMNames->clearEditText();
}

void FrmKVS::HideGMNames() {
    cboGMNames->hide();
    ClearGMNames();
}

std::string FrmKVS::Text(Box box) const {
    return FromQt(BoxControl(box)->text());
}

void FrmKVS::SetText(Box box, const std::string& text) {
    BoxControl(box)->setText(ToQt(text));
}

void FrmKVS::SetStatus1(const std::string& text) {
    StatusBar1->SetLine(text);
}

void FrmKVS::SetStatus2(const std::string& text) {
    StatusBar2->SetLine(text);
}

void FrmKVS::SetTrackFigure(int row, const std::string& text) {
    lblTrkDat(row)->setText(ToQt(text));
}

void FrmKVS::SetHourglass(bool on) {
    hourglass_.Set(on);
}

void FrmKVS::DoEvents() {
    QCoreApplication::processEvents();
}

void FrmKVS::SetFocus(Box box) {
    MoveFocus(BoxControl(box));
}

void FrmKVS::SetCaption(const std::string& control, const std::string& text) {
    if (control == "frmKVS") {
        setWindowTitle(ToQt(text));
        return;
    }
    QWidget* w = client_->findChild<QWidget*>(QString::fromStdString(control));
    if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(ToQt(text));
        if (l == lblTrackDesc) l->adjustSize();
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(ToQt(text));
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(ToQt(text));
    } else {
        menus_->SetCaption(control, text);
    }
}

std::string FrmKVS::Caption(const std::string& control) const {
    if (control == "frmKVS") return FromQt(windowTitle());
    QWidget* w = client_->findChild<QWidget*>(QString::fromStdString(control));
    if (auto* l = qobject_cast<QLabel*>(w)) return FromQt(l->text());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return FromQt(b->text());
    if (auto* g = qobject_cast<QGroupBox*>(w)) return FromQt(g->title());
    return menus_->Caption(control);
}

void FrmKVS::SetMenuEnabled(const std::string& control, bool enabled) {
    menus_->SetEnabled(control, enabled);
}

void FrmKVS::SetMenuChecked(const std::string& control, bool checked) {
    menus_->SetChecked(control, checked);
}

bool FrmKVS::MenuChecked(const std::string& control) const {
    return menus_->Checked(control);
}

void FrmKVS::ShowRecentPieces(const std::vector<std::string>& paths) {
    for (int i = mnuFileArray->UBound(); i >= 1; --i)
        if (mnuFileArray->Exists(i)) mnuFileArray->Unload(i);
    for (std::size_t i = 0; i < paths.size(); ++i)
        mnuFileArray->Load(static_cast<int>(i) + 1, PathText(paths[i]));
    (*mnuFileArray)(0)->setVisible(!paths.empty());
}

void FrmKVS::SetTrackList(const std::vector<std::string>& rows, int selected) {
    cboTracks->Clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i == 0)
            cboTracks->AddHeading(rows[i]);
        else
            cboTracks->AddItem(rows[i]);
    }
    cboTracks->SetListIndex(selected);
}

} // namespace tnq
