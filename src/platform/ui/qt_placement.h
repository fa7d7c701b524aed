// Forms in twips on Qt widgets: the conversion between twips and pixels at
// the screen's dots per inch (15 twips a pixel at 96), and the placement
// rules' view of a window and its controls.
#pragma once

#include "platform/placement.h"

#include <QRect>

#include <memory>
#include <vector>

class QWidget;

namespace tnq {

// Twips per pixel of the screen a widget is on (the primary screen when
// none): 1440 / its logical dots per inch.
float TwipsPerPixel(const QWidget* w = nullptr);

int TwipsToPixels(double twips, float twipsPerPixel);
double PixelsToTwips(int pixels, float twipsPerPixel);

// A rectangle given in twips, in pixels.
QRect TwipsRect(double left, double top, double width, double height, float twipsPerPixel);
// Places a control by its design position in twips.
void SetTwipsGeometry(QWidget* w, double left, double top, double width, double height);

// A window as the placement rules see it: its left and top on the screen,
// the size of its client area (where the controls stand; the menu bar
// comes on top of it) and its font size; the controls keep their positions
// relative to their container, and each its own font size.
class QtPlaceableForm : public PlaceableForm {
public:
    QtPlaceableForm(QWidget* window, QWidget* client, std::vector<QWidget*> controls);
    ~QtPlaceableForm() override;

    bool Get(FormProp prop, float& value) const override;
    bool Set(FormProp prop, float value) override;
    int ControlCount() const override;
    Placeable* Control(int index) override;

private:
    QWidget* window_;
    QWidget* client_;
    float tpp_;
    std::vector<std::unique_ptr<Placeable>> controls_;
};

} // namespace tnq
