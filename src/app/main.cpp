// Tonquill: type a score from the keyboard, write Standard MIDI Files.
#include "core/startup.h"
#include "entry/ui/frm_kvs.h"
#include "platform/ui/qt_message_boxes.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tonquill");

    tnq::State state;
    tnq::QtMessageBoxes boxes;
    tnq::SettingsStore settings(tnq::SettingsStore::DefaultFile());
    tnq::SystemInfo system;
    tnq::FrmKVS window;
    tnq::Context context{state, boxes, settings, window, system};
    window.Attach(&context);
    boxes.SetParent(&window);

    if (!tnq::Main(context, [&window] { window.show(); })) return 0;
    return QApplication::exec();
}
