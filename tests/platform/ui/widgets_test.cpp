// The smaller pieces of the forms layer: key codes, menus with openers and
// run-time entries, control arrays, the hourglass, twips and placement.
#include "platform/ui/control_array.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/menus.h"
#include "platform/ui/qt_placement.h"
#include "platform/ui/qt_system_info.h"
#include "platform/ui/sorted_combo.h"
#include "platform/ui/vb_keys.h"
#include "support/ui/settle.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <gtest/gtest.h>

namespace tnq {
namespace {

using test::Settle;

TEST(VbKeys, QtKeysGiveTheClassicCodesAndShiftStates) {
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        int code, shift;
    } cases[] = {
        {Qt::Key_Return, Qt::NoModifier, 13, 0},
        {Qt::Key_Enter, Qt::KeypadModifier, 13, 0},
        {Qt::Key_Escape, Qt::NoModifier, 27, 0},
        {Qt::Key_Up, Qt::NoModifier, 38, 0},
        {Qt::Key_Down, Qt::NoModifier, 40, 0},
        {Qt::Key_Home, Qt::NoModifier, 36, 0},
        {Qt::Key_F1, Qt::NoModifier, 112, 0},
        {Qt::Key_F12, Qt::NoModifier, 123, 0},
        {Qt::Key_A, Qt::ShiftModifier, 65, 1},
        {Qt::Key_Z, Qt::ControlModifier, 90, 2},
        {Qt::Key_X, Qt::AltModifier, 88, 4},
        {Qt::Key_Backtab, Qt::ShiftModifier, 9, 1},
        {Qt::Key_5, Qt::NoModifier, 53, 0},
        {Qt::Key_5, Qt::KeypadModifier, 101, 0},
        {Qt::Key_F5, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, 116, 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VbKeyCode(c.key, c.mods), c.code) << c.key;
        EXPECT_EQ(VbShiftState(c.mods), c.shift) << c.key;
    }
    // Sent keystrokes: Shift+Tab is the back-tab key; letters type their case.
    EXPECT_EQ(QtKeyFor(9, 1), Qt::Key_Backtab);
    EXPECT_EQ(QtKeyFor(9, 0), Qt::Key_Tab);
    EXPECT_EQ(QtTextFor(65, 0), "a");
    EXPECT_EQ(QtTextFor(65, 1), "A");
    // Typed characters are one byte of the program's code page.
    QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x20AC)));
    EXPECT_EQ(VbKeyAscii(euro), 0x80);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(VbKeyAscii(tab), 0);
}

class MenuFixture : public ::testing::Test {
protected:
    QMainWindow window;
    HandlerQueue queue;
    MenuTree tree{window.menuBar(), queue};
};

TEST_F(MenuFixture, OpenersRunBeforeTheMenuShowsAndItemsAfterItCloses) {
    std::vector<std::string> log;
    QMenu* file = tree.AddMenu("mnuFile", "&File", [&] { log.push_back("opened"); });
    tree.AddItem(file, "mnuFilNew", "&New...", [&] { log.push_back("new"); });
    tree.AddSeparator(file, "mnuFilLine");
    QAction* awe = tree.AddItem(file, "mnuAwe", "AWE 32", [&] { log.push_back("awe"); });

    EXPECT_EQ(tree.Item("mnuFile"), file->menuAction());
    EXPECT_EQ(file->title(), "&File");
    EXPECT_EQ(tree.Caption("mnuFilNew"), "&New...");
    EXPECT_EQ(tree.Item("mnuFilNew")->objectName(), "mnuFilNew");

    file->popup(QPoint(0, 0));
    Settle();
    EXPECT_EQ(log, std::vector<std::string>{"opened"});
    tree.Item("mnuFilNew")->trigger();
    EXPECT_EQ(log.size(), 1u); // queued until the menu's work is done
    Settle();
    EXPECT_EQ(log.back(), "new");
    file->hide();

    // Choosing a checked item leaves the mark to the handler.
    tree.SetChecked("mnuAwe", true);
    awe->trigger();
    Settle();
    EXPECT_TRUE(tree.Checked("mnuAwe"));
    tree.SetChecked("mnuAwe", false);
    awe->trigger();
    Settle();
    EXPECT_FALSE(tree.Checked("mnuAwe"));

    tree.SetEnabled("mnuFile", false);
    EXPECT_FALSE(file->menuAction()->isEnabled());
    EXPECT_THROW(tree.SetVisible("mnuNothing", true), VbError);
}

TEST_F(MenuFixture, MenuArrayElementsKeepTheirIndexOrder) {
    std::vector<int> clicked;
    QMenu* file = tree.AddMenu("mnuFile", "&File");
    tree.AddItem(file, "mnuFilExit", "E&xit", {});
    MenuArray recent(tree, file, "mnuFileArray", [&](int i) { clicked.push_back(i); });
    EXPECT_FALSE(recent(0)->isVisible());
    EXPECT_TRUE(recent(0)->isSeparator());

    recent.Load(1, "/p/A.TNQ/A.TNQ");
    recent.Load(3, "/p/C.TNQ/C.TNQ");
    recent.Load(2, "/p/B.TNQ/B.TNQ");
    recent(0)->setVisible(true);
    const QList<QAction*> actions = file->actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions[1], recent(0));
    EXPECT_EQ(actions[2]->text(), "/p/A.TNQ/A.TNQ");
    EXPECT_EQ(actions[3]->text(), "/p/B.TNQ/B.TNQ");
    EXPECT_EQ(actions[4]->text(), "/p/C.TNQ/C.TNQ");
    EXPECT_EQ(actions[3]->objectName(), "mnuFileArray(2)");
    EXPECT_EQ(tree.Caption("mnuFileArray(3)"), "/p/C.TNQ/C.TNQ");

    recent(2)->trigger();
    Settle();
    EXPECT_EQ(clicked, std::vector<int>{2});

    recent.Unload(2);
    EXPECT_FALSE(recent.Exists(2));
    EXPECT_EQ(recent.UBound(), 3);
    EXPECT_EQ(tree.Item("mnuFileArray(2)"), nullptr);
    EXPECT_THROW(recent.Load(1, "again"), VbError);
    EXPECT_THROW(recent(2), VbError);
}

