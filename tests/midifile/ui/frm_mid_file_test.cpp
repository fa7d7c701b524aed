// The .MID options dialog driven headless: its boxes, keys, checks on OK,
// Abort and the close box, placement, and the whole Make .MID command with
// the dialog answered by keys.
#include "midifile/ui/frm_mid_file.h"

#include "core/piece_paths.h"
#include "core/track_files.h"
#include "entry/ui/frm_kvs.h"
#include "midifile/mid_fixture.h"
#include "support/ui/settle.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << text.toStdString();
}
QT_END_NAMESPACE

namespace tnq {
namespace {

using test::ReadFile;

// Runs act on the dialog once it is up and active; one still up after it
// is aborted so that no test can hang.
void WhenShown(std::function<void(FrmMidFile&)> act) {
    test::WhenDialogShown<FrmMidFile>(std::move(act), [](FrmMidFile& f) { f.btnAbort->click(); });
}

// A key to the control that has the focus.
void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* w = QApplication::focusWidget();
    ASSERT_NE(w, nullptr);
    QTest::keyClick(w, key, mods);
}

// Text typed into the focused control.
void Type(const QString& text) {
    QWidget* w = QApplication::focusWidget();
    ASSERT_NE(w, nullptr);
    QTest::keyClicks(w, text);
}

QString Focused() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString("(none)");
}

class FrmMidFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.MidDivision = 480;
        s.Resolution = 0;
    }
    FrmMidFile& Form() { return FrmMidFile::Of(&owner); }
    std::optional<MidOptions> Show() { return Form().Show(c); }

    test::Program p;
    State& s = p.s;
    Context& c = p.c;
    QWidget owner;
};

TEST_F(FrmMidFileTest, BoxesFilledOnEveryShowAndReadBackAfterOk) {
    s.PieceDescription = "Suite\r\nin D";
    QString caption, title, copyright, ppqn, step, first;
    bool ticked = true;
    WhenShown([&](FrmMidFile& f) {
        caption = f.windowTitle();
        title = f.txtTitle->text();
        copyright = f.txtCopyright->text();
        ppqn = f.txtMidTempo->text();
        step = f.txtActiveSense->text();
        ticked = f.chkActiveSense->isChecked();
        first = Focused();
        f.txtCopyright->setText(QString::fromUtf8("\u00A9 Ann M\u00FCller"));
        f.btnOK->click();
    });
    const auto o = Show();
    ASSERT_TRUE(o);
    EXPECT_EQ(s.DialogResult, "");
    EXPECT_EQ(caption, "Create .Mid File");
    EXPECT_EQ(title, "Suite in D");
    EXPECT_EQ(copyright, QString::fromUtf8("Copyright \u00A9 "));
    EXPECT_EQ(ppqn, "480");
    EXPECT_EQ(step, "480");
    EXPECT_FALSE(ticked);
    EXPECT_EQ(first, "btnAbort"); // the first control in tab order
    EXPECT_EQ(o->Title, "Suite in D");
    EXPECT_EQ(o->Copyright, "\xA9 Ann M\xFCller");
    EXPECT_FALSE(o->ActiveSense);

    // Shown again: the same form, the title, copyright and PPQN refilled,
    // the caption by MenuMode.
    s.MenuMode = "mnuModPlayMid";
    s.MidCopyright = "(c) Ann";
    s.MidDivision = 96;
    s.PieceDescription = "A\rB";
    FrmMidFile* before = &Form();
    WhenShown([&](FrmMidFile& f) {
        caption = f.windowTitle();
        title = f.txtTitle->text();
        copyright = f.txtCopyright->text();
        ppqn = f.txtMidTempo->text();
        f.btnOK->click();
    });
    ASSERT_TRUE(Show());
    EXPECT_EQ(&Form(), before);
    EXPECT_EQ(caption, "Create (Modified) .Mid File");
    EXPECT_EQ(title, "A\rB");
    EXPECT_EQ(copyright, "(c) Ann");
    EXPECT_EQ(ppqn, "96");
}

