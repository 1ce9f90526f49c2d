#include "rename/RuleChain.h"

#include "rename/CodePoints.h"
#include "rename/TagTemplate.h"

#include <QRegularExpression>
#include <QStringBuilder>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

QString BaseNameOf(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? fileName : fileName.left(dot);
}

QString GetExtension(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot + 1);
}

QString JoinName(const QString& base, const QString& extension) {
    return extension.isEmpty() ? base : QString(base % QLatin1Char('.') % extension);
}

namespace {

QString DropOneTrailingBlank(QString text) {
    if (text.endsWith(QLatin1Char(' '))) {
        text.chop(1);
    }
    return text;
}

// Rules 3 and 4: how many code points stay when count characters go; negative means the rule
// leaves the text alone.
double KeptCount(const QString& text, const QString& count) {
    return RoundHalfEven(static_cast<double>(CodePoints::Count(text)) - LeadingNumber(count));
}

QString CutFirst(const QString& text, const QString& count) {
    const double keep = KeptCount(text, count);
    if (keep < 0) {
        return text;
    }
    const qsizetype length = CodePoints::Count(text);
    if (keep >= static_cast<double>(length)) {
        return text;
    }
    return text.mid(CodePoints::OffsetOf(text, length - static_cast<qsizetype>(keep)));
}

QString CutLast(const QString& text, const QString& count) {
    const double keep = KeptCount(text, count);
    if (keep < 0) {
        return text;
    }
    if (keep >= static_cast<double>(CodePoints::Count(text))) {
        return text;
    }
    return text.left(CodePoints::OffsetOf(text, static_cast<qsizetype>(keep)));
}

QString ChangeCase(const QString& text, CaseMode mode) {
    switch (mode) {
    case CaseMode::CaseUpper:
        return CodePoints::ToUpper(text);
    case CaseMode::CaseLower:
        return CodePoints::ToLower(text);
    case CaseMode::CaseWords:
        break;
    }
    return CapitalizeWords(text);
}

// The template of the tag rule that names files of the kind; nothing when that rule is off.
const QString* TemplateFor(const RenameOptions& options, FactKind kind) {
    if (kind == FactKind::Photo && options.PhotoTagsOn)
        return &options.PhotoTemplate;
    if (kind == FactKind::Audio && options.AudioTagsOn)
        return &options.AudioTemplate;
    return nullptr;
}

QString AttachCounter(const QString& text, const RenameOptions& options,
                      const std::optional<QString>& counterToken) {
    const QString base = options.NewNameOn ? options.NewName : text;
    if (!counterToken) {
        return base;
    }
    // Built in one piece: a batch run builds a name for every file.
    return options.CounterAtStart ? QString(*counterToken % options.CounterSeparator % base)
                                  : QString(base % options.CounterSeparator % *counterToken);
}

// PCRE2 gives up on a match after this many steps of its matcher and reports an error instead;
// the name then keeps what it had. "(a+)+$" on a name of 255 characters would otherwise backtrack
// for ages; with this limit it gives up within a millisecond or so, while patterns that do not
// backtrack without end stay far below it on names of at most 255 bytes.
constexpr int kMatchSteps = 100000;

// A pattern as the matcher is given it: the user's, with the step limit put in after the items
// "(*NAME)" or "(*NAME=n)" that may open it, since of two limits the later one counts.
struct Pattern {
    QString Source;
    QRegularExpression Compiled;
    qsizetype LimitAt = -1; // where the limit item stands in the compiled pattern; -1: none compiled
};

qsizetype OpeningItemsEnd(const QString& pattern) {
    static const QRegularExpression item(QStringLiteral("\\G\\(\\*[A-Z_]+(?:=\\d+)?\\)"));
    qsizetype end = 0;
    for (QRegularExpressionMatch m = item.match(pattern); m.hasMatch(); m = item.match(pattern, end))
        end = m.capturedEnd();
    return end;
}

const QString kLimitItem = QStringLiteral("(*LIMIT_MATCH=%1)").arg(kMatchSteps);

Pattern Compile(const QString& source) {
    const qsizetype at = OpeningItemsEnd(source);
    QString compiled = source;
    compiled.insert(at, kLimitItem);
    Pattern p{source, QRegularExpression(compiled, QRegularExpression::UseUnicodePropertiesOption), at};
    p.Compiled.optimize();
    return p;
}

// The last patterns used on this thread: a run uses one or two patterns for every file, and
// compiling them anew each time would cost more than the match.
const Pattern& PatternFor(const QString& source) {
    thread_local std::array<Pattern, 2> recent;
    thread_local std::size_t newest = 0;
    for (std::size_t i = 0; i < recent.size(); ++i)
        if (recent[i].Source == source && recent[i].LimitAt >= 0) {
            newest = i;
            return recent[i];
        }
    newest = (newest + 1) % recent.size();
    recent[newest] = Compile(source);
    return recent[newest];
}

// The replacement with \0 to \9 filled in from the match and \\ made one backslash.
QString Expanded(const QString& replacement, const QRegularExpressionMatch& match) {
    QString out;
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement[i];
        const QChar next = i + 1 < replacement.size() ? replacement[i + 1] : QChar();
        if (c == u'\\' && next >= u'0' && next <= u'9') {
            out += match.capturedView(next.unicode() - u'0');
            ++i;
        } else if (c == u'\\' && next == u'\\') {
            out += c;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

// Code point by code point, without the locale: an extension is no word of any language.
QString MapEachCodePoint(const QString& text, bool upper) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0, units = 0; i < text.size(); i += units) {
        const char32_t cp = CodePoints::At(text, i, &units);
        const char32_t mapped = upper ? QChar::toUpper(cp) : QChar::toLower(cp);
        out += QStringView(QChar::fromUcs4(mapped));
    }
    return out;
}

} // namespace

