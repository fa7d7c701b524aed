// Sorted drop-down list.
#include "platform/ui/sorted_combo.h"

#include "platform/sorted_text.h"
#include "platform/ui/qt_message_boxes.h"

namespace tnq {

SortedComboBox::SortedComboBox(QWidget* parent) : QComboBox(parent) {}

int SortedComboBox::AddItem(const std::string& text) {
    const std::size_t at = SortedInsertIndex(rows_, text);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), text);
    insertItem(static_cast<int>(at), ToQt(text));
    return static_cast<int>(at);
}

void SortedComboBox::Clear() {
    rows_.clear();
    clear();
}

} // namespace tnq
