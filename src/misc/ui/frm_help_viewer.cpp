// The help viewer on a text browser.
#include "misc/ui/frm_help_viewer.h"

#include "misc/help_commands.h"
#include "platform/ui/qt_paths.h"
#include "platform/ui/qt_placement.h"
#include "platform/whole_file.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

namespace tnq {

FrmHelpViewer::FrmHelpViewer(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window) {
    setObjectName("frmHelpViewer");
    setWindowTitle("Tonquill Help");
    btnContents = new QPushButton("&Contents", this);
    btnContents->setObjectName("btnContents");
    btnBack = new QPushButton("&Back", this);
    btnBack->setObjectName("btnBack");
    btnForward = new QPushButton("&Forward", this);
    btnForward->setObjectName("btnForward");
    btnClose = new QPushButton("C&lose", this);
    btnClose->setObjectName("btnClose");
    txtHelp = new QTextBrowser(this);
    txtHelp->setObjectName("txtHelp");
    txtHelp->setOpenExternalLinks(false);

    // Enter presses the focused button (outside a dialog no button becomes
    // a default one by it).
    for (QPushButton* b : {btnContents, btnBack, btnForward, btnClose}) b->setAutoDefault(true);
    auto* row = new QHBoxLayout;
    for (QPushButton* b : {btnContents, btnBack, btnForward}) row->addWidget(b);
    row->addStretch();
    row->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(txtHelp);
    resize(640, 560);
    CentreAtFirstShowing(this);

    btnBack->setEnabled(false);
    btnForward->setEnabled(false);
    connect(txtHelp, &QTextBrowser::backwardAvailable, btnBack, &QPushButton::setEnabled);
    connect(txtHelp, &QTextBrowser::forwardAvailable, btnForward, &QPushButton::setEnabled);
    connect(btnBack, &QPushButton::clicked, txtHelp, &QTextBrowser::backward);
    connect(btnForward, &QPushButton::clicked, txtHelp, &QTextBrowser::forward);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
    connect(btnContents, &QPushButton::clicked, this, [this] {
        if (helpFile_.empty())
            ShowUsingHelp();
        else
            ShowTopic(helpFile_, 0);
    });
}

void FrmHelpViewer::ShowTopic(const std::string& helpFile, int topic) {
    helpFile_ = helpFile;
    // Only a document found by its full path; never one that happens to lie
    // in the current directory.
    std::string text;
    try {
        if (!helpFile.empty() && helpFile.front() == '/') text = ReadWholeFile(helpFile);
    } catch (...) {
        text.clear();
    }
    if (text.empty()) {
        document_.clear();
        txtHelp->setHtml(QString::fromStdString(MissingHelpPage(helpFile)));
    } else {
        document_ = helpFile;
        QUrl url = QUrl::fromLocalFile(PathToQt(helpFile));
        url.setFragment(QString::fromStdString(HelpAnchor(text, topic)));
        txtHelp->setSource(url);
    }
    Present();
}

void FrmHelpViewer::ShowUsingHelp() {
    document_.clear();
    txtHelp->setHtml(QString::fromStdString(UsingHelpPage()));
    Present();
}

std::string FrmHelpViewer::Anchor() const {
    return txtHelp->source().fragment().toStdString();
}

void FrmHelpViewer::Present() {
    // Over a modal window only a modal viewer can be used; beside the main
    // window it stays modeless.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != this) {
        const Qt::WindowModality wanted = modal ? Qt::ApplicationModal : Qt::NonModal;
        if (windowModality() != wanted) {
            hide();
            setWindowModality(wanted);
        }
    }
    show();
    raise();
    activateWindow();
}

} // namespace tnq
