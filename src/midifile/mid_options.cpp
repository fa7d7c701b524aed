// Filling and checking the boxes of the .MID options dialog.
#include "midifile/mid_options.h"

#include "platform/vb.h"

namespace tnq {

std::string MidDialogCaption(const State& s) {
    return s.MenuMode == "mnuModPlayMid" ? "Create (Modified) .Mid File" : "Create .Mid File";
}

std::string MidDialogTitle(const State& s) {
    const std::string& d = s.PieceDescription;
    std::string out;
    for (std::size_t i = 0; i < d.size(); ++i) {
        if (d[i] == '\r' && i + 1 < d.size() && d[i + 1] == '\n') {
            out.push_back(' ');
            ++i;
        } else {
            out.push_back(d[i]);
        }
    }
    return out;
}

std::string MidDialogCopyright(const State& s) {
    return s.MidCopyright.empty() ? kDefaultCopyright : s.MidCopyright;
}

std::string MidDialogPpqn(const State& s) {
    return std::to_string(s.MidDivision);
}

bool MidPpqnAcceptable(std::string_view text) {
    const double v = Val(text);
    return v >= 0 && v <= 32767;
}

std::optional<std::int32_t> ActiveSenseStepFromText(std::string_view text) {
    const double v = RoundHalfEven(Val(text));
    if (!(v >= 1 && v <= 32767)) return std::nullopt;
    return static_cast<std::int32_t>(v);
}

std::int64_t ActiveSenseMessages(std::int64_t step, std::int64_t reference) {
    const std::int64_t end = reference > 0 ? reference : 0;
    if (end == 0 || step < 1) return 1;
    return (end + step - 1) / step;
}

std::string ActiveSenseStepRefusal(std::int64_t step, std::int64_t reference) {
    const std::int64_t messages = ActiveSenseMessages(step, reference);
    if (messages <= kMaxActiveSenseMessages) return "";
    const std::int64_t shortest = (reference + kMaxActiveSenseMessages - 1) / kMaxActiveSenseMessages;
    return "An active sense step of" + Str(step) + " ticks would write" + Str(messages) +
           " messages over this piece; at most" + Str(kMaxActiveSenseMessages) +
           " can be written. Use a step of" + Str(shortest) +
           " ticks or more, or leave Adjust Active Sense unticked.";
}

} // namespace tnq