QString RemoveLastBracket(const QString& text) {
    qsizetype cut = text.size();
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (text[i] == QLatin1Char('(') || text[i] == QLatin1Char('[')) {
            cut = i;
            break;
        }
    }
    return DropOneTrailingBlank(text.left(cut));
}

QString ReplaceCharWithBlank(const QString& text, const QString& character) {
    if (CodePoints::Count(character) != 1) {
        return text;
    }
    qsizetype units = 0;
    const char32_t wanted = CodePoints::At(character, 0, &units);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); i += units) {
        if (CodePoints::At(text, i, &units) == wanted) {
            out += QLatin1Char(' ');
        } else {
            out += QStringView(text).mid(i, units);
        }
    }
    return out;
}

QString ReplaceAll(const QString& text, const QString& search, const QString& replacement) {
    qsizetype at = search.isEmpty() ? -1 : text.indexOf(search);
    if (at < 0) {
        return text; // shared, not copied: most names hold nothing to replace
    }
    // Each match is replaced and the scan goes on behind it in the original text, so the
    // replacement is never searched again and the work stays linear.
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    for (; at >= 0; at = text.indexOf(search, from)) {
        out += QStringView(text).mid(from, at - from);
        out += replacement;
        from = at + search.size();
    }
    out += QStringView(text).mid(from);
    return out;
}

QString CapitalizeWords(const QString& text) {
    return CodePoints::CapitalizeAfterSeparators(text);
}

QString CleanBlanks(const QString& text) {
    const QString two = QStringLiteral("  ");
    const QString one = QStringLiteral(" ");
    QString out = text;
    // Three passes at most; a pass that finds no double blank leaves nothing for the next.
    for (int pass = 0; pass < 3; ++pass) {
        const qsizetype before = out.size();
        out = ReplaceAll(out, two, one);
        if (out.size() == before) {
            break;
        }
    }
    if (out.startsWith(QLatin1Char(' '))) {
        out.remove(0, 1);
    }
    return DropOneTrailingBlank(out);
}

QString ReplacePattern(const QString& text, const QString& pattern, const QString& replacement) {
    if (pattern.isEmpty())
        return text;
    const Pattern& p = PatternFor(pattern);
    if (!p.Compiled.isValid())
        return text;
    QString out;
    qsizetype from = 0;
    QRegularExpressionMatchIterator matches = p.Compiled.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch m = matches.next();
        out += QStringView(text).mid(from, m.capturedStart() - from);
        out += Expanded(replacement, m);
        from = m.capturedEnd();
    }
    // A match that gave up ends the iteration as an invalid one: nothing of it is kept.
    if (!matches.isValid())
        return text;
    out += QStringView(text).mid(from);
    return out;
}

std::optional<PatternFault> PatternFaultOf(const QString& pattern) {
    if (pattern.isEmpty())
        return std::nullopt;
    const Pattern& p = PatternFor(pattern);
    if (p.Compiled.isValid())
        return std::nullopt;
    // The position counts in the user's pattern, without the limit put into it.
    qsizetype at = p.Compiled.patternErrorOffset();
    if (at >= p.LimitAt + kLimitItem.size())
        at -= kLimitItem.size();
    else
        at = std::min(at, p.LimitAt);
    return PatternFault{p.Compiled.errorString(), CodePoints::Count(QStringView(pattern).left(at))};
}

