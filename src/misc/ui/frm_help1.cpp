// The overview pages on Qt Widgets.
#include "misc/ui/frm_help1.h"

#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_placement.h"

#include <QPainter>

namespace tnq {

namespace {

constexpr double kFormWidth = 9300, kFormHeight = 6600;

} // namespace

FrmHelp1::FrmHelp1(QWidget* mainWindow, Context& c)
    : DialogForm(mainWindow), c_(c), main_(mainWindow) {
    setObjectName("frmHelp1");
    setWindowTitle("Tonquill - Overview");
    setModal(false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    Form& f = Forms();
    btnNext = f.Control(new QPushButton("Next", this), "btnNext");
    btnPrevious = f.Control(new QPushButton("Previous", this), "btnPrevious");
    btnExit = f.Control(new QPushButton("Exit", this), "btnExit");
    SetTwipsGeometry(btnNext, 2040, 6000, 1215, 375);
    SetTwipsGeometry(btnPrevious, 3840, 6000, 1215, 375);
    SetTwipsGeometry(btnExit, 5640, 6000, 1215, 375);
    btnNext->setAutoDefault(false);
    btnPrevious->setAutoDefault(false);
    btnExit->setDefault(true);
    setTabOrder(btnNext, btnPrevious);
    setTabOrder(btnPrevious, btnExit);
    const float tpp = TwipsPerPixel(this);
    setFixedSize(TwipsToPixels(kFormWidth, tpp), TwipsToPixels(kFormHeight, tpp));
    f.OnClick(btnNext, [this] { btnNext_Click(); });
    f.OnClick(btnPrevious, [this] { btnPrevious_Click(); });
    f.OnClick(btnExit, [this] { btnExit_Click(); });
}

double FrmHelp1::Ratio() const {
    const ScreenMetrics screen = c_.sys.Screen();
    if (c_.s.Resolution == 0 || screen.WidthPixels() == 640.0) return 1;
    return screen.WidthPixels() / 640.0;
}

void FrmHelp1::Form_Load() {
    // Beside the main window's right edge, level with its top.
    const float tpp = TwipsPerPixel(this);
    const double width = PixelsToTwips(frameGeometry().width(), tpp);
    const double left = (main_ ? PixelsToTwips(main_->frameGeometry().width(), tpp) : 0) -
                        (width + 150);
    const double top = main_ ? PixelsToTwips(main_->frameGeometry().top(), tpp) : 0;
    if (Ratio() != 1) {
        QtPlaceableForm placeable(this, this, Forms().Controls());
        ResizeForm(placeable, c_.sys.Screen(), static_cast<int>(left), static_cast<int>(top));
    } else {
        move(TwipsToPixels(left, tpp), TwipsToPixels(top, tpp));
    }
    if (c_.s.MenuMode == "mnuHelpOverview") pager_ = OverviewPager{};
    ShowPager();
}

void FrmHelp1::Form_Activate() {
    // At the right edge of the screen.
    const ScreenMetrics screen = c_.sys.Screen();
    const int screenWidth = static_cast<int>(screen.WidthTwips / screen.TwipsPerPixelX);
    move(screenWidth - frameGeometry().width(), y());
    update();
}

void FrmHelp1::ShowPager() {
    btnNext->setEnabled(pager_.NextEnabled);
    btnPrevious->setEnabled(pager_.PreviousEnabled);
    update();
}

void FrmHelp1::btnNext_Click() {
    pager_.Next();
    ShowPager();
}

void FrmHelp1::btnPrevious_Click() {
    pager_.Previous();
    ShowPager();
}

void FrmHelp1::btnExit_Click() {
    UnloadMe();
}

OverviewPage FrmHelp1::Shown() const {
    return OverviewPageOf(c_.s, pager_.Page, kExecutableName);
}

void FrmHelp1::paintEvent(QPaintEvent* e) {
    DialogForm::paintEvent(e);
    ++draws_;
    const double r = Ratio();
    const float tpp = TwipsPerPixel(this);
    const OverviewPage page = Shown();
    QPainter painter(this);
    painter.setPen(Qt::black);
    int x = TwipsToPixels(page.Left * r, tpp);
    int y = TwipsToPixels(page.Top * r, tpp);
    QFont plain = font();
    plain.setPointSizeF(8.25 * r);
    for (const PageLine& line : page.Lines) {
        int height = QFontMetrics(plain).height();
        for (const TextRun& run : line) {
            QFont f = plain;
            f.setPointSizeF(run.Points * r);
            f.setBold(run.Bold);
            f.setUnderline(run.Underline);
            const QFontMetrics m(f);
            height = std::max(height, m.height());
            painter.setFont(f);
            const QString text = ToQt(run.Text);
            painter.drawText(x, y + m.ascent(), text);
            x += m.horizontalAdvance(text);
        }
        x = 0;
        y += height;
    }
}

} // namespace tnq
