// frmMidiOutput ("MIDI Output"): the list of the system's MIDI output
// ports, from which the port the program plays on is chosen. It stands in
// for the system's own MIDI settings.
#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace tnq {

class FrmMidiOutput : public QDialog {
    Q_OBJECT
public:
    FrmMidiOutput(QWidget* parent, const std::vector<std::string>& ports,
                  const std::string& current);

    // Shows the dialog modally: the port chosen by OK (or a double click),
    // nothing after Cancel.
    static std::optional<std::string> Choose(QWidget* parent,
                                             const std::vector<std::string>& ports,
                                             const std::string& current);

    QLabel* lblPorts;
    QListWidget* lstPorts;
    QPushButton *btnOK, *btnCancel;
};

} // namespace tnq
