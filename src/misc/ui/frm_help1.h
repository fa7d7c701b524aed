// frmHelp1, "Tonquill - Overview": six pages of introductory text drawn on
// the window, with Next, Previous and Exit. Shown beside the main window
// (not modal); Exit unloads it, so the next showing starts at page 0.
#pragma once

#include "core/context.h"
#include "misc/overview_pages.h"
#include "platform/ui/form_lifecycle.h"

#include <QPushButton>

namespace tnq {

// The program's file name, as the overview's installation page gives it.
inline constexpr const char* kExecutableName = "tonquill";

class FrmHelp1 : public DialogForm {
    Q_OBJECT
public:
    FrmHelp1(QWidget* mainWindow, Context& c);

    void btnNext_Click();
    void btnPrevious_Click();
    void btnExit_Click();

    int Page() const { return pager_.Page; }
    // The page as it is drawn now.
    OverviewPage Shown() const;
    // How many times a page was drawn.
    int Draws() const { return draws_; }

    QPushButton *btnNext, *btnPrevious, *btnExit;

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void paintEvent(QPaintEvent* e) override;

private:
    // Scale of the drawing: 1, or the screen's width / 640 when scaling.
    double Ratio() const;
    void ShowPager();

    Context& c_;
    QWidget* main_;
    OverviewPager pager_;
    int draws_ = 0;
};

} // namespace tnq
