// CheckPieceTitle.
#include "core/piece_title.h"

#include "platform/vb.h"

namespace tnq {

bool IsBadTitleCharacter(char ch) {
    const auto u = static_cast<unsigned char>(ch);
    if (u < 0x20 || u == 0x7F) return true;
    switch (ch) {
    case '/':
    case '\\':
    case '.':
    case '=':
    case '[':
    case ']':
    case ';':
        return true;
    default:
        return false;
    }
}

CheckedTitle CheckPieceTitle(std::string_view typed) {
    CheckedTitle r;
    r.Title = UCase(Trim(typed));
    if (r.Title.empty()) {
        r.Result = TitleCheck::Empty;
    } else if (r.Title.size() > kMaxTitleLength) {
        r.Result = TitleCheck::TooLong;
    } else {
        r.Result = TitleCheck::Ok;
        for (char ch : r.Title)
            if (IsBadTitleCharacter(ch)) r.Result = TitleCheck::BadCharacter;
    }
    return r;
}

} // namespace tnq
