// The main window driven headless as a user drives it: a fixture that loads
// it over the fakes, makes or opens a piece, types into the boxes and
// presses keys, and answers a modal window once it is up.
#pragma once

#include "core/track_files.h"
#include "core/ui/frm_track_sel.h"
#include "entry/ui/frm_kvs.h"
#include "midifile/mid_fixture.h"
#include "misc/ui/frm_directory.h"
#include "support/fakes.h"
#include "support/ui/settle.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tnq::test {

// Runs act on the modal window once it is up: polled, since the command that
// shows it is itself still waiting to run when this is asked for. Gives the
// watch, which a caller whose window turned out modeless deletes.
inline QTimer* WhenShownModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act, tries = 0]() mutable {
        QWidget* d = QApplication::activeModalWidget();
        if (!d && ++tries < 250) return;
        timer->stop();
        timer->deleteLater();
        if (!d) return;
        if (!QTest::qWaitForWindowActive(d)) qWarning("modal window not active");
        Settle();
        act(d);
    });
    timer->start();
    return timer;
}

// Runs act on the modal dialog of class F once it is up (polled until a
// dialog of that class is the modal window). A dialog still up after act is
// closed, so that no test can hang.
template <class F> void WhenShown(std::function<void(F*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act, tries = 0]() mutable {
        const QPointer<F> f = qobject_cast<F*>(QApplication::activeModalWidget());
        if (!(f && f->isVisible()) && ++tries < 250) return;
        timer->stop();
        timer->deleteLater();
        if (!f) {
            ADD_FAILURE() << "the dialog is not shown";
            if (QWidget* d = QApplication::activeModalWidget()) d->close();
            return;
        }
        if (!QTest::qWaitForWindowActive(f)) qWarning("modal window not active");
        Settle();
        act(f);
        Settle();
        if (f && f->isVisible()) {
            ADD_FAILURE() << "the dialog is still up";
            f->close();
        }
    });
    timer->start();
}

class EntryWindowBase : public ::testing::Test {
protected:
    void SetUp() override { w.Attach(&c); }

