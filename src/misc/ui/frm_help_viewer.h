// The help viewer: the program's help document (an HTML file) in a window
// of its own beside the main window, opened at its contents, at the topic
// of a field, command or window, or at the viewer's own page on using it.
// Opened over a modal window, it is modal itself, so that it can be read
// and closed before that window goes on. Esc and Close close it.
#pragma once

#include <QPushButton>
#include <QTextBrowser>
#include <QWidget>

#include <string>

namespace tnq {

class FrmHelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit FrmHelpViewer(QWidget* mainWindow);

    // Shows the document at helpFile at the topic's place (its contents
    // when the document has no such topic, or topic is 0).
    void ShowTopic(const std::string& helpFile, int topic);
    // Shows the viewer's own page on using it.
    void ShowUsingHelp();

    // The document shown ("" for the viewer's own pages) and its anchor.
    const std::string& Document() const { return document_; }
    std::string Anchor() const;

    QPushButton *btnContents, *btnBack, *btnForward, *btnClose;
    QTextBrowser* txtHelp;

private:
    void Present();

    std::string document_;
    std::string helpFile_; // the last document asked for, for Contents
};

} // namespace tnq
