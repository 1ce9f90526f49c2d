#pragma once

#include <QString>

#include <span>

class QLineEdit;
class frmFiles;

// How a setting is kept in the file.
enum class Stored {
    Quoted,    // the text box's text between two double quotes: blanks at its ends survive
    Plain,     // the text box's text as it is
    CaseGroup, // the index of the selected optGK button
    PosGroup,  // "0" when optPos(0) is selected, otherwise "1"
    Pos2Group, // "0" when optPos2(0) is selected, otherwise "1"
    DateTick,  // "1" when the date rule's box chkDateTaken is ticked, otherwise "0"
};

struct SettingKey {
    const char* key;
    Stored stored;
    QLineEdit* frmFiles::*box; // the text box of a Quoted or Plain key
    const char* defaultValue;
};

// The fourteen settings of the options panel, then the date rule's two, in the order in which
// they are written.
std::span<const SettingKey> SettingKeys();

// Loads every setting into the options panel; missing or empty values give the defaults.
void LoadSettings(frmFiles& form, const QString& section, const QString& file);

// Writes every setting from the options panel.
void SaveSettings(const frmFiles& form, const QString& section, const QString& file);
