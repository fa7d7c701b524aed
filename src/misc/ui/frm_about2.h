// frmAbout2, the About box: the program's icon, title and version, and a
// button that starts the system-information program. Shown beside the main
// window (not modal); OK only hides it.
#pragma once

#include "core/context.h"
#include "platform/ui/form_lifecycle.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace tnq {

class FrmAbout2 : public DialogForm {
    Q_OBJECT
public:
    FrmAbout2(QWidget* mainWindow, Context& c);

    void btnOK_Click();
    void btnSysInfo_Click();
    // Centres a control across the form.
    void CentreLabel(QWidget* control);

    QLabel *Image1, *Label1;
    QFrame* Line1;
    QPushButton *btnOK, *btnSysInfo;

protected:
    void Form_Load() override;

private:
    Context& c_;
    QWidget* main_;
};

} // namespace tnq
