// frmDirectory, "Change Directory for New Title": a list of places (in
// place of drives) and a directory list choose the pieces directory; OK
// makes it current for this run and, with the box ticked, the stored
// default. OK hides the dialog and keeps it; Cancel unloads it.
#pragma once

#include "core/context.h"
#include "platform/ui/form_lifecycle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace tnq {

// A directory list: the directories from the root down to its path, then
// the path's subdirectories; activating a row (double click or Enter) makes
// its directory the path.
class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr) : QListWidget(parent) {}
    // Shows path; raises VbError (and keeps the list) when it cannot be read.
    void SetPath(const std::string& path);
    const std::string& Path() const { return path_; }
    // The full path of a row.
    static std::string PathOf(const QListWidgetItem* item);

private:
    std::string path_;
};

class FrmDirectory : public DialogForm {
    Q_OBJECT
public:
    FrmDirectory(QWidget* parent, Context& c);

    void Drive1_Change();
    void Dir1_Change(const std::string& path);
    void btnOK_Click();
    void btnCancel_Click();

    // The directory selected so far.
    const std::string& Selected() const { return selected_; }

    QComboBox* Drive1;
    DirListBox* Dir1;
    QLabel *lblCurDir, *lblNewDir;
    QCheckBox* chkDefault;
    QPushButton *btnOK, *btnCancel;

protected:
    void Form_Load() override;

private:
    // Dir1 shows path, which becomes the selected directory; when it cannot
    // be read, a message titled errorTitle and nothing changes.
    bool ShowPath(const std::string& path, const char* errorTitle);

    Context& c_;
    std::string selected_;
    int driveIndex_ = -1; // the place the lists show
};

} // namespace tnq
