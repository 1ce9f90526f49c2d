#pragma once

#include <QString>

#include <optional>

// What a mouse selection in the name box puts into the rule parameters: the selected text for
// "delete" and "find", and its length for "cut first" when the name begins with it, or for
// "cut last" when the name ends with it. Texts are compared, not the selection's place.
struct SelectionParameters {
    QString DeleteAndFind;
    std::optional<QString> First;
    std::optional<QString> Last;
};

SelectionParameters ParametersFromSelection(const QString& name, const QString& selected);
