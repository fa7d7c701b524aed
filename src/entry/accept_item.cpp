// Accept Item.
#include "entry/accept_item.h"

#include "core/item_checks.h"
#include "core/recalculate.h"
#include "core/track_change.h"
#include "core/track_files.h"
#include "core/duration_parse.h"
#include "entry/value_fields.h"
#include "core/vocabulary.h"
#include "platform/vb.h"

#include <cmath>
#include <optional>
#include <string>

namespace tnq {

namespace {

constexpr const char* kAcceptTitle = "Accept Item";


// Widths of the record fields the boxes are stored in.
constexpr std::size_t kNoteWidth = kFieldWidths[0], kDurationWidth = kFieldWidths[2],
                      kAdjustmentWidth = kFieldWidths[3], kDynamicsWidth = kFieldWidths[4],
                      kBarWidth = kFieldWidths[5], kChannelWidth = kFieldWidths[6],
                      kPitchBendWidth = kFieldWidths[7];

// Keywords whose value field is forced "0".
bool AdjustmentForcedZero(int kw) {
    switch (kw) {
    case code::PROGR:
    case code::TEMPO:
    case code::LOCAT:
    case code::AFTER:
    case code::PBEND:
    case code::LEGON:
    case code::LEGOF:
    case code::LEGO1:
    case code::PORTS:
        return true;
    default:
        return false;
    }
}

bool IsLegatoKeyword(int kw) {
    return kw == code::LEGON || kw == code::LEGOF || kw == code::LEGO1;
}

// What the measuring of a duration carries from item to item along a track:
// put back by the destructor unless the item was stored, so that a refused
// item leaves the next one measured as the recalculation will measure it.
class CarriedState {
public:
    explicit CarriedState(State& s) : s_(s), fraction_(s.TickFraction), unit_(s.BeatUnit) {}
    ~CarriedState() {
        if (kept_) return;
        s_.TickFraction = fraction_;
        s_.BeatUnit = unit_;
    }
    CarriedState(const CarriedState&) = delete;
    CarriedState& operator=(const CarriedState&) = delete;
    void Keep() { kept_ = true; }

private:
    State& s_;
    Single fraction_, unit_;
    bool kept_ = false;
};

class AcceptRun {
public:
    explicit AcceptRun(Context& c) : c_(c), s_(c.s), sc_(c.screen), carried_(c.s) {}

    void Run();

private:
    // A refused box: its text put back, the focus on it.
    void Refuse(Box box, const std::string& text) {
        sc_.SetText(box, text);
        sc_.SetFocus(box);
    }
    // The box's text without surrounding blanks, shown so in the box.
    std::string TrimBox(Box box) {
        std::string text = Trim(sc_.Text(box));
        sc_.SetText(box, text);
        return text;
    }

    bool CursorValid();
    bool CheckBar();
    bool CheckChannel();
    bool CheckPitchBend();
    bool CheckNote();
    bool CheckDuration();
    bool CheckValueField();
    bool CheckDynamics();
    void CutTrack();
    void Store();
    void NextItem();
    void Prefill();

