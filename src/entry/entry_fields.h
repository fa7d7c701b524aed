// The entry boxes of the main window by themselves: the help line each box
// shows when it gets the focus (after its guard), the check each makes when
// it loses the focus, the note box's switching of the value boxes for rests
// and keywords, and the keys of the form and of the item, bar and note
// boxes. The window registers these as its handlers; selecting a box's
// text, sending keystrokes and running Accept Item stay with the window.
#pragma once

#include "core/context.h"
#include "entry/entry_dialogs.h"

#include <optional>
#include <string>

namespace tnq {

// The current track lies in 1..NumTracks and the score has room for it.
bool HasCurrentTrack(const State& s);

// ---- Focus handlers ---------------------------------------------------------
// Each writes its box's help line into StatusBar1. The handlers with a
// guard (track, item, bar) return false when the guard found an earlier box
// invalid and sent the focus back there; nothing else is done then.
void txtTempo_GotFocus(Context& c);
bool txtTrack_GotFocus(Context& c);
bool txtItem_GotFocus(Context& c);
void txtChannel_GotFocus(Context& c);
bool txtBar_GotFocus(Context& c);
void txtNote_GotFocus(Context& c);
void txtOcta_GotFocus(Context& c);
void txtDur_GotFocus(Context& c);
void txtAdj_GotFocus(Context& c);
void txtDyn_GotFocus(Context& c);
void txtPitchbend_GotFocus(Context& c);

// Help lines that depend on the piece or the item.
std::string TrackHelpLine(int numTracks);
// The value box's line for the note text; nothing when the line stays.
std::optional<std::string> AdjHelpLine(const std::string& note);
// The dynamics box's line for the note text and the value box's text.
std::string DynHelpLine(const std::string& note, const std::string& adj);

// ---- Loss-of-focus checks -----------------------------------------------------
// Each returns false when it has moved the focus itself: back into its box
// after refusing its text, or on to Accept Item after switching the value
// boxes off. They do nothing in menu mode.
bool txtTempo_LostFocus(Context& c);
bool txtTrack_LostFocus(Context& c);
bool txtItem_LostFocus(Context& c);
void txtChannel_LostFocus(Context& c);
bool txtBar_LostFocus(Context& c);
bool txtNote_LostFocus(Context& c);
void txtDur_LostFocus(Context& c);
// Leaving the open instrument list forwards ends the choice: the chosen
// program goes into the dynamics box (which keeps its text when nothing was
// chosen) and the list closes. Moving back leaves the list open.
void cboGMNames_LostFocus(Context& c);

// What a valid track number shows besides the boxes: the channel box
// (hidden for track 1), the track's description, the page of track rows
// that holds it; LastTrack := trackText.
void ShowTrackDetails(Context& c, Integer t, const std::string& trackText);

// Switches off the ten value controls, FieldsDisabled := 1, focus to the
// Accept Item button.
void DisableFields(Context& c);

// ---- Keys ---------------------------------------------------------------------
// What the window does after the form has seen a key. CheckItemBox: the
// item box's own check, as when Tab leaves it (nothing is stored).
enum class FormKeyAction { None, NextBox, PreviousBox, Accept, CheckItemBox };

// Enter: the next box; Up arrow: the previous one without checks; Shift+Tab
// marks the backward move; F12: Accept Item, except while the program list
// is open and for END, LEGOF, LEGO1, LEGON behind the last item or with
// more than one blank of an insert run left. Accept Item stores at the item
// the item box names: when the box holds another text than the track's
// pointer, F12 only has the box checked.
FormKeyAction Form_KeyDown(Context& c, int keyCode, int shift);
// The Enter character is swallowed.
void Form_KeyPress(int& keyAscii);

// F7: the legato scan of every track; F8: the next channel change on the
// current track; F9: find a bar; F2..F6, F10: find the next PROGR, CNTRL,
// TEMPO, METER, LEGON, PBEND.
void txtItem_KeyDown(Context& c, int& keyCode, int shift);
// DialogResult emptied on every key; Home: the next bar number, focus to the
// note box; F6: Revise Bar Numbers, F8: Copy by Item (with the window's
// dialogs).
void txtBar_KeyDown(Context& c, int& keyCode, int shift, EntryDialogs* dialogs = nullptr);
// DialogResult emptied on every key; F2..F6, F8: a keyword into the box;
// F7: the special-item picker (with the window's dialogs).
void txtNote_KeyDown(Context& c, int& keyCode, int shift, EntryDialogs* dialogs = nullptr);

// F7 in the note box: the picker shown with SkipValidation set; a chosen
// keyword goes into the note box with "Press <ENTER> to accept".
void PickSpecialItem(Context& c, EntryDialogs& dialogs);
// F6 in the bar box: Revise Bar Numbers shown with SkipValidation set; its
// valid OK renumbers the run (AssignBarNumbers); in any case the item box
// shows the cursor of the current track.
void ReviseBarNumbers(Context& c, EntryDialogs& dialogs);
// F8 in the bar box: Copy by Item shown with SkipValidation set; its valid
// OK copies the run to the current track at its cursor (the dialogs'
// RunCopyByItem), and the item box and the record boxes then show the item
// at the cursor; Cancel puts the focus back into the bar box.
void CopyItemsHere(Context& c, EntryDialogs& dialogs);
// Upper case; a B typed as the second keystroke is the flat sign b.
void txtNote_KeyPress(State& s, int& keyAscii);
// Lower case.
void txtDur_KeyPress(int& keyAscii);

} // namespace tnq
