// Centring and scaling forms against the 640-pixel design.
#include "platform/placement.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace tnq {
namespace {

struct FakeControl : Placeable {
    std::map<FormProp, float> props;
    bool refuseTop = false;
    bool Get(FormProp p, float& v) const override {
        auto it = props.find(p);
        if (it == props.end()) return false;
        v = it->second;
        return true;
    }
    bool Set(FormProp p, float v) override {
        if (p == FormProp::Top && refuseTop) return false;
        if (!props.count(p)) return false;
        props[p] = v;
        return true;
    }
};

struct FakeForm : PlaceableForm {
    FakeControl self;
    std::vector<FakeControl> controls;
    bool Get(FormProp p, float& v) const override { return self.Get(p, v); }
    bool Set(FormProp p, float v) override { return self.Set(p, v); }
    int ControlCount() const override { return static_cast<int>(controls.size()); }
    Placeable* Control(int i) override { return &controls[static_cast<std::size_t>(i)]; }
};

FakeForm Dialog() {
    FakeForm f;
    f.self.props = {{FormProp::Left, 0},
                    {FormProp::Top, 0},
                    {FormProp::Width, 4000},
                    {FormProp::Height, 3000},
                    {FormProp::FontSize, 8}};
    FakeControl label; // a label with no font of its own
    label.props = {{FormProp::Left, 100},
                   {FormProp::Top, 200},
                   {FormProp::Width, 1000},
                   {FormProp::Height, 255}};
    FakeControl box = label;
    box.props[FormProp::FontSize] = 8.25f;
    box.refuseTop = true;
    f.controls = {label, box};
    return f;
}

TEST(Placement, ScreenOf800PixelsScalesByOneAndAQuarter) {
    const auto screen = ScreenMetrics::FromPixels(800, 600);
    EXPECT_DOUBLE_EQ(screen.WidthPixels(), 800);
    FakeForm f = Dialog();
    ResizeForm(f, screen, 0, 0);
    EXPECT_FLOAT_EQ(f.self.props[FormProp::Width], 5000);
    EXPECT_FLOAT_EQ(f.self.props[FormProp::Height], 3750);
    EXPECT_FLOAT_EQ(f.self.props[FormProp::FontSize], 10);
    // Centred again on the new size: (12000 - 5000) / 2, (9000 - 3750) / 2.
    EXPECT_FLOAT_EQ(f.self.props[FormProp::Left], 3500);
    EXPECT_FLOAT_EQ(f.self.props[FormProp::Top], 2625);
    EXPECT_FLOAT_EQ(f.controls[0].props[FormProp::Left], 125);
    EXPECT_FLOAT_EQ(f.controls[0].props[FormProp::Width], 1250);
    EXPECT_FALSE(f.controls[0].props.count(FormProp::FontSize));
    // A refused property is skipped; the others still scale.
    EXPECT_FLOAT_EQ(f.controls[1].props[FormProp::Top], 200);
    EXPECT_FLOAT_EQ(f.controls[1].props[FormProp::Height], 318.75f);
    EXPECT_FLOAT_EQ(f.controls[1].props[FormProp::FontSize], 10.3125f);
}

TEST(Placement, ExplicitPositionIsKept) {
    FakeForm f = Dialog();
    ResizeForm(f, ScreenMetrics::FromPixels(1280, 1024), 300, 400);
    EXPECT_FLOAT_EQ(f.self.props[FormProp::Width], 8000);
    EXPECT_FLOAT_EQ(f.self.props[FormProp::Left], 300);
    EXPECT_FLOAT_EQ(f.self.props[FormProp::Top], 400);
}

TEST(Placement, DialogsScaleOnlyWhenAskedAndNotAt640) {
    struct Case {
        int pixels;
        int resolution;
        float width;
    } cases[] = {{640, 1, 4000}, {640, 0, 4000}, {800, 0, 4000}, {800, 1, 5000}, {1024, -1, 6400}};
    for (const auto& c : cases) {
        FakeForm f = Dialog();
        const auto screen = ScreenMetrics::FromPixels(c.pixels, c.pixels * 3 / 4);
        PlaceDialog(f, screen, c.resolution);
        EXPECT_FLOAT_EQ(f.self.props[FormProp::Width], c.width) << c.pixels << " " << c.resolution;
        EXPECT_FLOAT_EQ(f.self.props[FormProp::Left],
                        (screen.WidthTwips - f.self.props[FormProp::Width]) / 2);
    }
}

TEST(Placement, TwipsPerPixelFollowTheDotsPerInch) {
    EXPECT_FLOAT_EQ(ScreenMetrics::FromPixels(800, 600, 96).TwipsPerPixelX, 15);
    EXPECT_FLOAT_EQ(ScreenMetrics::FromPixels(800, 600, 120).TwipsPerPixelX, 12);
    EXPECT_DOUBLE_EQ(ScreenMetrics::FromPixels(800, 600, 120).WidthPixels(), 800);
}

} // namespace
} // namespace tnq
