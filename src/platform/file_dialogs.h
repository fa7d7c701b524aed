// The system's file-selection and print dialogs as a service: the window
// provides them on the toolkit, tests script them.
#pragma once

#include <optional>
#include <string>

namespace tnq {

// What the user chose in the print dialog.
struct PrintChoice {
    bool PageRange = false; // a page range was chosen (otherwise all pages)
    int FromPage = 1;
    int ToPage = 1;
    int Copies = 1;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // Asks for an existing piece file (filter "Midi Files (*.TNQ)", then
    // "All Files (*)"), starting in startDir. Returns the chosen file's full
    // path, or nothing when the user cancelled. Paths are bytes as the file
    // system names them. A failure of the dialog itself raises VbError.
    virtual std::optional<std::string> OpenPieceFile(const std::string& startDir) = 0;

    // Asks for an existing program file (filter "Programs", then "All
    // Files"). Returns its full path, or nothing when the user cancelled. A
    // failure of the dialog itself raises VbError.
    virtual std::optional<std::string> OpenProgramFile() = 0;
    // Asks for an existing file of the kind filter names (as the dialog
    // lists it: "Midi Files (*.AWE)"), starting in startDir; as
    // OpenPieceFile otherwise.
    virtual std::optional<std::string> OpenFile(const std::string& startDir,
                                                const std::string& filter) = 0;

    // The print dialog for a printout of pages pages (page numbers allowed,
    // no selection; a PDF file may be chosen in place of a printer).
    // Nothing when the user cancelled. A failure raises VbError.
    virtual std::optional<PrintChoice> Print(int pages) = 0;
};

} // namespace tnq
