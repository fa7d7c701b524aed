// Message and input boxes on Qt.
#pragma once

#include "platform/message_box.h"

#include <QString>

class QWidget;

namespace tnq {

// Program text (Windows-1252 bytes) to a QString, and back.
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);

// The width a window needs to show its whole title in its title bar: the
// title in a bold face plus room for the bar's icon and buttons.
inline constexpr int kTitleBarExtras = 120;
int TitleBarWidth(const QString& title);

class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    int MsgBox(const std::string& text, int code = 0,
               const std::optional<std::string>& title = std::nullopt) override;
    std::string InputBox(const std::string& prompt,
                         const std::optional<std::string>& title = std::nullopt,
                         const std::string& defaultText = "") override;

private:
    QWidget* parent_;
};

} // namespace tnq
