// Twips and pixels; windows and controls for the placement rules.
#include "platform/ui/qt_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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

} // namespace tnq
