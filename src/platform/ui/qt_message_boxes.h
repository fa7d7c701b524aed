// Message and input boxes on Qt.
#pragma once

#include "platform/message_box.h"
#include "platform/ui/qt_placement.h"

#include <QString>

class QWidget;

namespace tnq {

// Program text (Windows-1252 bytes) to a QString, and back.
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);

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
