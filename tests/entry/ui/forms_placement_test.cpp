// Every window of the program at its first showing: centred on the screen
// with the size it shows with, inside the screen, as wide as its title, and
// no caption narrower than its text.
#include "entry/ui/every_window.h"

#include <QDialog>
#include <QHeaderView>
#include <QPointer>
#include <QScrollBar>
#include <QTableWidget>

namespace tnq {
namespace {

using test::Settle;

class FirstShowing : public test::EveryWindow {
protected:
    // Checks a window at its first showing, then puts it down; shift: how
    // far right of the centre it stands.
    void Look(QWidget* d, int shift) {
        const QRect screen(QPoint(0, 0), d->screen()->geometry().size()), g(d->pos(), d->size());
        EXPECT_NEAR(g.x(), (screen.width() - g.width()) / 2 + shift, 3) << "centred";
        EXPECT_NEAR(g.y(), (screen.height() - g.height()) / 2, 3) << "centred";
        EXPECT_TRUE(screen.contains(g)) << "on the screen";
        EXPECT_GE(g.width(), TitleBarWidth(d->windowTitle())) << "title";
        for (QWidget* k : d->findChildren<QWidget*>()) {
            if (!k->isVisibleTo(d)) continue;
            EXPECT_LE(CaptionWidth(k), k->width()) << k->property("text").toString().toStdString();
            EXPECT_TRUE(d->rect().contains(QRect(k->mapTo(d, QPoint(0, 0)), k->size())));
            if (auto* table = qobject_cast<QTableWidget*>(k)) { // all its columns, whole
                EXPECT_FALSE(table->horizontalScrollBar()->isVisible());
                for (int col = 1; col < table->columnCount(); ++col) {
                    EXPECT_GE(table->columnWidth(col),
                              table->horizontalHeader()->sectionSizeHint(col));
                }
            }
        }
        if (auto* dialog = qobject_cast<QDialog*>(d)) dialog->done(QDialog::Rejected);
        d->close();
        Settle();
    }
};

TEST_F(FirstShowing, EveryWindowIsCentredAndShowsItsWholeTexts) {
    QWidget owner; // of the dialogs looked up among its children
    const int pickerShift = TwipsToPixels(1000, TwipsPerPixel(&w)); // right of the centre
    for (const test::ProgramWindow& window : Windows(owner)) {
        SCOPED_TRACE(window.Name);
        const int shift = std::string(window.Name) == "picker" ? pickerShift : 0;
        const QPointer<QTimer> watch =
            test::WhenShownModal([this, shift](QWidget* d) { Look(d, shift); });
        if (QWidget* modeless = window.Show()) {
            delete watch.data();
            Settle();
            Look(modeless, shift);
        }
        Settle();
    }
}

} // namespace
} // namespace tnq