TEST_F(FrmMidFileTest, ControlsCarryTheirNamesInTabOrder) {
    FrmMidFile& f = Form();
    EXPECT_EQ(f.objectName(), "frmMidFile");
    const std::pair<QWidget*, const char*> controls[] = {{f.btnAbort, "btnAbort"},
                                                         {f.btnOK, "btnOK"},
                                                         {f.txtTitle, "txtTitle"},
                                                         {f.txtCopyright, "txtCopyright"},
                                                         {f.txtActiveSense, "txtActiveSense"},
                                                         {f.chkActiveSense, "chkActiveSense"},
                                                         {f.txtMidTempo, "txtMidTempo"}};
    for (std::size_t i = 0; i < std::size(controls); ++i) {
        EXPECT_EQ(controls[i].first->objectName(), controls[i].second);
        // The next control that Tab stops at.
        QWidget* next = controls[i].first->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
        EXPECT_EQ(next, controls[(i + 1) % std::size(controls)].first) << controls[i].second;
    }
    EXPECT_EQ(f.btnAbort->text(), "&Abort");
    EXPECT_EQ(f.btnOK->text(), "&OK");
    EXPECT_EQ(f.chkActiveSense->text(), "Adjust Active Sense");
}

TEST_F(FrmMidFileTest, EnterMovesOnUpMovesBackBoxesSelectTheirText) {
    std::vector<QString> path;
    bool allSelected = true;
    auto step = [&](Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        Key(key, mods);
        path.push_back(Focused());
        if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
            QApplication::processEvents(); // the queued select-all
            allSelected = allSelected && box->selectedText() == box->text();
        }
    };
    WhenShown([&](FrmMidFile& f) {
        Key(Qt::Key_Tab); // past Abort and OK without pressing them
        step(Qt::Key_Tab);
        for (int i = 0; i < 5; ++i) step(Qt::Key_Return); // the last one onto Abort
        for (int i = 0; i < 3; ++i) step(Qt::Key_Up);
        // Typing into a box that has just got the focus replaces its text.
        Type("960");
        EXPECT_EQ(f.txtActiveSense->text(), "960");
        step(Qt::Key_Enter, Qt::KeypadModifier);
        // Enter on a button presses that button.
        f.btnOK->setFocus();
        Key(Qt::Key_Return);
    });
    const auto o = Show();
    ASSERT_TRUE(o);
    const std::vector<QString> expected = {
        "txtTitle", "txtCopyright", "txtActiveSense", "chkActiveSense", "txtMidTempo",
        "btnAbort", "txtMidTempo",  "chkActiveSense", "txtActiveSense", "chkActiveSense"};
    EXPECT_EQ(path, expected);
    EXPECT_TRUE(allSelected);
    EXPECT_EQ(o->ActiveSenseStep, 960);
}

