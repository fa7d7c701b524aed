// Twips and pixels; windows and controls for the placement rules.
#include "platform/ui/qt_placement.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace tnq {

float TwipsPerPixel(const QWidget* w) {
    QScreen* screen = w ? w->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return static_cast<float>(1440.0 / (dpi > 0 ? dpi : 96.0));
}

int TwipsToPixels(double twips, float tpp) {
    return static_cast<int>(std::lround(twips / double(tpp)));
}

double PixelsToTwips(int pixels, float tpp) {
    return double(pixels) * double(tpp);
}

QRect TwipsRect(double left, double top, double width, double height, float tpp) {
    return {TwipsToPixels(left, tpp), TwipsToPixels(top, tpp), TwipsToPixels(width, tpp),
            TwipsToPixels(height, tpp)};
}

void SetTwipsGeometry(QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(TwipsRect(left, top, width, height, TwipsPerPixel(w)));
}

namespace {

// A control: position and size relative to its container, and its font.
class QtPlaceableControl : public Placeable {
public:
    QtPlaceableControl(QWidget* w, float tpp) : w_(w), tpp_(tpp) {}

    bool Get(FormProp prop, float& value) const override {
        const QRect g = w_->geometry();
        switch (prop) {
        case FormProp::Left:
            value = float(PixelsToTwips(g.x(), tpp_));
            return true;
        case FormProp::Top:
            value = float(PixelsToTwips(g.y(), tpp_));
            return true;
        case FormProp::Width:
            value = float(PixelsToTwips(g.width(), tpp_));
            return true;
        case FormProp::Height:
            value = float(PixelsToTwips(g.height(), tpp_));
            return true;
        case FormProp::FontSize:
            value = float(w_->font().pointSizeF());
            return value > 0;
        }
        return false;
    }

    bool Set(FormProp prop, float value) override {
        QRect g = w_->geometry();
        const int px = TwipsToPixels(value, tpp_);
        switch (prop) {
        case FormProp::Left:
            g.moveLeft(px);
            break;
        case FormProp::Top:
            g.moveTop(px);
            break;
        case FormProp::Width:
            g.setWidth(px);
            break;
        case FormProp::Height:
            g.setHeight(px);
            break;
        case FormProp::FontSize: {
            if (value <= 0) return false;
            QFont f = w_->font();
            f.setPointSizeF(value);
            w_->setFont(f);
            return true;
        }
        }
        w_->setGeometry(g);
        return true;
    }

private:
    QWidget* w_;
    float tpp_;
};

} // namespace

QtPlaceableForm::QtPlaceableForm(QWidget* window, QWidget* client, std::vector<QWidget*> controls)
    : window_(window), client_(client), tpp_(TwipsPerPixel(window)) {
    for (QWidget* c : controls) {
        // Each control keeps a font size of its own: a new size for the
        // window or a frame must not reach the controls inside through the
        // toolkit's font inheritance, or they would be scaled twice.
        QFont f = c->font();
        if (f.pointSizeF() > 0)
            f.setPointSizeF(f.pointSizeF());
        else
            f.setPixelSize(f.pixelSize());
        c->setFont(f);
        controls_.push_back(std::make_unique<QtPlaceableControl>(c, tpp_));
    }
}

QtPlaceableForm::~QtPlaceableForm() = default;

bool QtPlaceableForm::Get(FormProp prop, float& value) const {
    switch (prop) {
    case FormProp::Left:
        value = float(PixelsToTwips(window_->x(), tpp_));
        return true;
    case FormProp::Top:
        value = float(PixelsToTwips(window_->y(), tpp_));
        return true;
    case FormProp::Width:
        value = float(PixelsToTwips(window_->width(), tpp_));
        return true;
    case FormProp::Height:
        value = float(PixelsToTwips(window_->height(), tpp_));
        return true;
    case FormProp::FontSize:
        value = float(window_->font().pointSizeF());
        return value > 0;
    }
    return false;
}

bool QtPlaceableForm::Set(FormProp prop, float value) {
    const int px = TwipsToPixels(value, tpp_);
    // The window is as large as its client area and whatever stands above
    // it (the menu bar).
    const int extraH = window_->height() - client_->height();
    const int extraW = window_->width() - client_->width();
    switch (prop) {
    case FormProp::Left:
        window_->move(px, window_->y());
        return true;
    case FormProp::Top:
        window_->move(window_->x(), px);
        return true;
    case FormProp::Width:
        client_->setFixedWidth(std::max(0, px - extraW));
        window_->setFixedWidth(px);
        return true;
    case FormProp::Height:
        client_->setFixedHeight(std::max(0, px - extraH));
        window_->setFixedHeight(px);
        return true;
    case FormProp::FontSize: {
        if (value <= 0) return false;
        QFont f = window_->font();
        f.setPointSizeF(value);
        window_->setFont(f);
        return true;
    }
    }
    return false;
}

int QtPlaceableForm::ControlCount() const {
    return static_cast<int>(controls_.size());
}

