// A status line: a sunken strip showing one line of text; setting the text
// replaces the line.
#pragma once

#include <QLabel>

#include <string>

namespace tnq {

class StatusLine : public QLabel {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    // Text in the program's one-byte encoding. Line ends show as blanks.
    void SetLine(const std::string& text);
    std::string Line() const { return line_; }

private:
    std::string line_;
};

} // namespace tnq
