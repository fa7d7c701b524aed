// The Qt message boxes: buttons, Esc, titles and icons from the box codes.
#include "platform/ui/qt_message_boxes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace tnq {
namespace {

// Runs act on the box once it is shown (it is modal, so this must be queued).
void WhenShown(std::function<void(QMessageBox*)> act) {
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(box);
    });
}

QAbstractButton* ButtonOf(QMessageBox* box, QMessageBox::StandardButton b) {
    return box->button(b);
}

TEST(QtMessageBoxes, EscChoosesCancelOrOkButNothingInYesNo) {
    QtMessageBoxes boxes;
    struct Case {
        int code;
        int result;
    } cases[] = {{mb::OKOnly, mb::OK},
                 {mb::OKCancel, mb::Cancel},
                 {mb::YesNoCancel + 48, mb::Cancel},
                 {mb::RetryCancel, mb::Cancel}};
    for (const auto& c : cases) {
        WhenShown([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
        EXPECT_EQ(boxes.MsgBox("text", c.code), c.result) << c.code;
    }

    // In a Yes/No box Esc leaves the box up; the user must choose.
    bool stillShown = false;
    WhenShown([&](QMessageBox* box) {
        QTest::keyClick(box, Qt::Key_Escape);
        stillShown = box->isVisible();
        ButtonOf(box, QMessageBox::No)->click();
    });
    EXPECT_EQ(boxes.MsgBox("Save?", mb::YesNo + mb::Critical), mb::No);
    EXPECT_TRUE(stillShown);
}

TEST(QtMessageBoxes, TitlesIconsAndDefaultButtons) {
    QtMessageBoxes boxes;
    QString title;
    QMessageBox::Icon icon{};
    QString def;
    QString text;
    WhenShown([&](QMessageBox* box) {
        title = box->windowTitle();
        icon = box->icon();
        if (box->defaultButton()) def = box->defaultButton()->text().remove('&');
        text = box->text();
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(boxes.MsgBox("a\r\nb \xA9", mb::YesNo + mb::Question + mb::DefaultButton2), mb::Yes);
    EXPECT_EQ(title, "Tonquill (32 bit)");
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(text, QString::fromUtf8("a\nb \u00A9"));
    EXPECT_EQ(def, "No");

    WhenShown([&](QMessageBox* box) {
        title = box->windowTitle();
        icon = box->icon();
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(boxes.MsgBox("No file has yet been opened", 48, std::string("   ")), mb::OK);
    EXPECT_EQ(title, "   ");
    EXPECT_EQ(icon, QMessageBox::Warning);

    WhenShown([&](QMessageBox* box) {
        icon = box->icon();
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(boxes.MsgBox("Delete?", 20), mb::Yes);
    EXPECT_EQ(icon, QMessageBox::Critical);
}

TEST(QtMessageBoxes, InputBoxGivesTheTextOrEmptyOnCancel) {
    QtMessageBoxes boxes;
    QTimer::singleShot(0, [] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        auto* edit = w->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, "NEWPIECE");
        QTest::keyClick(w, Qt::Key_Return);
    });
    EXPECT_EQ(boxes.InputBox("Title of the piece?", std::string("New")), "NEWPIECE");
    QTimer::singleShot(0, [] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_EQ(boxes.InputBox("How may items ?", std::string("Insert Items"), "3"), "");
}

TEST(QtMessageBoxes, InputBoxGivesCharactersBeyondWindows1252AsControlCharacters) {
    const struct {
        const char* typed;
        std::string given;
    } cases[] = {
        {"\u03A9mega", "\x1Amega"},
        {"\u65E5\u672C", "\x1A\x1A"},
        {"\u00C9tude \u20AC", "\xC9tude \x80"},
    };
    QtMessageBoxes boxes;
    for (const auto& k : cases) {
        QTimer::singleShot(0, [&k] {
            QWidget* w = QApplication::activeModalWidget();
            ASSERT_NE(w, nullptr);
            auto* edit = w->findChild<QLineEdit*>();
            ASSERT_NE(edit, nullptr);
            // As an input method commits what was typed.
            QInputMethodEvent typed;
            typed.setCommitString(QString::fromUtf8(k.typed));
            QApplication::sendEvent(edit, &typed);
            QTest::keyClick(w, Qt::Key_Return);
        });
        EXPECT_EQ(boxes.InputBox("Enter name of new file (no Extension)"), k.given) << k.typed;
    }
}

TEST(QtMessageBoxes, InputBoxIsWideEnoughForItsTitle) {
    QtMessageBoxes boxes;
    const std::string title = "Directory is /home/a-rather-long-user-name/Music/Tonquill pieces";
    int width = 0;
    QString shownTitle;
    QTimer::singleShot(0, [&] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        width = w->width();
        shownTitle = w->windowTitle();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    boxes.InputBox("Enter name of new file (no Extension)", title);
    EXPECT_EQ(shownTitle.toStdString(), title);
    QFont bold = QApplication::font("QMdiSubWindowTitleBar");
    bold.setBold(true);
    // The title, and room for the title bar's icon and three buttons.
    EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance(shownTitle) + 100);
}

} // namespace
} // namespace tnq
