#include "ui/NameSelection.h"

#include "rename/CodePoints.h"

SelectionParameters ParametersFromSelection(const QString& name, const QString& selected) {
    SelectionParameters parameters;
    parameters.DeleteAndFind = selected;
    const qsizetype length = CodePoints::Count(selected);
    const QString count = QString::number(length);
    if (!name.startsWith(selected)) {
        if (name.endsWith(selected)) {
            parameters.Last = count;
        }
    } else if (length >= 1) {
        parameters.First = count;
    }
    return parameters;
}
