// Forms in twips on Qt widgets: the conversion between twips and pixels at
// the screen's dots per inch (15 twips a pixel at 96), and the placement
// rules' view of a window and its controls.
#pragma once

#include "platform/placement.h"

#include <QRect>
#include <QString>

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

// The screen a window is on (the primary screen when none) as the
// placement rules see it.
ScreenMetrics ScreenOf(const QWidget* window);

// Centres a window on the screen with the size it has now.
void CentreWindow(QWidget* window, const ScreenMetrics& screen);

// Centres a window on its screen when it is first shown: once the toolkit
// has given it its size, and before it appears.
void CentreAtFirstShowing(QWidget* window);

// The width a window needs to show its whole title in its title bar: the
// title in a bold face plus room for the bar's icon and buttons.
inline constexpr int kTitleBarExtras = 120;
int TitleBarWidth(const QString& title);

// The width a label, check box, option button or button needs to show its
// whole caption; 0 for other controls and empty captions.
int CaptionWidth(const QWidget* control);

// Makes a window whose controls stand at design positions wide enough for
// every caption: a label, check box, option button or button narrower than
// its caption is widened, the controls to the right of it move over by as
// much, and the window (or frame) grows with them. A window narrower than
// its title is widened too, its controls moving to stay in the middle.
// Captions that fit keep their design sizes.
void FitCaptions(QWidget* window);

} // namespace tnq
