#pragma once

#include <QValidator>

class QLineEdit;

// Limits what the user types or pastes into a text box to a number of characters, while texts
// set by the program (a stored setting, for one) are shown whole: a box's own length limit
// would cut them.
class TypingLimit : public QValidator {
    Q_OBJECT

public:
    TypingLimit(int maxChars, QObject* parent);

    State validate(QString& input, int& pos) const override;
    int MaxChars() const { return maxChars_; }

private:
    int maxChars_;
};

// The typing limit of a text box; 0 when it has none.
int TypingLimitOf(const QLineEdit* box);