TEST_F(FrmMidFileTest, OkChecksTheBoxesInScreenOrder) {
    struct Case {
        const char* step;
        bool ticked;
        const char* ppqn;
        const char* badBox; // "" = accepted
    } cases[] = {
        {"480", false, "480", ""},
        {"480", false, "abc", ""},
        {"480", false, "32767", ""},
        {"480", false, "40000", "txtMidTempo"},
        {"480", false, "-1", "txtMidTempo"},
        {"0", false, "480", ""}, // the step counts only when the box is ticked
        {"0", true, "480", "txtActiveSense"},
        {"", true, "480", "txtActiveSense"},
        {"40000", true, "480", "txtActiveSense"},
        {"-3", true, "-1", "txtActiveSense"},
        {"1", true, "480", ""},
        {"32767", true, "0", ""},
    };
    for (const Case& k : cases) {
        QString focus;
        bool stillUp = false;
        WhenShown([&](FrmMidFile& f) {
            f.txtActiveSense->setText(k.step);
            f.chkActiveSense->setChecked(k.ticked);
            f.txtMidTempo->setText(k.ppqn);
            f.btnOK->setFocus();
            QTest::mouseClick(f.btnOK, Qt::LeftButton);
            stillUp = f.isVisible();
            focus = Focused();
            if (stillUp) {
                QApplication::processEvents();
                auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                EXPECT_TRUE(box && box->selectedText() == box->text()) << k.step << k.ppqn;
                // Corrected, OK goes on.
                f.txtActiveSense->setText("240");
                f.txtMidTempo->setText("480");
                f.btnOK->click();
            }
        });
        const auto o = Show();
        ASSERT_TRUE(o) << k.step << " " << k.ppqn;
        EXPECT_EQ(stillUp, *k.badBox != '\0') << k.step << " " << k.ppqn;
        if (stillUp) {
            EXPECT_EQ(focus, k.badBox) << k.step << " " << k.ppqn;
            if (k.ticked) {
                EXPECT_EQ(o->ActiveSenseStep, 240);
            }
        } else if (k.ticked) {
            EXPECT_EQ(o->ActiveSenseStep, ActiveSenseStepFromText(k.step).value());
        }
        EXPECT_EQ(o->ActiveSense, k.ticked);
    }
}

TEST_F(FrmMidFileTest, OkRefusesAStepOfMoreThanTenMillionMessages) {
    s.MidReference = 50'000'000;
    p.msg.AnswerOk();
    QString focus;
    bool stillUp = false;
    WhenShown([&](FrmMidFile& f) {
        f.chkActiveSense->setChecked(true);
        f.txtActiveSense->setText("4");
        f.btnOK->click();
        stillUp = f.isVisible();
        focus = Focused();
        f.txtActiveSense->setText("5");
        f.btnOK->click();
    });
    const auto o = Show();
    ASSERT_TRUE(o);
    EXPECT_TRUE(stillUp);
    EXPECT_EQ(focus, "txtActiveSense");
    EXPECT_EQ(p.msg.Last().Text.substr(0, 31), "An active sense step of 4 ticks");
    EXPECT_EQ(p.msg.Last().Code, mb::Exclamation);
    EXPECT_EQ(o->ActiveSenseStep, 5);
}