TEST(ControlArray, ElementsAreNamedByIndexAndMissingOnesRaise340) {
    QWidget parent;
    ControlArray<QLabel> rows("lblTrkNum");
    for (int i = 0; i < 3; ++i) rows.Load(i, new QLabel(&parent));
    EXPECT_EQ(rows(2)->objectName(), "lblTrkNum(2)");
    EXPECT_EQ(parent.findChild<QLabel*>("lblTrkNum(1)"), rows(1));
    EXPECT_EQ(rows.UBound(), 2);
    try {
        rows(3);
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), 340);
    }
}

TEST(Hourglass, OneOffEndsAnyNumberOfOns) {
    {
        Hourglass h;
        h.Set(true);
        h.Set(true);
        EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
        h.Set(false);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        h.Set(false);
        h.Set(true);
    }
    // Left on, it ends with its owner.
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(SortedCombo, RowsGoToTheirSortedPlace) {
    SortedComboBox box;
    for (const char* t : {"Tom 1 Low G2", "  Drum Kit Lookup", "High Q Eb1", "Hi-Hat Closed F#2"})
        box.AddItem(t);
    EXPECT_EQ(box.Rows(), (std::vector<std::string>{"  Drum Kit Lookup", "High Q Eb1",
                                                    "Hi-Hat Closed F#2", "Tom 1 Low G2"}));
    EXPECT_EQ(box.itemText(2), "Hi-Hat Closed F#2");
    box.Clear();
    EXPECT_EQ(box.count(), 0);
}

TEST(QtPlacement, FifteenTwipsAPixelAt96DotsPerInch) {
    QWidget w;
    const float tpp = TwipsPerPixel(&w);
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    EXPECT_FLOAT_EQ(tpp, float(1440.0 / dpi));
    EXPECT_EQ(TwipsToPixels(9600, 15), 640);
    EXPECT_EQ(TwipsToPixels(255, 15), 17);
    EXPECT_EQ(TwipsRect(2160, 840, 495, 285, 15), QRect(144, 56, 33, 19));
    EXPECT_DOUBLE_EQ(PixelsToTwips(640, 15), 9600);

    // The real screen as the placement rules see it.
    QtSystemInfo sys;
    const ScreenMetrics m = sys.Screen();
    EXPECT_DOUBLE_EQ(m.WidthPixels(), QGuiApplication::primaryScreen()->geometry().width());
}

TEST(QtPlacement, ResizeFormScalesTheWindowAndItsControls) {
    if (TwipsPerPixel() != 15.0f) GTEST_SKIP() << "screen not at 96 dots per inch";
    QWidget window;
    auto* label = new QLabel("x", &window);
    QFont f = label->font();
    f.setPointSizeF(8);
    label->setFont(f);
    SetTwipsGeometry(label, 1200, 600, 2400, 300);
    window.setFixedSize(400, 200);
    QtPlaceableForm form(&window, &window, {label});

    // An 800-pixel screen: everything 1.25 times, the window centred.
    const ScreenMetrics screen = ScreenMetrics::FromPixels(800, 600);
    ResizeForm(form, screen, 0, 0);
    EXPECT_EQ(window.size(), QSize(500, 250));
    EXPECT_EQ(window.pos(), QPoint(150, 175));
    EXPECT_EQ(label->geometry(), QRect(100, 50, 200, 25));
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 10.0);

    // Centring only moves it.
    CentreForm(form, ScreenMetrics::FromPixels(1000, 450));
    EXPECT_EQ(window.pos(), QPoint(250, 100));
    EXPECT_EQ(window.size(), QSize(500, 250));
}

TEST(QtPlacement, ControlsWithoutAFontOfTheirOwnScaleOnce) {
    if (TwipsPerPixel() != 15.0f) GTEST_SKIP() << "screen not at 96 dots per inch";
    // Every control holds its own font size: scaling the window's font or a
    // frame's font does not scale the controls inside them a second time.
    QWidget window;
    QFont f = window.font();
    f.setPointSizeF(8);
    window.setFont(f);
    auto* label = new QLabel("x", &window);
    auto* frame = new QFrame(&window);
    auto* inner = new QLabel("y", frame);
    window.setFixedSize(400, 200);
    QtPlaceableForm form(&window, &window, {label, frame, inner});

    ResizeForm(form, ScreenMetrics::FromPixels(800, 600), 0, 0);
    EXPECT_DOUBLE_EQ(window.font().pointSizeF(), 10.0);
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 10.0);
    EXPECT_DOUBLE_EQ(frame->font().pointSizeF(), 10.0);
    EXPECT_DOUBLE_EQ(inner->font().pointSizeF(), 10.0);
}

} // namespace
} // namespace tnq
