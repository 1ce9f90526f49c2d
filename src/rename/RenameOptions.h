#pragma once

#include <QString>

// Kind of letter-case change of the case rule; the values are the indexes of the option buttons.
enum CaseMode {
    CaseUpper = 0,
    CaseLower = 1,
    CaseWords = 2,
};

// The switches and raw parameter texts of the options panel. Parameters stay the text the user
// typed: numbers are read out of them each time a rule runs, and the preview shows the counter
// start verbatim. A default-constructed record holds the panel's values before settings load.
struct RenameOptions {
    bool BracketOn = false; // rule 1: remove the last bracket with its content

    bool BlankOn = false; // rule 2: a character becomes blanks
    QString BlankChar = QStringLiteral("_");

    bool CutFirstOn = false; // rule 3: remove the first N characters
    QString CutFirstCount = QStringLiteral("5");

    bool CutLastOn = false; // rule 4: remove the last N characters
    QString CutLastCount = QStringLiteral("7");

    bool DeleteOn = false; // rule 5: delete every occurrence of a text
    QString DeleteText;

    bool ReplaceOn = false; // rule 6: find and replace
    QString FindText;
    QString ReplaceText;

    bool CaseOn = false; // rule 7: letter case
    ::CaseMode CaseMode = CaseWords;

    bool CounterOn = false; // rule 8: new base name and counter
    bool NewNameOn = false;
    QString NewName;
    bool CounterListOn = false;
    QString CounterList = QStringLiteral("48,50,52,53,55,57,59,60,62,64,65,67,69,71,72");
    QString CounterDigits = QStringLiteral("2");
    QString CounterStart = QStringLiteral("1");
    QString CounterSeparator = QStringLiteral(" - ");
    bool CounterAtStart = true;

    bool AddTextOn = false; // rule 9: add a fixed text
    QString AddText = QStringLiteral("_BAK");
    bool AddTextAtStart = false;
};
