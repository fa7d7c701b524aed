// The track-selection dialog driven headless: its controls, clicks on its
// boxes, OK, Cancel, Esc and the close box, the selection rebuilt on every
// showing, and its geometry by the number of tracks.
#include "core/ui/frm_track_sel.h"

#include "platform/ui/qt_placement.h"
#include "support/fakes.h"
#include "support/ui/settle.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tnq {
namespace {

// Runs act on the dialog once it is up; one still up after it is cancelled.
void WhenShown(std::function<void(FrmTrackSel&)> act) {
    test::WhenDialogShown<FrmTrackSel>(std::move(act),
                                       [](FrmTrackSel& f) { f.btnSelTrkCancel->click(); });
}

// A click on a box as the user makes it.
void Click(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
}

// The ticked boxes of the form, as its marks show them.
std::string Ticked(FrmTrackSel& f) {
    std::string out;
    for (const auto& [i, box] : f.chkTrack.Elements())
        if (box->isChecked()) out += " " + std::to_string(i);
    if (f.chkExcept->isChecked()) out += " except";
    if (f.chkClear->isChecked()) out += " clear";
    return out;
}

class FrmTrackSelTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.NumTracks = 8;
        s.SelectedTracks = std::string(8, '0');
        s.ActiveTracks = std::string(8, '1');
    }
    FrmTrackSel& Form() { return FrmTrackSel::Of(&owner); }
    void Show() { Form().Show(c); }

    test::Program p;
    State& s = p.s;
    Context& c = p.c;
    QWidget owner;
};

TEST_F(FrmTrackSelTest, ControlsCarryTheirNamesAndCaptions) {
    FrmTrackSel& f = Form();
    EXPECT_EQ(f.objectName(), "frmTrackSel");
    EXPECT_EQ(f.windowTitle(), "Select Tracks");
    EXPECT_EQ(f.chkTrack(0)->objectName(), "chkTrack(0)");
    EXPECT_EQ(f.chkTrack(0)->text(), "All Tracks");
    EXPECT_EQ(f.chkTrack(96)->objectName(), "chkTrack(96)");
    EXPECT_EQ(f.chkTrack(96)->text(), "Track 96");
    EXPECT_EQ(f.chkTrack.UBound(), 96);
    const std::pair<QAbstractButton*, const char*> named[] = {{f.chkExcept, "Except"},
                                                              {f.chkClear, "Clear Selection"},
                                                              {f.btnSelTrkOK, "OK"},
                                                              {f.btnSelTrkCancel, "Cancel"}};
    for (const auto& [w, caption] : named) EXPECT_EQ(w->text(), caption);
    EXPECT_EQ(f.chkExcept->objectName(), "chkExcept");
    EXPECT_EQ(f.chkClear->objectName(), "chkClear");
    EXPECT_EQ(f.btnSelTrkOK->objectName(), "btnSelTrkOK");
    EXPECT_EQ(f.btnSelTrkCancel->objectName(), "btnSelTrkCancel");
}

TEST_F(FrmTrackSelTest, ClicksOnTheBoxesThenOk) {
    struct Case {
        const char* what;
        std::function<void(FrmTrackSel&)> clicks;
        const char* selected;
        const char* ticked;
    } cases[] = {
        {"tracks 2 and 5", [](FrmTrackSel& f) { Click(f.chkTrack(2)), Click(f.chkTrack(5)); },
         "01001000", " 2 5"},
        {"All Tracks after track 3: every track, only All Tracks ticked",
         [](FrmTrackSel& f) { Click(f.chkTrack(3)), Click(f.chkTrack(0)); }, "11111111", " 0"},
        {"track 7 after All Tracks: track 7 only",
         [](FrmTrackSel& f) { Click(f.chkTrack(0)), Click(f.chkTrack(7)); }, "00000010", " 7"},
        {"All Tracks, Except, tracks 1 and 4",
         [](FrmTrackSel& f) {
             Click(f.chkTrack(0)), Click(f.chkExcept), Click(f.chkTrack(1)), Click(f.chkTrack(4));
         },
         "01101111", " 0 1 4 except"},
        {"Clear Selection unticks everything, itself too",
         [](FrmTrackSel& f) {
             Click(f.chkTrack(0)), Click(f.chkExcept), Click(f.chkTrack(6)), Click(f.chkClear);
         },
         "00000000", ""},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        // Nothing is ticked from the previous case.
        WhenShown([](FrmTrackSel& f) {
            Click(f.chkClear);
            f.btnSelTrkOK->click();
        });
        Show();
        s.ActiveTracks = "00111111";
        std::string ticked;
        WhenShown([&](FrmTrackSel& f) {
            k.clicks(f);
            ticked = Ticked(f);
            Click(f.btnSelTrkOK);
        });
        Show();
        EXPECT_EQ(s.SelectedTracks, k.selected);
        EXPECT_EQ(ticked, k.ticked);
        EXPECT_FALSE(Form().isVisible());
        // Only All Tracks with Except plays the suppressed tracks again.
        EXPECT_EQ(s.ActiveTracks, std::string(k.ticked).find("except") != std::string::npos
                                      ? "11111111"
                                      : "00111111");
    }
}