Placeable* QtPlaceableForm::Control(int index) {
    if (index < 0 || index >= ControlCount()) return nullptr;
    return controls_[static_cast<std::size_t>(index)].get();
}

ScreenMetrics ScreenOf(const QWidget* window) {
    QScreen* screen = window ? window->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return ScreenMetrics::FromPixels(1024, 768);
    const QRect g = screen->geometry();
    const double dpi = screen->logicalDotsPerInchX();
    return ScreenMetrics::FromPixels(g.width(), g.height(), dpi > 0 ? dpi : 96.0);
}

void CentreWindow(QWidget* window, const ScreenMetrics& screen) {
    QtPlaceableForm placeable(window, window, {});
    CentreForm(placeable, screen);
}

namespace {

// Centres its window at the window's first showing, then goes.
class FirstShowingCentre : public QObject {
public:
    explicit FirstShowingCentre(QWidget* window) : QObject(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            auto* window = static_cast<QWidget*>(watched);
            CentreWindow(window, ScreenOf(window));
            window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void CentreAtFirstShowing(QWidget* window) {
    new FirstShowingCentre(window);
}

int TitleBarWidth(const QString& title) {
    QFont f = QApplication::font("QMdiSubWindowTitleBar");
    f.setBold(true);
    return QFontMetrics(f).horizontalAdvance(title) + kTitleBarExtras;
}

namespace {

// A caption as drawn: an ampersand marks the access key, two stand for one.
QString DrawnCaption(QString text) {
    text.replace("&&", QString(QChar(1)));
    text.remove('&');
    text.replace(QChar(1), '&');
    return text;
}

} // namespace

int CaptionWidth(const QWidget* w) {
    if (const auto* l = qobject_cast<const QLabel*>(w)) {
        if (l->text().isEmpty() || l->wordWrap()) return 0;
        return l->sizeHint().width();
    }
    if (const auto* b = qobject_cast<const QPushButton*>(w)) {
        if (b->text().isEmpty()) return 0;
        const QStyle* st = b->style();
        return b->fontMetrics().horizontalAdvance(DrawnCaption(b->text())) +
               st->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) +
               2 * st->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
    }
    // A check box or option button: its mark, the gap and the caption.
    const auto* option = qobject_cast<const QAbstractButton*>(w);
    if (!option || option->text().isEmpty()) return 0;
    const QStyle* st = w->style();
    const int caption = option->fontMetrics().horizontalAdvance(DrawnCaption(option->text()));
    if (qobject_cast<const QCheckBox*>(w))
        return st->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
               st->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w) + caption;
    if (qobject_cast<const QRadioButton*>(w))
        return st->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
               st->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w) + caption;
    return 0;
}

namespace {

// A frame whose controls stand at design positions, as a window's do.
bool IsDesignFrame(const QWidget* w) {
    if (w->layout()) return false;
    const QMetaObject* m = w->metaObject();
    return qobject_cast<const QGroupBox*>(w) || m == &QFrame::staticMetaObject ||
           m == &QWidget::staticMetaObject;
}

std::vector<QWidget*> ChildControls(const QWidget* parent) {
    std::vector<QWidget*> kids;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow()) kids.push_back(w);
    return kids;
}

int ChildrenRight(const QWidget* parent) {
    int right = 0;
    for (const QWidget* w : ChildControls(parent)) right = std::max(right, w->x() + w->width());
    return right;
}

void Widen(QWidget* w, int by) {
    if (w->minimumWidth() == w->maximumWidth())
        w->setFixedWidth(w->width() + by);
    else
        w->resize(w->width() + by, w->height());
}

// Widens the controls of parent to their captions, left to right, each
// pushing the controls that stand to the right of it.
void FitChildren(QWidget* parent) {
    std::vector<QWidget*> kids = ChildControls(parent);
    std::stable_sort(kids.begin(), kids.end(),
                     [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    for (QWidget* k : kids) {
        int grow = 0;
        if (IsDesignFrame(k)) {
            const int before = ChildrenRight(k);
            FitChildren(k);
            grow = ChildrenRight(k) - before;
        } else {
            grow = CaptionWidth(k) - k->width();
        }
        if (grow <= 0) continue;
        const int right = k->x() + k->width();
        Widen(k, grow);
        for (QWidget* o : kids)
            if (o != k && o->x() >= right) o->move(o->x() + grow, o->y());
    }
}

} // namespace

void FitCaptions(QWidget* window) {
    const int title = TitleBarWidth(window->windowTitle());
    if (QLayout* layout = window->layout()) {
        // The layout sizes the controls; the title asks for a minimum only
        // where the controls ask for less.
        window->setMinimumWidth(title > layout->totalMinimumSize().width() ? title : 0);
        return;
    }
    const int before = ChildrenRight(window);
    FitChildren(window);
    const int grow = ChildrenRight(window) - before;
    if (grow > 0) Widen(window, grow);
    const int lack = title - window->width();
    if (lack > 0) {
        Widen(window, lack);
        for (QWidget* w : ChildControls(window)) w->move(w->x() + lack / 2, w->y());
    }
}

} // namespace tnq
