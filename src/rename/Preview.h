#pragma once

#include "rename/FileFacts.h"
#include "rename/RenameOptions.h"

#include <QDateTime>
#include <QString>

#include <optional>

// Which controls of the options panel the preview enables. Everything not named here (the
// parameter boxes of rules 1 to 6) stays enabled; a disabled check box keeps its tick.
struct PanelEnabledStates {
    bool CaseButtons = false;     // optGK(0..2)
    bool CounterControls = false; // txtNewName, chkOptions(8), chkOptions(9), optPos2, lblTrenn, txtTrenn
    bool CounterList = false;     // txtList
    bool CounterNumber = false;   // txtCnt, txtCount, lblCnt
    bool AddTextControls = false; // txtString, optPos(0..1)
};

PanelEnabledStates EnabledStatesFor(const RenameOptions& options);

// What the name box shows for the file list item source: the rule chain's result with the
// preview's counter token and the file's facts, or the bare base name, untidied, while no rule is
// on or while the file lacks a field of its tag template (it keeps its name then).
QString PreviewName(const QString& source, const RenameOptions& options, const FileFacts& facts);
