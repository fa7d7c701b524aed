// The order of a sorted list box: letters without regard to case, hyphens
// and apostrophes ignored unless nothing else tells two rows apart, blanks
// and other signs before digits, digits before letters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tnq {

// Negative when a sorts before b, 0 when the list keeps them in the order
// they were added, positive otherwise. Texts are one-byte Windows-1252.
int CompareListText(std::string_view a, std::string_view b);

// Where a sorted list puts a new row: after every row that does not sort
// after it.
std::size_t SortedInsertIndex(const std::vector<std::string>& rows, std::string_view text);

} // namespace tnq