QString ChangeExtensionCase(const QString& extension, ExtensionCase mode) {
    switch (mode) {
    case ExtensionCase::Lower:
        return MapEachCodePoint(extension, false);
    case ExtensionCase::Upper:
        return MapEachCodePoint(extension, true);
    case ExtensionCase::Unchanged:
        break;
    }
    return extension;
}

double LeadingNumber(const QString& text) {
    // Optional sign, then digits with at most one full stop; blanks anywhere are skipped and
    // the first other character ends the number.
    std::string digits;
    bool negative = false;
    bool signAllowed = true;
    bool pointSeen = false;
    bool digitSeen = false;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ')) {
            continue;
        }
        if (signAllowed && (c == QLatin1Char('+') || c == QLatin1Char('-'))) {
            negative = c == QLatin1Char('-');
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits += static_cast<char>(c.unicode());
            digitSeen = true;
        } else if (c == QLatin1Char('.') && !pointSeen) {
            digits += '.';
            pointSeen = true;
        } else {
            break;
        }
        signAllowed = false;
    }
    if (!digitSeen) {
        return 0.0;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too small reads as 0, too large as infinite; a significant digit before the point
        // tells which.
        const size_t point = digits.find('.');
        const std::string whole = digits.substr(0, point);
        const bool large = whole.find_first_not_of('0') != std::string::npos;
        value = large ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double floor = std::floor(value);
    const double rest = value - floor;
    if (rest > 0.5) {
        return floor + 1.0;
    }
    if (rest < 0.5) {
        return floor;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

QString ApplyRuleChain(const QString& baseName, const RenameOptions& options,
                       const std::optional<QString>& counterToken, const FileFacts& facts) {
    QString text = baseName;
    if (options.BracketOn) {
        text = RemoveLastBracket(text);
    }
    if (options.BlankOn) {
        text = ReplaceCharWithBlank(text, options.BlankChar);
    }
    if (options.CutFirstOn) {
        text = CutFirst(text, options.CutFirstCount);
    }
    if (options.CutLastOn) {
        text = CutLast(text, options.CutLastCount);
    }
    if (options.DeleteOn) {
        text = options.RegexOn ? ReplacePattern(text, options.DeleteText, QString())
                               : ReplaceAll(text, options.DeleteText, QString());
    }
    if (options.ReplaceOn) {
        text = options.RegexOn ? ReplacePattern(text, options.FindText, options.ReplaceText)
                               : ReplaceAll(text, options.FindText, options.ReplaceText);
    }
    if (options.CaseOn) {
        text = ChangeCase(text, options.Case);
    }
    if (options.CounterOn) {
        text = AttachCounter(text, options, counterToken);
    }
    if (options.AddTextOn) {
        text = options.AddTextAtStart ? QString(options.AddText % text) : QString(text % options.AddText);
    }
    if (const QString* pattern = TemplateFor(options, facts.Kind))
        text = ExpandTemplate(*pattern, facts, text, options.DateTakenFormat).Text;
    if (options.DateTakenOn && facts.Taken) {
        text = DateTakenText(*facts.Taken, options.DateTakenFormat) + text;
    }
    return CleanBlanks(text);
}

int ActiveRuleCount(const RenameOptions& options) {
    // The switches inside rule 8 act only with it and do not count.
    int count = 0;
    for (int i = 0; i < RuleSwitchCount; ++i) {
        const auto rule = static_cast<RuleSwitch>(i);
        if (rule != RuleSwitch::CounterList && rule != RuleSwitch::NewName && options.Switch(rule)) {
            ++count;
        }
    }
    for (const bool on : {options.DateTakenOn, options.PhotoTagsOn, options.AudioTagsOn,
                          options.ExtCase != ExtensionCase::Unchanged})
        count += on ? 1 : 0;
    return count;
}

FactsWanted WantedFacts(const RenameOptions& options) {
    return {options.DateTakenOn || options.PhotoTagsOn, options.AudioTagsOn, options.PhotoTagsOn};
}

QString MissingTagOf(const RenameOptions& options, const FileFacts& facts) {
    const QString* pattern = TemplateFor(options, facts.Kind);
    return pattern ? ExpandTemplate(*pattern, facts, QString(), options.DateTakenFormat).Missing : QString();
}

QString NewFileName(const QString& fileName, const RenameOptions& options,
                    const std::optional<QString>& counterToken, const FileFacts& facts) {
    if (!MissingTagOf(options, facts).isEmpty())
        return fileName;
    const QString base = ApplyRuleChain(BaseNameOf(fileName), options, counterToken, facts);
    const QString extension = ChangeExtensionCase(GetExtension(fileName), options.ExtCase);
    if (extension.isEmpty() && fileName.endsWith(QLatin1Char('.'))) {
        return base + QLatin1Char('.');
    }
    return JoinName(base, extension);
}