TEST_F(FrmMidFileTest, AbortCloseBoxAndEscDiscardTheFormOkKeepsIt) {
    // OK keeps the active-sense box and step for the next use.
    WhenShown([](FrmMidFile& f) {
        f.chkActiveSense->setChecked(true);
        f.txtActiveSense->setText("120");
        f.btnOK->click();
    });
    ASSERT_TRUE(Show());
    bool kept = false;
    const std::function<void(FrmMidFile&)> ways[] = {
        [&](FrmMidFile& f) {
            kept = f.chkActiveSense->isChecked() && f.txtActiveSense->text() == "120";
            f.btnAbort->setFocus();
            Key(Qt::Key_Return);
        },
        [](FrmMidFile& f) { f.close(); },
        [](FrmMidFile&) { Key(Qt::Key_Escape); },
        [](FrmMidFile& f) { QTest::mouseClick(f.btnAbort, Qt::LeftButton); },
    };
    for (std::size_t i = 0; i < std::size(ways); ++i) {
        FrmMidFile* old = &Form();
        old->chkActiveSense->setChecked(true);
        s.DialogResult = "okay";
        WhenShown(ways[i]);
        EXPECT_FALSE(Show()) << i;
        EXPECT_EQ(s.DialogResult, "abort") << i;
        // The next use starts from the initial values on a new form.
        FrmMidFile& next = Form();
        EXPECT_NE(&next, old) << i;
        EXPECT_FALSE(next.chkActiveSense->isChecked()) << i;
        EXPECT_EQ(next.txtActiveSense->text(), FrmMidFile::kInitialActiveSenseStep) << i;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_TRUE(kept);
}

TEST_F(FrmMidFileTest, PlacedByTheDialogRuleOnFirstUse) {
    struct Case {
        int resolution;
        int screenWidth, screenHeight;
        double scale;
    } cases[] = {{0, 800, 600, 1.0}, {1, 800, 600, 1.25}, {1, 640, 480, 1.0}};
    for (const Case& k : cases) {
        s.Resolution = static_cast<Integer>(k.resolution);
        p.sys.screen = ScreenMetrics::FromPixels(k.screenWidth, k.screenHeight);
        QRect geometry;
        int boxWidth = 0;
        WhenShown([&](FrmMidFile& f) {
            geometry = QRect(f.pos(), f.size());
            boxWidth = f.txtTitle->width();
            f.btnAbort->click();
        });
        FrmMidFile& f = Form();
        const int designWidth = f.width(), designHeight = f.height();
        const int designBox = f.txtTitle->width();
        EXPECT_FALSE(f.Show(c));
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const int w = static_cast<int>(designWidth * k.scale + 0.5);
        const int h = static_cast<int>(designHeight * k.scale + 0.5);
        EXPECT_NEAR(geometry.width(), w, 1) << k.resolution << " " << k.screenWidth;
        EXPECT_NEAR(geometry.height(), h, 1);
        EXPECT_NEAR(boxWidth, designBox * k.scale, 1);
        EXPECT_NEAR(geometry.x(), (k.screenWidth - w) / 2, 1);
        EXPECT_NEAR(geometry.y(), (k.screenHeight - h) / 2, 1);
    }
}

// ---- The whole command, from track files to a file midicsv reads ---------

class MakeMidWithDialog : public test::MidTest {
protected:
    static TrackItemRecord Item(std::string note, std::string octave, std::string duration,
                                std::string adjustment = "0", std::string dynamics = "100") {
        return {note, octave, duration, adjustment, dynamics, "1", "1", "0"};
    }
    void SmallPiece() {
        WriteTrack(1, {Item("TEMPO", "", "q", "0", "90"), Item("R", "", "w", "0", "0")});
        WriteTrack(2, {Item("PROGR", "", "", "0", "5"), Item("C", "4", "q"), Item("E", "4", "q"),
                       Item("G", "4", "h")});
        WriteTrack(3, {Item("R", "", "h", "0", "0"), Item("C", "3", "h", "0", "80")});
    }
    QWidget owner;
};

TEST_F(MakeMidWithDialog, KeysAnswerTheDialogAndMidicsvReadsTheFile) {
    SmallPiece();
    s.PieceDescription = "Little\r\nPiece";
    QString titleShown;
    WhenShown([&](FrmMidFile& f) {
        titleShown = f.txtTitle->text();
        Key(Qt::Key_Tab); // from Abort to OK
        Key(Qt::Key_Tab); // the title box, its text selected
        Type("Evening Song");
        Key(Qt::Key_Return);
        Type("(c) 2026 Ann");
        Key(Qt::Key_Return);
        Type("240");
        Key(Qt::Key_Return);
        Key(Qt::Key_Space); // Adjust Active Sense
        Key(Qt::Key_Return);
        Key(Qt::Key_Tab); // round to Abort
        Key(Qt::Key_Tab);
        Key(Qt::Key_Return); // OK
    });
    ASSERT_TRUE(MakeMidFile(c, FrmMidFile::Of(&owner)));
    EXPECT_EQ(titleShown, "Little Piece");
    EXPECT_EQ(s.DialogResult, "");

    const test::CsvResult r = test::ExpectReadable(MidPath());
    ASSERT_FALSE(r.Records.empty());
    const auto header = r.Of(0, "Header");
    ASSERT_EQ(header.size(), 1u);
    EXPECT_EQ(header[0].Fields, (std::vector<std::string>{"1", "4", "480"}));
    const auto copyright = r.Of(1, "Copyright_t");
    ASSERT_EQ(copyright.size(), 1u);
    EXPECT_EQ(copyright[0].Fields.at(0), "\"(c) 2026 Ann\"");
    const auto titles = r.Of(1, "Text_t");
    ASSERT_GE(titles.size(), 1u);
    EXPECT_EQ(titles[0].Fields.at(0), "\"Evening Song\"");
    // Track 2: a program change and three notes, one after the other.
    std::vector<std::pair<long long, std::string>> notes;
    for (const auto& x : r.Of(2, "Note_on_c")) notes.push_back({x.Time, x.Fields.at(1)});
    const std::vector<std::pair<long long, std::string>> expected = {
        {0, "60"}, {480, "60"}, {480, "64"}, {960, "64"}, {960, "67"}, {1920, "67"}};
    EXPECT_EQ(notes, expected);
    EXPECT_EQ(r.Of(2, "Program_c").size(), 1u);
    // Active sensing every 240 ticks up to the length of the tracks.
    EXPECT_EQ(r.Of(4, "System_exclusive").size(), 8u);
    const auto end = r.Of(4, "End_track");
    ASSERT_EQ(end.size(), 1u);
    EXPECT_EQ(end[0].Time, 1920);
}

TEST_F(MakeMidWithDialog, AbortLeavesNoFileAndKeepsAnEarlierOne) {
    SmallPiece();
    // No NAME.MID yet: Abort (Enter on the focused Abort button) leaves none.
    WhenShown([](FrmMidFile&) { Key(Qt::Key_Return); });
    EXPECT_FALSE(MakeMidFile(c, FrmMidFile::Of(&owner)));
    EXPECT_EQ(s.DialogResult, "abort");
    EXPECT_FALSE(std::filesystem::exists(MidPath()));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Written once with a copyright of its own ...
    WhenShown([](FrmMidFile& f) {
        f.txtCopyright->setText("(c) Ann");
        f.btnOK->click();
    });
    ASSERT_TRUE(MakeMidFile(c, FrmMidFile::Of(&owner)));
    test::ExpectReadable(MidPath());
    const std::string written = ReadFile(MidPath());
    // ... which the next run offers again; the close box then keeps the file.
    QString offered;
    WhenShown([&](FrmMidFile& f) {
        offered = f.txtCopyright->text();
        f.close();
    });
    EXPECT_FALSE(MakeMidFile(c, FrmMidFile::Of(&owner)));
    EXPECT_EQ(offered, "(c) Ann");
    EXPECT_EQ(ReadFile(MidPath()), written);
}

// Shown from the main window as "&Make .MID file..." shows it: the window's
// own key and focus handling leaves the dialog's keys to the dialog.
TEST_F(MakeMidWithDialog, ShownOverTheMainWindow) {
    FrmKVS w;
    w.Attach(&c);
    w.Form_Load();
    SetUpPiece(4, 40); // the piece opened after the window's set-up
    SmallPiece();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    test::Settle(); // the window's own activation handling is done
    WhenShown([](FrmMidFile& f) {
        EXPECT_EQ(f.parentWidget()->objectName(), "frmKVS");
        Key(Qt::Key_Tab);
        Key(Qt::Key_Tab); // the title box
        Type("Over the window");
        Key(Qt::Key_Up); // back to OK
        EXPECT_EQ(Focused(), "btnOK");
        Key(Qt::Key_Return);
    });
    ASSERT_TRUE(MakeMidFile(c, FrmMidFile::Of(&w)));
    const test::CsvResult r = test::ExpectReadable(MidPath());
    const auto texts = r.Of(1, "Text_t");
    ASSERT_GE(texts.size(), 1u);
    EXPECT_EQ(texts[0].Fields.at(0), "\"Over the window\"");
    // The same form again, a child of the window.
    EXPECT_EQ(&FrmMidFile::Of(&w), w.findChild<FrmMidFile*>("frmMidFile"));
}

} // namespace
} // namespace tnq
