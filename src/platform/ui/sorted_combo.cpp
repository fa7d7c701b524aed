// Sorted drop-down list.
#include "platform/ui/sorted_combo.h"

#include "platform/sorted_text.h"
#include "platform/ui/qt_message_boxes.h"

#include <algorithm>

namespace tnq {

SortedComboBox::SortedComboBox(QWidget* parent) : QComboBox(parent) {}

int SortedComboBox::AddItem(const std::string& text) {
    const auto first = rows_.begin() + static_cast<std::ptrdiff_t>(headings_);
    const auto at = std::upper_bound(first, rows_.end(), text,
                                     [](const std::string& t, const std::string& row) {
                                         return CompareListText(t, row) < 0;
                                     });
    return InsertRow(static_cast<std::size_t>(at - rows_.begin()), text);
}

int SortedComboBox::AddHeading(const std::string& text) {
    return InsertRow(headings_++, text);
}

int SortedComboBox::InsertRow(std::size_t at, const std::string& text) {
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), text);
    insertItem(static_cast<int>(at), ToQt(text));
    return static_cast<int>(at);
}

void SortedComboBox::Clear() {
    rows_.clear();
    headings_ = 0;
    clear();
}

} // namespace tnq
