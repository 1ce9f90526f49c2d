#pragma once

#include "platform/ProfileStore.h"
#include "rename/RenameOptions.h"

#include <QString>

#include <optional>
#include <span>
#include <vector>

class QCheckBox;
class QLineEdit;
class frmFiles;

// How a parameter is kept in the settings file.
enum class Stored {
    None,      // not kept
    Quoted,    // the text box's text between two double quotes: blanks at its ends survive
    Plain,     // the text box's text as it is
    CaseGroup, // the index of the selected optGK button
    PosGroup,  // "0" when optPos(0) is selected, otherwise "1"
    Pos2Group, // "0" when optPos2(0) is selected, otherwise "1"
    ExtCase,   // the index of the choice of cboExtCase
    Tick,      // "1" when the row's check box is ticked, otherwise "0"
};

// One parameter of the options panel or of the tag frames' rules: a text box with the field of
// RenameOptions it fills, or a choice (an option group, a tick) that the Stored kind names. The
// switches chkOptions(0..10) are no rows: they go by their index (RuleSwitch).
struct ParameterSpec {
    const char* key = nullptr; // in the settings file; nullptr for a parameter that is not kept
    Stored stored = Stored::None;
    const char* defaultValue = ""; // what a missing or empty setting gives
    QLineEdit* frmFiles::*box = nullptr;
    QString RenameOptions::*field = nullptr;
    bool refreshesPreview = false;        // a change of the box's text runs the one-file preview
    bool digitsOnly = false;              // the box takes digits and editing keys alone (FilterKey)
    QCheckBox* frmFiles::*tick = nullptr; // with Stored::Tick: the check box, and the switch it fills
    bool RenameOptions::*flag = nullptr;
};

// Every parameter: the fourteen settings of the options panel, then the date rule's two and the
// tag rules' four, in the order in which they are written; then the parameters that are not kept.
std::span<const ParameterSpec> ParameterTable();

// The parameters of the panel and the tag frames into options; the switches are left as they are.
void ReadParameters(const frmFiles& form, RenameOptions& options);

// What the settings file keeps for a row, as the window stands (unquoted; nothing where the row's
// choice has none); and the window set from a value read from the file.
std::optional<QString> StoredValue(const frmFiles& form, const ParameterSpec& row);
void SetStoredValue(frmFiles& form, const ParameterSpec& row, const QString& value);

// A saved rule set of the window: every switch chkOptions(0..10) and every row of the table, each
// under its settings key, or under its control's name where the settings file does not keep it.
// Values stand between double quotes, so that blanks at their ends survive.
std::vector<ProfileEntry> RuleSetOf(const frmFiles& form);

// The window set from a rule set as the user would set it, control by control. What the set lacks
// (it was saved before a parameter existed) takes its default; a switch it lacks is off.
void SetRuleSet(frmFiles& form, std::span<const ProfileEntry> set);
