// What the logic sees of the main window: the entry boxes (the record
// buffer of every track-file procedure), the two status lines, the track
// figures and the hourglass pointer. The window implements it; tests use a
// plain fake.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tnq {

// The entry boxes, in tab order.
enum class Box { Tempo, Track, Item, Channel, Bar, Note, Octa, Dur, Adj, Dyn, PitchBend };

class MainScreen {
public:
    virtual ~MainScreen() = default;

    // Texts are in the program's one-byte encoding.
    virtual std::string Text(Box box) const = 0;
    virtual void SetText(Box box, const std::string& text) = 0;

    virtual void SetStatus1(const std::string& text) = 0;
    virtual void SetStatus2(const std::string& text) = 0;

    // Figure of track row r (0..95): an item count or a duration total.
    virtual void SetTrackFigure(int row, const std::string& text) = 0;

    // Hourglass pointer on or off.
    virtual void SetHourglass(bool on) = 0;
    // Lets pending window events run once (a long scan keeps the window
    // painted); keys typed meanwhile reach the window's handlers.
    virtual void DoEvents() {}

    // Moves the focus to an entry box (after the running handler returns).
    virtual void SetFocus(Box box) = 0;

    // ---- Controls by name, for commands that change the window ----------
    // Caption of the window ("frmKVS") or of a label ("lblTitle", "Label3",
    // "lblTimeElapsed", "lblTrackDesc", "lblDynamics", "lblAdjustment", ...).
    virtual void SetCaption(const std::string& control, const std::string& text) {
        (void)control, (void)text;
    }
    virtual std::string Caption(const std::string& control) const {
        (void)control;
        return "";
    }
    // Menu items by control name ("mnuMiscInit", "mnuMiscPorts", ...).
    virtual void SetMenuEnabled(const std::string& control, bool enabled) {
        (void)control, (void)enabled;
    }
    virtual void SetMenuChecked(const std::string& control, bool checked) {
        (void)control, (void)checked;
    }
    virtual bool MenuChecked(const std::string& control) const {
        (void)control;
        return false;
    }

    // ---- The window's own procedures that commands call -----------------
    virtual void EnableMenus() {}        // to menu mode
    virtual void ShowEntryHelp() {}      // to item-entry mode
    virtual void ArrangeTrackLabels() {} // track rows back to page 0
    // The recent-piece entries of the File menu, most recent first.
    virtual void ShowRecentPieces(const std::vector<std::string>& paths) { (void)paths; }
    // The rows of the track-description list: the first (the heading)
    // stays first, the others take their sorted places; selected = -1 for
    // none.
    virtual void SetTrackList(const std::vector<std::string>& rows, int selected) {
        (void)rows, (void)selected;
    }
    // ---- The item row, for Accept Item ----------------------------------
    // Background colour of an entry box as 0xRRGGBB (the bar box is yellow,
    // 0xFFFF00, during an insert run and white, 0xFFFFFF, otherwise).
    virtual void SetBackColor(Box box, std::uint32_t rgb) { (void)box, (void)rgb; }
    // Enables or disables a box or label of the item row by control name
    // ("lblOctave", "txtOcta", "lblNoteValue", "txtDur", "lblAdjustment",
    // "txtAdj", "lblDynamics", "txtDyn", "lblPitchBend", "txtPitchBend").
    virtual void SetControlEnabled(const std::string& control, bool enabled) {
        (void)control, (void)enabled;
    }
    // The program-name list cboGMNames that the dynamics box opens for a
    // PROGR item: shown?, its text, its selected row (-1 for none), and
    // hiding it with its selection cleared.
    virtual bool GMNamesVisible() const { return false; }
    virtual std::string GMNamesText() const { return ""; }
    virtual int GMNamesListIndex() const { return -1; }
    virtual void HideGMNames() {}

    // ---- The entry boxes' own needs -------------------------------------
    // The warning sound of a refused entry.
    virtual void Beep() {}
    // Shows or hides a control by name ("txtChannel", "cboTracks",
    // "cboDrumLookup", "cboGMNames"); ControlVisible tells whether it is shown.
    virtual void SetControlVisible(const std::string& control, bool visible) {
        (void)control, (void)visible;
    }
    virtual bool ControlVisible(const std::string& control) const {
        (void)control;
        return false;
    }
    // Moves the focus to a control that is no entry box ("btnAccept",
    // "cboGMNames") after the running handler returns.
    virtual void SetFocusOn(const std::string& control) { (void)control; }
    // The Flip button: the next page of track rows (TrackPage moves on).
    virtual void btnFlip_Click() {}

    // Initialize New File (the Miscellaneous menu command), offered by New.
    virtual void mnuMiscInit_Click() {}
    // Closes the help viewer when the program ends.
    virtual void CloseHelpViewer() {}
};

} // namespace tnq
