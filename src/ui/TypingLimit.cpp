#include "ui/TypingLimit.h"

#include <QLineEdit>

TypingLimit::TypingLimit(int maxChars, QObject* parent) : QValidator(parent), maxChars_(maxChars) {}

QValidator::State TypingLimit::validate(QString& input, int& /*pos*/) const {
    return input.size() <= maxChars_ ? Acceptable : Invalid;
}

int TypingLimitOf(const QLineEdit* box) {
    const auto* limit = qobject_cast<const TypingLimit*>(box->validator());
    return limit != nullptr ? limit->MaxChars() : 0;
}
