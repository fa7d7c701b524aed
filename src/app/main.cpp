// Tonquill: type a score from the keyboard, write Standard MIDI Files.
#include "core/startup.h"
#include "entry/ui/frm_kvs.h"
#include "platform/rt_midi_output.h"
#include "platform/ui/qt_file_dialogs.h"
#include "platform/ui/qt_launcher.h"
#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_printer.h"
#include "platform/ui/qt_system_info.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tonquill");

    tnq::State state;
    tnq::QtMessageBoxes boxes;
    tnq::SettingsStore settings(tnq::SettingsStore::DefaultFile());
    tnq::QtSystemInfo system;
    tnq::FrmKVS window;
    tnq::Context context{state, boxes, settings, window, system};
    tnq::QtFileDialogs files(&window);
    context.files = &files;
    tnq::RtMidiOutput midi;
    context.midi = &midi;
    tnq::QtLauncher launcher;
    context.launcher = &launcher;
    // The set-up sheet prints on the printer the print dialog set up.
    tnq::QtPrinter printer(files.Printer());
    context.printer = &printer;
    window.Attach(&context);
    boxes.SetParent(&window);

    // The main window loads, then shows; closing it (after Exit's question)
    // ends the program.
    if (!tnq::Main(context, [&window] {
            window.Form_Load();
            window.show();
        }))
        return 0;
    return QApplication::exec();
}
