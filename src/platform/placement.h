// Placing forms on the screen: centring, and scaling everything by the
// screen's width against a 640-pixel design. Sizes are twips (1/1440 inch),
// held as single-precision values.
#pragma once

namespace tnq {

// What the placement rules need to know of the screen.
struct ScreenMetrics {
    float WidthTwips = 0;
    float HeightTwips = 0;
    float TwipsPerPixelX = 15; // 15 at 96 dots per inch
    float TwipsPerPixelY = 15;

    double WidthPixels() const { return double(WidthTwips) / double(TwipsPerPixelX); }

    // A screen of the given pixels at the given dots per inch.
    static ScreenMetrics FromPixels(int width, int height, double dpi = 96);
};

enum class FormProp { Left, Top, Width, Height, FontSize };

// A form or one of its controls, as the placement rules see it. Get gives
// false for a property the object does not have; Set gives false when the
// object refuses the value.
class Placeable {
public:
    virtual ~Placeable() = default;
    virtual bool Get(FormProp prop, float& value) const = 0;
    virtual bool Set(FormProp prop, float value) = 0;
};

class PlaceableForm : public Placeable {
public:
    virtual int ControlCount() const = 0;
    virtual Placeable* Control(int index) = 0;
};

// Left and top such that the form is centred on the screen.
void CentreForm(PlaceableForm& form, const ScreenMetrics& screen);

// Scales the form and all its controls by screen width in pixels / 640;
// left and top both 0 centre the scaled form, otherwise they place it.
void ResizeForm(PlaceableForm& form, const ScreenMetrics& screen, int left, int top);

// The placement every dialog applies when it loads: centred, then scaled
// when the screen is not 640 pixels wide and resolution is not 0.
void PlaceDialog(PlaceableForm& form, const ScreenMetrics& screen, int resolution);

} // namespace tnq
