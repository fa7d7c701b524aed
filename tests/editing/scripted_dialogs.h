// The Edit-menu dialogs answered from a script for the command tests: each
// OK runs the dialog's real checks on the texts the test filled in.
#pragma once

#include "editing/copy_commands.h"
#include "editing/punch.h"
#include "editing/revise_parameters.h"
#include "editing/series.h"

#include <string>

namespace tnq::test {

// The Copy by Bar dialog answered from a script: OK runs the real checks.
class ScriptedCopyByBar : public CopyByBarDialog {
public:
    bool Show(Context& c) override {
        ++shown;
        modeShown = c.s.MenuMode;
        if (cancel) return false;
        field = CopyByBarOK(c, mode, texts, pitch, octave);
        return field == CopyField::None;
    }
    CopyByBarTexts Texts() const override { return texts; }

    std::string mode = "ADD";
    CopyByBarTexts texts;
    int pitch = 0, octave = 0;
    bool cancel = false;
    int shown = 0;
    std::string modeShown;
    CopyField field = CopyField::None;
};

// The series dialog answered from a script: OK runs the real checks.
class ScriptedSeries : public SeriesDialog {
public:
    bool Show(Context& c) override {
        ++shown;
        modeShown = c.s.MenuMode;
        if (cancel) return false;
        field = SeriesOK(c, texts, controller);
        if (field != EditField::None) return false;
        c.s.DialogResult = SeriesResult(c.s, controller);
        return true;
    }
    SeriesTexts Texts() const override { return texts; }

    SeriesTexts texts;
    int controller = 1; // Expression
    bool cancel = false;
    int shown = 0;
    std::string modeShown;
    EditField field = EditField::None;
};

// The Revise Parameters dialog answered from a script: OK runs the real
// checks.
class ScriptedParameters : public ParametersDialog {
public:
    bool Show(Context& c) override {
        ++shown;
        field = ParametersOK(c, texts);
        return field == EditField::None;
    }
    ParameterTexts Texts() const override { return texts; }

    ParameterTexts texts;
    int shown = 0;
    EditField field = EditField::None;
};

// The Punch In/Out dialog answered from a script: OK runs the real checks.
class ScriptedPunch : public PunchDialog {
public:
    bool Show(Context& c) override {
        ++shown;
        modeShown = c.s.MenuMode;
        if (cancel) return false;
        field = PunchOK(c, texts);
        return field == PunchField::None;
    }
    PunchTexts Texts() const override { return texts; }

    PunchTexts texts;
    bool cancel = false;
    int shown = 0;
    std::string modeShown;
    PunchField field = PunchField::None;
};

} // namespace tnq::test
