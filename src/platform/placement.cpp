// Centring and scaling of forms.
#include "platform/placement.h"

#include <initializer_list>

namespace tnq {

ScreenMetrics ScreenMetrics::FromPixels(int width, int height, double dpi) {
    ScreenMetrics m;
    float tpp = static_cast<float>(1440.0 / dpi);
    m.TwipsPerPixelX = tpp;
    m.TwipsPerPixelY = tpp;
    m.WidthTwips = static_cast<float>(width * double(tpp));
    m.HeightTwips = static_cast<float>(height * double(tpp));
    return m;
}

void CentreForm(PlaceableForm& form, const ScreenMetrics& screen) {
    float w = 0, h = 0;
    form.Get(FormProp::Width, w);
    form.Get(FormProp::Height, h);
    form.Set(FormProp::Left, static_cast<float>((double(screen.WidthTwips) - w) / 2));
    form.Set(FormProp::Top, static_cast<float>((double(screen.HeightTwips) - h) / 2));
}

void ResizeForm(PlaceableForm& form, const ScreenMetrics& screen, int left, int top) {
    const double ratio = screen.WidthPixels() / 640.0;
    auto scale = [ratio](Placeable& p, FormProp prop) {
        float v = 0;
        if (p.Get(prop, v)) p.Set(prop, static_cast<float>(double(v) * ratio));
    };
    scale(form, FormProp::Width);
    scale(form, FormProp::Height);
    scale(form, FormProp::FontSize);
    if (left != 0 || top != 0) {
        form.Set(FormProp::Left, static_cast<float>(left));
        form.Set(FormProp::Top, static_cast<float>(top));
    } else {
        CentreForm(form, screen);
    }
    for (int i = 0; i < form.ControlCount(); ++i) {
        Placeable* c = form.Control(i);
        if (!c) continue;
        for (FormProp prop :
             {FormProp::Left, FormProp::Top, FormProp::Height, FormProp::Width, FormProp::FontSize})
            scale(*c, prop);
    }
}

void PlaceDialog(PlaceableForm& form, const ScreenMetrics& screen, int resolution) {
    CentreForm(form, screen);
    if (screen.WidthPixels() != 640.0 && resolution != 0) ResizeForm(form, screen, 0, 0);
}

} // namespace tnq
