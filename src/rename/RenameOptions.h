#pragma once

#include <QString>

// Kind of letter-case change of the case rule; the values are the indexes of the option buttons.
enum class CaseMode {
    CaseUpper = 0,
    CaseLower = 1,
    CaseWords = 2,
};

// The rule switches of the options panel; the values are the indexes of their check boxes.
enum class RuleSwitch {
    Bracket = 0,     // rule 1: remove the last bracket with its content
    Blank = 1,       // rule 2: a character becomes blanks
    CutFirst = 2,    // rule 3: remove the first N characters
    CutLast = 3,     // rule 4: remove the last N characters
    Delete = 4,      // rule 5: delete every occurrence of a text
    Replace = 5,     // rule 6: find and replace
    AddText = 6,     // rule 9: add a fixed text
    Counter = 7,     // rule 8: the counter
    CounterList = 8, // within rule 8: the items of a list instead of a running number
    NewName = 9,     // within rule 8: a new base name first
    Case = 10,       // rule 7: letter case
};
inline constexpr int RuleSwitchCount = 11;

// What happens to the letters of a file's extension; the values are the indexes of the choices.
enum class ExtensionCase {
    Unchanged = 0,
    Lower = 1,
    Upper = 2,
};

// The switches and raw parameter texts of the options panel. Parameters stay the text the user
// typed: numbers are read out of them each time a rule runs, and the preview shows the counter
// start verbatim. A default-constructed record holds the panel's values before settings load
// (RuleDefaults.h).
struct RenameOptions {
    RenameOptions();

    bool BracketOn = false; // rule 1: remove the last bracket with its content

    bool BlankOn = false; // rule 2: a character becomes blanks
    QString BlankChar;

    bool CutFirstOn = false; // rule 3: remove the first N characters
    QString CutFirstCount;

    bool CutLastOn = false; // rule 4: remove the last N characters
    QString CutLastCount;

    bool DeleteOn = false; // rule 5: delete every occurrence of a text
    QString DeleteText;

    bool ReplaceOn = false; // rule 6: find and replace
    QString FindText;
    QString ReplaceText;

    // The find texts of rules 5 and 6 are regular expressions; the replacement may name what the
    // match and its groups hold as \0 to \9.
    bool RegexOn = false;

    bool CaseOn = false; // rule 7: letter case
    CaseMode Case;

    bool CounterOn = false; // rule 8: new base name and counter
    bool NewNameOn = false;
    QString NewName;
    bool CounterListOn = false;
    QString CounterList;
    QString CounterDigits;
    QString CounterStart;
    QString CounterSeparator;
    bool CounterAtStart;

    bool AddTextOn = false; // rule 9: add a fixed text
    QString AddText;
    bool AddTextAtStart;

    // A photo's new name begins with the date it was taken, written in this format (QDateTime's
    // letters; text in single quotes stays as it is). Set in the EXIF frame, not by a chkOptions box.
    bool DateTakenOn = false;
    QString DateTakenFormat;

    // The letters of the extension: the one part of a name no other rule touches.
    ExtensionCase ExtCase = ExtensionCase::Unchanged;
    // "Name aus Tags": the base name built from a template of tag fields (TagTemplate.h), one rule
    // for photos and videos (the EXIF frame), one for songs (the ID3 frame). Each names the files
    // of its own kind only.
    bool PhotoTagsOn = false;
    QString PhotoTemplate;
    bool AudioTagsOn = false;
    QString AudioTemplate;

    bool operator==(const RenameOptions&) const = default;

    // The switch of a rule, by the index of its check box.
    bool& Switch(RuleSwitch rule);
    bool Switch(RuleSwitch rule) const;
};
