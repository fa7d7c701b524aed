// The .MID options dialog as the writers see it, and the rules its form
// follows to fill and check its boxes.
#pragma once

#include "core/context.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tnq {

// What the user chose in the dialog. Texts are Windows-1252 bytes.
struct MidOptions {
    std::string Title;                // text of the title event; "" = no title event
    std::string Copyright;            // text of the copyright event; "" = none
    bool ActiveSense = false;         // write the active-sense chunk
    std::int32_t ActiveSenseStep = 0; // ticks between active-sensing messages
};

// frmMidFile. Show is modal: it reads MenuMode, MidDivision, MidCopyright
// and PieceDescription, sets DialogResult ("" after OK, "abort" after
// Abort) and returns the choices after OK, nothing after Abort.
class MidOptionsDialog {
public:
    virtual ~MidOptionsDialog() = default;
    virtual std::optional<MidOptions> Show(Context& c) = 0;
};

// The default text of the copyright box: "Copyright ", the copyright sign
// (byte A9) and a blank.
inline const std::string kDefaultCopyright = "Copyright \xA9 ";

// Caption: "Create (Modified) .Mid File" while MenuMode is "mnuModPlayMid",
// else "Create .Mid File".
std::string MidDialogCaption(const State& s);
// The title box: PieceDescription with every CR LF pair made one blank.
std::string MidDialogTitle(const State& s);
// The copyright box: MidCopyright, or the default text when that is empty.
std::string MidDialogCopyright(const State& s);
// The PPQN box: MidDivision without a leading blank.
std::string MidDialogPpqn(const State& s);
// OK accepts the PPQN box when its leading number lies in 0..32767.
bool MidPpqnAcceptable(std::string_view text);
// The active-sense step of a box text: its leading number rounded, when
// that lies in 1..32767.
std::optional<std::int32_t> ActiveSenseStepFromText(std::string_view text);

// Most active-sensing messages a chunk is given: a short step over a long
// piece would otherwise fill gigabytes.
inline constexpr std::int64_t kMaxActiveSenseMessages = 10'000'000;
// The messages of the chunk for a step over reference ticks (one at least).
std::int64_t ActiveSenseMessages(std::int64_t step, std::int64_t reference);
// "" when the step writes at most kMaxActiveSenseMessages over reference
// ticks, else the message that refuses it.
std::string ActiveSenseStepRefusal(std::int64_t step, std::int64_t reference);

} // namespace tnq