    Context& c_;
    State& s_;
    MainScreen& sc_;
    int t_ = 0;
    int kw_ = 0; // the keyword's code, 0 for a note, a rest or END
    std::string N_;
    bool restoreNoteFields_ = false;
    CarriedState carried_;
};

void AcceptRun::Run() {
    // The main window fills these tables when it loads.
    if (s_.PowerOfTwo[1] == 0) FillNoteTables(s_);
    FillValidControllers(s_);
    restoreNoteFields_ = false;
    if (s_.FieldsDisabled == 1) EnableFields(c_);
    s_.NoteKeyCount = 0;

    if (!CursorValid() || !CheckBar()) return;

    if (sc_.Text(Box::Note) == "RESET") {
        sc_.SetText(Box::Note, "CNTRL");
        sc_.SetText(Box::Adj, "121");
        sc_.SetText(Box::Dyn, "0");
        restoreNoteFields_ = true;
    }
    N_ = TrimBox(Box::Note);
    s_.Scratch = N_;
    kw_ = KeywordCode(N_);

    if (N_ != "END" && !CheckChannel()) return;
    if (!CheckPitchBend() || !CheckNote() || !CheckDuration() || !CheckValueField() ||
        !CheckDynamics())
        return;

    if (N_ == "END") return CutTrack();
    Store();
}

// The cursor of the current track must lie on an item or just behind the
// last one.
bool AcceptRun::CursorValid() {
    t_ = s_.CurrentTrack;
    if (t_ < 1 || t_ > s_.NumTracks || t_ > s_.ItemCount.Upper() || t_ > s_.CurrentItem.Upper()) {
        sc_.SetFocus(Box::Track);
        return false;
    }
    const int cursor = s_.CurrentItem(t_);
    if (cursor < 1 || cursor > s_.ItemCount(t_) + 1) {
        sc_.SetFocus(Box::Item);
        return false;
    }
    return true;
}

bool AcceptRun::CheckBar() {
    const std::string bar = TrimBox(Box::Bar);
    const double v = Val(bar);
    if (!IsNumeric(bar) || bar.size() > kBarWidth || !InRange(v, 0, kMaxBar)) {
        Refuse(Box::Bar, s_.LastBar);
        return false;
    }
    s_.ItemBar = CInt(v);
    s_.LastBar = bar;
    return true;
}

bool AcceptRun::CheckChannel() {
    if (t_ == 1) sc_.SetText(Box::Channel, "1");
    const std::string channel = TrimBox(Box::Channel);
    const double v = Val(channel);
    if (channel.size() > kChannelWidth || !InRange(v, 1, 16)) {
        Refuse(Box::Channel, s_.LastChannel);
        return false;
    }
    s_.ItemChannel = CInt(v);
    s_.LastChannel = channel;
    return true;
}

bool AcceptRun::CheckPitchBend() {
    const std::string bend = TrimBox(Box::PitchBend);
    const double v = Val(bend);
    if (bend.size() > kPitchBendWidth || !InRange(v, -8192, 8191)) {
        Refuse(Box::PitchBend, s_.LastPitchBend);
        return false;
    }
    s_.ItemPitchBend = CInt(v);
    s_.LastPitchBend = "0";
    return true;
}

// The kind of item, its forced texts, and for a note its code.
bool AcceptRun::CheckNote() {
    if (N_ == "R") {
        s_.ItemCode = code::Rest;
        s_.ItemDynamics = 0;
        sc_.SetText(Box::Octa, "0");
        sc_.SetText(Box::Dyn, "0");
        s_.LastNote = "R";
        return true;
    }
    if (kw_ != 0) {
        s_.ItemCode = static_cast<Integer>(kw_);
        s_.ItemTicks = 0;
        s_.ItemDynamics = 0;
        s_.ItemPitchBend = 0;
        sc_.SetText(Box::PitchBend, "0");
        sc_.SetText(Box::Octa, "0");
        if (kw_ != code::TEMPO) sc_.SetText(Box::Dur, "");
        if (AdjustmentForcedZero(kw_)) sc_.SetText(Box::Adj, "0");
        if (IsLegatoKeyword(kw_)) {
            sc_.SetText(Box::Dyn, "0");
            restoreNoteFields_ = true;
        }
        return true;
    }
    if (N_ == "END") return true;

    // Five characters or more are a keyword or nothing.
    if (N_.size() >= kNoteWidth) {
        Refuse(Box::Note, s_.LastNote);
        return false;
    }
    const std::string note = FlatSpelling(N_);
    if (note != N_) {
        N_ = note;
        sc_.SetText(Box::Note, N_);
    }
    const int index = NoteIndexOf(s_, N_);
    if (index == 0) {
        Refuse(Box::Note, s_.LastNote);
        return false;
    }
    s_.NoteIndex = static_cast<Integer>(index);
    s_.LastNote = sc_.Text(Box::Note);

    const std::string octave = TrimBox(Box::Octa);
    if (octave.size() != 1 || octave[0] < '0' || octave[0] > '8') {
        Refuse(Box::Octa, s_.LastOctave);
        return false;
    }
    s_.ItemCode = static_cast<Integer>(NoteNumber(index, octave[0] - '0'));
    s_.LastOctave = octave;
    return true;
}

bool AcceptRun::CheckDuration() {
    s_.ItemTicks = 0;
    const std::string D = TrimBox(Box::Dur);
    s_.Scratch = D;
    bool ok = D.size() <= kDurationWidth;
    if (!ok || N_ == "END" || (kw_ != 0 && kw_ != code::TEMPO && kw_ != code::LOCAT)) {
        // Nothing more to check.
    } else if (kw_ == code::TEMPO) {
        const std::optional<Single> unit = TempoBeatUnit(s_, D);
        if (unit)
            s_.BeatUnit = *unit;
        else
            ok = false;
    } else {
        DurationParse(s_, s_.Scratch, "btnAccept");
        if (s_.Scratch == "error")
            ok = false;
        else
            s_.LastDuration = sc_.Text(Box::Dur);
    }
    if (!ok) {
        Refuse(Box::Dur, s_.LastDuration);
        return false;
    }
    return true;
}

// The keyword's first number, or the adjustment of the item's length.
bool AcceptRun::CheckValueField() {
    const std::string A = TrimBox(Box::Adj);
    auto refuse = [this] {
        Refuse(Box::Adj, "0");
        return false;
    };
    if (A.size() > kAdjustmentWidth) return refuse();
    const double a = Val(A);
    if (HoldsFirstNumber(kw_)) {
        if (!FirstNumberFits(s_, kw_, a)) return refuse();
        s_.ItemTicks = static_cast<Single>(a);
        // An NRPN1 parameter is typed as a plain number: the adjustment
        // forms below check it too.
        if (kw_ != code::NRPN1) return true;
    }

    const Adjustment adj = ClassifyAdjustment(A);
    switch (adj.Form) {
    case AdjustmentForm::Zero:
        s_.ItemAdjust = 0;
        return true;
    case AdjustmentForm::Numeric:
        s_.ItemAdjust = static_cast<Single>(adj.Value);
        if (double(s_.ItemTicks) > kMaxItemTicks) return refuse();
        return true;
    case AdjustmentForm::Dashes:
        // A run that reaches before item 1 has nothing to remove.
        if (!ApplyDashRun(s_, t_, s_.CurrentItem(t_), adj.Dashes)) return refuse();
        return true;
    case AdjustmentForm::Invalid:
        break;
    }
    return refuse();
}

bool AcceptRun::CheckDynamics() {
    if (N_ == "END" || IsLegatoKeyword(kw_)) return true;

    // A program chosen in the instrument list opened from this box.
    if (sc_.GMNamesVisible()) {
        sc_.SetText(Box::Dyn, ChosenProgram(sc_));
        sc_.HideGMNames();
    }

    const std::string Y = TrimBox(Box::Dyn);
    const int parameter =
        kw_ == code::NRPN1 ? static_cast<int>(std::floor(double(s_.ItemTicks) + 0.5)) : 0;
    const std::optional<ValueRange> range = DynamicsRange(s_.ItemCode, parameter);
    // A plain whole number, negative only where the kind has negative values.
    if (Y.empty() || !DynamicsTextWellFormed(Y, range && range->Min < 0)) {
        sc_.SetFocus(Box::Dyn);
        return false;
    }
    const double y = Val(Y);
    if (kw_ == code::METER) {
        if (Y.size() > kDynamicsWidth || !IsMeterBottom(y)) {
            Refuse(Box::Dyn, "4");
            return false;
        }
        s_.ItemDynamics = CInt(y);
        return true;
    }
    if (N_ == "R") return true;
    if (Y.size() > kDynamicsWidth || !range || !InRange(y, range->Min, range->Max)) {
        Refuse(Box::Dyn, s_.LastDynamics);
        return false;
    }
    s_.ItemDynamics = CInt(y);
    if (kw_ == 0) s_.LastDynamics = Y;
    return true;
}

// END: the track ends at the cursor and is rebuilt from its file.
void AcceptRun::CutTrack() {
    {
        TrackChange change(c_, kAcceptTitle);
        s_.ItemCount(t_) = static_cast<Integer>(s_.CurrentItem(t_) - 1);
        WriteEndRecord(c_);
        // Not stored: the track keeps its items and count.
        if (!change.Store()) return;
    }
    s_.SelectedTracks.assign(static_cast<std::size_t>(s_.NumTracks), '0');
    s_.SelectedTracks[static_cast<std::size_t>(t_) - 1] = '1';
    sc_.SetHourglass(true);
    // The recalculation leaves the carried state as the track's items give it.
    carried_.Keep();
    Recalculate(c_);
    sc_.SetHourglass(false);
    sc_.SetFocus(Box::Bar);
}

void AcceptRun::Store() {
    const int t = t_;
    switch (kw_) {
    case code::LFO_2:
    case code::FILT1:
    case code::FILT2:
    case code::CNTRL:
        sc_.SetCaption("lblDynamics", "Dynamics");
        sc_.SetCaption("lblAdjustment", "Spare");
        break;
    case code::LOCAT:
    case code::PROGR:
    case code::PORTS:
    case code::AFTER:
    case code::NRPN1:
    case code::PBEND:
        sc_.SetCaption("lblDynamics", "Dynamics");
        break;
    default:
        break;
    }

    // A track holds at most MaxItems - 1 items; slot MaxItems stays free.
    const int cursor = s_.CurrentItem(t);
    if (cursor >= s_.MaxItems) {
        ShowCapacityMessage(c_, t);
        sc_.SetHourglass(false);
        return;
    }

    // The item is on disk before the screen moves on; when it cannot be
    // stored the track, its count and cursor, and the boxes stay as they
    // were, so that F12 again stores it once.
    TrackChange change(c_, kAcceptTitle);
    WriteItem(c_);
    if (!StoreItemTimes(c_)) {
        s_.CapacityReached = 0;
        sc_.SetHourglass(false);
        // An item that could not be stored is not kept.
        change.Undo();
        return;
    }
    const bool grew = s_.CurrentItem(t) - 1 > s_.ItemCount(t);
    if (grew) {
        s_.ItemCount(t) = static_cast<Integer>(s_.CurrentItem(t) - 1);
        WriteEndRecord(c_);
    }
    if (!change.Store()) {
        sc_.SetHourglass(false);
        return;
    }
    carried_.Keep();
    sc_.SetText(Box::Item, std::to_string(s_.CurrentItem(t)));
    if (grew) sc_.SetTrackFigure(t - 1, std::to_string(s_.ItemCount(t)));
    NextItem();
}

void AcceptRun::NextItem() {
    const int t = t_;
    if (s_.CurrentItem(t) > s_.ItemCount(t) || s_.InsertRemaining <= 1) {
        sc_.SetBackColor(Box::Bar, kNormalBoxColour);
        return Prefill();
    }
    // An insert run is open.
    if (s_.InsertLastItem == s_.CurrentItem(t) - 1) {
        s_.InsertLastItem = static_cast<Integer>(s_.InsertLastItem + 1);
        s_.InsertRemaining = static_cast<Integer>(s_.InsertRemaining - 1);
        sc_.SetBackColor(Box::Bar, kInsertRunColour);
        return Prefill();
    }
    // The run was left: the boxes show the item at the cursor.
    sc_.SetBackColor(Box::Bar, kNormalBoxColour);
    if (ReadItem(c_, 2)) {
        const std::size_t length = Trim(sc_.Text(Box::Note)).size();
        if (length == 5)
            DisplayDescription(c_);
        else if (length < 5)
            DefaultValueLabels(c_);
    }
    sc_.SetFocus(Box::Bar);
}

void AcceptRun::Prefill() {
    if (kw_ != 0 && kw_ != code::METER) {
        sc_.SetText(Box::Adj, "0");
        sc_.SetText(Box::PitchBend, "0");
        if (restoreNoteFields_) {
            sc_.SetText(Box::Octa, s_.LastOctave);
            sc_.SetText(Box::Dur, s_.LastDuration);
            sc_.SetText(Box::Dyn, s_.LastDynamics);
        }
    } else {
        sc_.SetText(Box::Note, s_.LastNote);
        sc_.SetText(Box::Octa, s_.LastOctave);
        sc_.SetText(Box::Dur, s_.LastDuration);
        sc_.SetText(Box::Adj, "0");
        sc_.SetText(Box::Dyn, s_.LastDynamics);
        sc_.SetText(Box::Channel, s_.LastChannel);
        sc_.SetText(Box::PitchBend, "0");
    }
    sc_.SetFocus(Box::Bar);
}

} // namespace

void btnAccept_Click(Context& c) {
    if (c.s.MenuActive != 0) return;
    try {
        AcceptRun(c).Run();
    } catch (const VbError& e) {
        c.screen.SetHourglass(false);
        c.msg.MsgBox(ErrorOccuredText(e), mb::Exclamation, std::string(kAcceptTitle));
    }
}

} // namespace tnq
