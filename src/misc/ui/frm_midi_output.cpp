// The MIDI output port list.
#include "misc/ui/frm_midi_output.h"

#include "platform/ui/qt_placement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tnq {

FrmMidiOutput::FrmMidiOutput(QWidget* parent, const std::vector<std::string>& ports,
                             const std::string& current)
    : QDialog(parent) {
    setObjectName("frmMidiOutput");
    setWindowTitle("MIDI Output");
    lblPorts = new QLabel("Play the test sounds on this MIDI output:", this);
    lblPorts->setObjectName("lblPorts");
    lstPorts = new QListWidget(this);
    lstPorts->setObjectName("lstPorts");
    btnOK = new QPushButton("&OK", this);
    btnOK->setObjectName("btnOK");
    btnCancel = new QPushButton("&Cancel", this);
    btnCancel->setObjectName("btnCancel");
    btnOK->setDefault(true);

    for (const std::string& port : ports) {
        auto* item = new QListWidgetItem(QString::fromStdString(port), lstPorts);
        if (port == current) lstPorts->setCurrentItem(item);
    }
    if (!lstPorts->currentItem()) lstPorts->setCurrentRow(0);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPorts);
    layout->addWidget(lstPorts);
    layout->addLayout(buttons);

    CentreAtFirstShowing(this);

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstPorts, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

std::optional<std::string> FrmMidiOutput::Choose(QWidget* parent,
                                                 const std::vector<std::string>& ports,
                                                 const std::string& current) {
    FrmMidiOutput dialog(parent, ports, current);
    if (dialog.exec() != QDialog::Accepted || !dialog.lstPorts->currentItem()) return std::nullopt;
    return dialog.lstPorts->currentItem()->text().toStdString();
}

} // namespace tnq
