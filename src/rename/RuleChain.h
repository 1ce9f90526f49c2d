#pragma once

#include "rename/FileFacts.h"
#include "rename/RenameOptions.h"

#include <QDateTime>
#include <QString>

#include <optional>

// Splitting and joining file names. The full stop between base name and extension belongs to
// neither part.
QString BaseNameOf(const QString& fileName);   // before the last full stop; all of it without one
QString GetExtension(const QString& fileName); // after the last full stop; empty without one
QString JoinName(const QString& base, const QString& extension);

// The single rules and helpers of the chain, in the order the chain applies them.
QString RemoveLastBracket(const QString& text);
QString ReplaceCharWithBlank(const QString& text, const QString& character);
QString ReplaceAll(const QString& text, const QString& search, const QString& replacement);
QString CapitalizeWords(const QString& text);
QString CleanBlanks(const QString& text);

// Rules 5 and 6 with their find texts read as regular expressions, whose \w and \d know every
// script. Every match is replaced, left to right, by replacement, where \0 stands for the match,
// \1 to \9 for its groups and \\ for one backslash. The text stays as it is where the pattern is
// empty or no regular expression, and where matching gives up: a match may take only a bounded
// number of steps, so that no pattern can hold up a run.
QString ReplacePattern(const QString& text, const QString& pattern, const QString& replacement);

// Why a pattern is no regular expression: the matcher's message, and the position (code points
// from 0) at which it found the fault.
struct PatternFault {
    QString Message;
    qsizetype Position = 0;
};
std::optional<PatternFault> PatternFaultOf(const QString& pattern);

// The letters of an extension in the case mode asks for, code point by code point and the same in
// every locale: an extension names a file type, which "TIF" in lower case must still name in Turkish.
QString ChangeExtensionCase(const QString& extension, ExtensionCase mode);

// The value of the number a text begins with, blanks ignored; 0 when it begins with none.
// Too many digits for a double give an infinite value.
double LeadingNumber(const QString& text);

// Nearest integer, a half going to the even neighbour.
double RoundHalfEven(double value);

// Runs rules 1 to 9 and the blank tidying over a base name. counterToken is what the counter
// hands out for this file, or nothing (counter off, list exhausted); facts is what the rules that
// read the file learned from it (FileFacts.h), or nothing when none of them is on. After the nine
// rules the tag template of the file's kind builds the name from what they made, and with the
// date rule on, the date taken goes in front of that, before the tidying; the date's format is read
// only as far as the date could still fit in a name.
QString ApplyRuleChain(const QString& baseName, const RenameOptions& options,
                       const std::optional<QString>& counterToken, const FileFacts& facts = {});

// How many rules are switched on, the date rule, the tag rules and a change of the extension's case
// among them; callers only ask whether it is zero.
int ActiveRuleCount(const RenameOptions& options);

// The facts the rules that are on read from a file.
FactsWanted WantedFacts(const RenameOptions& options);

// The first field that the tag template for the file's kind uses and the file lacks; empty when
// there is none, or no template applies.
QString MissingTagOf(const RenameOptions& options, const FileFacts& facts);

// The new name of a whole file name under the chain: the extension keeps its letters, and changes
// only their case where ExtCase says so. A name that ends in its full stop ("x.") keeps that full
// stop. A file that lacks a field its tag template uses keeps its name. Every name the program
// computes for a file comes from here, with the file's own counter token and facts.
QString NewFileName(const QString& fileName, const RenameOptions& options,
                    const std::optional<QString>& counterToken, const FileFacts& facts);