    void Load() {
        w.Form_Load();
        ASSERT_TRUE(ShowActive(&w));
    }
    void OpenMenu(FrmKVS& win, const char* name) {
        QMenu* m = win.Menus().Menu(name);
        m->popup(win.mapToGlobal(QPoint(10, 10)));
        Settle();
        m->hide();
        Settle();
    }
    void Choose(FrmKVS& win, const char* item) {
        win.Menus().Item(item)->trigger();
        Settle();
    }
    // File > New as a user does it: a title, then No to the automatic
    // initialization. The boxes are shown with the focus on the tempo.
    void NewPiece(const std::string& title) {
        OpenMenu(w, "mnuFile");
        p.msg.AnswerInput(title);
        p.msg.Answer(mb::No);
        Choose(w, "mnuFilNew");
        ASSERT_EQ(p.s.PieceTitle, title);
        ASSERT_EQ(Focus(), w.txtTempo);
        MoveIfAsked();
        atStart_ = p.msg.shown.size();
    }
    // Miscellaneous > Change Directory into the new directory name of the
    // pieces directory, by a double click in the directory list.
    std::filesystem::path ChangeDirectory(const std::string& name) {
        const std::filesystem::path next = std::filesystem::path(p.s.FilePath) / name;
        std::filesystem::create_directories(next);
        WhenShown<FrmDirectory>([&](FrmDirectory* f) {
            const auto rows = f->Dir1->findItems(QString::fromStdString(name), Qt::MatchEndsWith);
            ASSERT_EQ(rows.size(), 1);
            const QPoint at = f->Dir1->visualItemRect(rows.front()).center();
            QTest::mouseClick(f->Dir1->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(f->Dir1->viewport(), Qt::LeftButton, {}, at);
            Settle();
            f->btnOK->click();
        });
        OpenMenu(w, "mnuMisc");
        Choose(w, "mnuMisDirectory");
        EXPECT_EQ(p.s.FilePath, next.string());
        w.SetFocus(Box::Tempo);
        Settle();
        return next;
    }
    // With move_, the pieces directory changed once the piece is open.
    void MoveIfAsked() {
        if (move_) elsewhere_ = ChangeDirectory("Elsewhere");
    }
    // Message boxes shown since the piece was made.
    std::size_t Boxes() const { return p.msg.shown.size() - atStart_; }

    // The track selection, once it is up: the tracks given ticked, OK.
    void ChooseTracks(std::vector<int> tracks) {
        WhenShown<FrmTrackSel>([tracks](FrmTrackSel* f) {
            f->chkClear->click();
            for (int t : tracks) f->chkTrack(t)->click();
            f->btnSelTrkOK->click();
        });
    }
    // Track t's file of the open piece written from records (the END record
    // after them), and read back trimmed, up to its END record.
    void WriteTrackFile(int t, const std::vector<TrackItemRecord>& items) {
        std::string bytes;
        for (const auto& r : items) bytes += EncodeRecord(r);
        bytes += EncodeRecord(kEndRecord);
        WriteFile(TrackFilePath(p.s, p.s.PieceTitle, t), bytes);
    }
    std::vector<TrackItemRecord> TrackRecords(int t) const {
        const std::string bytes = ReadFile(TrackFilePath(p.s, p.s.PieceTitle, t));
        std::vector<TrackItemRecord> out;
        for (std::size_t at = 0; at + kRecordLength <= bytes.size(); at += kRecordLength) {
            const std::string_view rec(bytes.data() + at, kRecordLength);
            if (IsEndRecord(rec)) break;
            out.push_back(Trimmed(DecodeRecord(rec)));
        }
        return out;
    }

    QWidget* Focus() const { return w.focusWidget(); }
    std::string Status() const { return w.StatusBar1->Line(); }
    std::string Text(QLineEdit* box) const { return box->text().toStdString(); }
    void Type(const char* text) {
        QTest::keyClicks(Focus(), text);
        Settle();
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        Key(&w, key, mods);
    }
    void Enter() { Press(Qt::Key_Return); }
    // A box's text, typed over its selected text, then Enter.
    void Field(const char* text) {
        Type(text);
        Enter();
    }
    void Click(QWidget* control) {
        QTest::mouseClick(control, Qt::LeftButton);
        Settle();
    }
    // Alt+I: the Accept Item button's access key (the button clicks after a
    // short delay).
    void AltI() {
        QTest::keyClick(Focus(), Qt::Key_I, Qt::AltModifier);
        QTest::qWait(300);
        Settle();
    }
    void ToTrack(const char* track) {
        if (Focus() != w.txtTempo) {
            w.SetFocus(Box::Tempo);
            Settle();
        }
        Enter();
        ASSERT_EQ(Focus(), w.txtTrack);
        Field(track);
        ASSERT_EQ(Focus(), w.txtItem) << track;
    }
    // From the item box of a track other than 1: the item and channel as
    // they stand, bar 1, on to the note box.
    void ToNoteInBarOne() {
        Enter(); // item
        Enter(); // channel
        Field("1");
        ASSERT_EQ(Focus(), w.txtNote);
    }
    int Count(int track) const { return p.s.ItemCount(track); }
    // A copy of a sample piece in the pieces directory, opened with File >
    // Open: the boxes are shown with the focus on the tempo.
    void OpenSample(const std::string& name) {
        namespace fs = std::filesystem;
        c.files = &p.files;
        const fs::path sample = fs::path(SystemInfo().ProgramDirectory()) / (name + ".TNQ");
        ASSERT_TRUE(fs::is_directory(sample)) << sample << " has not been built";
        const fs::path dir = fs::path(p.s.FilePath) / (name + ".TNQ");
        fs::copy(sample, dir, fs::copy_options::recursive);
        OpenMenu(w, "mnuFile");
        p.files.Choose((dir / (name + ".TNQ")).string());
        Choose(w, "mnuFilOpen");
        ASSERT_EQ(p.s.PieceTitle, name);
        ASSERT_EQ(Focus(), w.txtTempo);
        MoveIfAsked();
        atStart_ = p.msg.shown.size();
    }
    // Esc, then File > Save.
    void ExitAndSave() {
        Press(Qt::Key_Escape);
        OpenMenu(w, "mnuFile");
        Choose(w, "mnuFilSave");
    }
    // File > Make .MID file with OK in the options dialog: whether the
    // dialog was answered.
    bool MakeMidWithOk() {
        OpenMenu(w, "mnuFile");
        bool answered = false;
        WhenShownModal([&answered](QWidget* d) {
            if (auto* ok = d->findChild<QPushButton*>("btnOK")) {
                QTest::mouseClick(ok, Qt::LeftButton);
                answered = !d->isVisible();
            }
        });
        Choose(w, "mnuFilMid");
        return answered;
    }
    // Two tracks of a written .MID file end at the same time.
    static void ExpectEndTogether(const CsvResult& r, int a, int b) {
        const auto endA = r.Of(a, "End_track"), endB = r.Of(b, "End_track");
        ASSERT_EQ(endA.size(), 1u);
        ASSERT_EQ(endB.size(), 1u);
        EXPECT_EQ(endA[0].Time, endB[0].Time);
    }
    // Function key n in the focused box.
    void FKey(int n) { Press(static_cast<Qt::Key>(Qt::Key_F1 + n - 1)); }

    Program p;
    FrmKVS w;
    Context c{p.s, p.msg, p.ini, w, p.sys};
    std::size_t atStart_ = 0;
    bool move_ = false;
    std::filesystem::path elsewhere_;
};

// A road test also run with the pieces directory changed just after the
// piece is made or opened (parameter true): the piece's files must then
// change in its own directory, and nothing be written into the new one.
class MovedPieceRoad : public EntryWindowBase, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        EntryWindowBase::SetUp();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        move_ = info->value_param() != nullptr && GetParam();
    }
    void TearDown() override {
        if (!elsewhere_.empty()) {
            EXPECT_TRUE(std::filesystem::is_empty(elsewhere_)) << "written into " << elsewhere_;
        }
    }
};
inline std::string MovedPieceName(const ::testing::TestParamInfo<bool>& info) {
    return info.param ? "DirectoryChanged" : "InItsDirectory";
}

} // namespace tnq::test