TEST_F(FrmTrackSelTest, EveryShowingRebuildsTheSelectionFromTheMarksLeft) {
    WhenShown([](FrmTrackSel& f) {
        Click(f.chkTrack(2));
        Click(f.chkTrack(5));
        f.btnSelTrkOK->click();
    });
    Show();
    FrmTrackSel* first = &Form();
    // Another command selected every track meanwhile.
    s.SelectedTracks = std::string(8, '1');
    std::string atActivation, ticked;
    WhenShown([&](FrmTrackSel& f) {
        atActivation = s.SelectedTracks;
        ticked = Ticked(f);
        f.btnSelTrkOK->click();
    });
    Show();
    EXPECT_EQ(&Form(), first);
    EXPECT_EQ(atActivation, "01001000");
    EXPECT_EQ(ticked, " 2 5");
    EXPECT_EQ(s.SelectedTracks, "01001000");
}

TEST_F(FrmTrackSelTest, CancelEscAndTheCloseBoxSelectNothing) {
    const std::function<void(FrmTrackSel&)> ways[] = {
        [](FrmTrackSel& f) { Click(f.btnSelTrkCancel); },
        [](FrmTrackSel& f) { test::Key(&f, Qt::Key_Escape); },
        [](FrmTrackSel& f) { f.close(); },
    };
    for (std::size_t w = 0; w < std::size(ways); ++w) {
        SCOPED_TRACE(w);
        FrmTrackSel* before = &Form();
        WhenShown([&](FrmTrackSel& f) {
            Click(f.chkTrack(3));
            ways[w](f);
        });
        Show();
        EXPECT_EQ(s.SelectedTracks, "00000000");
        test::Settle();
        const bool closeBox = w == 2;
        // Cancel and Esc keep the form and its marks; the close box
        // discards it, so the next showing starts unticked.
        EXPECT_EQ(&Form() == before, !closeBox);
        std::string ticked;
        WhenShown([&](FrmTrackSel& f) {
            ticked = Ticked(f);
            Click(f.chkClear);
            f.btnSelTrkOK->click();
        });
        Show();
        EXPECT_EQ(ticked, closeBox ? "" : " 3");
    }
}

TEST_F(FrmTrackSelTest, GeometryByTrackCount) {
    struct Case {
        int tracks, columns, width, allLeft, exceptLeft, buttonsLeft;
    } cases[] = {{20, 2, 2460, 0, 1200, 720},
                 {40, 3, 3700, 720, 1920, 1200},
                 {64, 4, 4980, 1200, 2520, 2040},
                 {96, 6, 7530, 2520, 3720, 3240}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.tracks);
        s.NumTracks = static_cast<Integer>(k.tracks);
        int width = 0, titleWidth = 0, columns = 0, allLeft = -1, clearLeft = -1, exceptLeft = -1,
            okLeft = -1, cancelLeft = -1;
        WhenShown([&](FrmTrackSel& f) {
            const float tpp = TwipsPerPixel(&f);
            auto twips = [tpp](int px) { return static_cast<int>(PixelsToTwips(px, tpp)); };
            width = twips(f.width());
            titleWidth = twips(TitleBarWidth(f.windowTitle()));
            for (int col = 0; col < 6; ++col)
                if (f.chkTrack(16 * col + 1)->isVisible()) columns = col + 1;
            allLeft = twips(f.chkTrack(0)->x());
            clearLeft = twips(f.chkClear->x());
            exceptLeft = twips(f.chkExcept->x());
            okLeft = twips(f.btnSelTrkOK->x());
            cancelLeft = twips(f.btnSelTrkCancel->x());
            f.btnSelTrkOK->click();
        });
        Show();
        EXPECT_EQ(columns, k.columns);
        // Widened where the caption needs more, the boxes kept in the middle.
        EXPECT_NEAR(width, std::max(k.width, titleWidth), 15);
        const int shift = (width - k.width) / 2;
        EXPECT_NEAR(allLeft, k.allLeft + shift, 15);
        EXPECT_NEAR(clearLeft, k.allLeft + shift, 15);
        EXPECT_NEAR(exceptLeft, k.exceptLeft + shift, 15);
        EXPECT_NEAR(okLeft, k.buttonsLeft + shift, 15);
        EXPECT_NEAR(cancelLeft, k.buttonsLeft + shift, 15);
    }
}

TEST_F(FrmTrackSelTest, BoxesBeyondTheTracksShowButSelectNothing) {
    s.NumTracks = 20;
    s.SelectedTracks = std::string(20, '0');
    bool shown = false;
    WhenShown([&](FrmTrackSel& f) {
        shown = f.chkTrack(21)->isVisible() && f.chkTrack(32)->isVisible();
        Click(f.chkTrack(21));
        Click(f.chkTrack(32));
        Click(f.chkTrack(20));
        EXPECT_TRUE(f.chkTrack(21)->isChecked());
        f.btnSelTrkOK->click();
    });
    Show();
    EXPECT_TRUE(shown);
    EXPECT_EQ(s.SelectedTracks, std::string(19, '0') + "1");
}

TEST_F(FrmTrackSelTest, CaptionSetByTheCommandNotByTheDialog) {
    Form().SetCaption("Suppress");
    QString during;
    WhenShown([&](FrmTrackSel& f) {
        during = f.windowTitle();
        f.btnSelTrkOK->click();
    });
    Show();
    EXPECT_EQ(during, "Suppress");
    EXPECT_EQ(Form().windowTitle(), "Suppress");
    Form().SetCaption(kTrackSelCaption);
    EXPECT_EQ(Form().windowTitle(), "Select Tracks");
}

} // namespace
} // namespace tnq
