// A status line: a sunken strip showing one line of text; setting the text
// replaces the line. A text too long for the strip is still shown whole:
// in a narrower or smaller face, or else on two lines.
#pragma once

#include <QFont>
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

    // How the text is drawn in the strip as it stands.
    struct Fit {
        QFont Font;
        bool TwoLines = false;
    };
    Fit Fitted() const;
    // Where the text is drawn: the strip inside its frame and indent.
    QRect TextRect() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::string line_;
};

} // namespace tnq
