#pragma once

#include <QProcess>
#include <QStringList>

// The program wave_child (WaveChild.cpp) started with the arguments, in this process's environment.
void StartWaveChild(QProcess& child, const QStringList& arguments);

// Waits for the child to end. False, and the child killed, when it is still running after a
// generous while: it hangs.
bool WaveChildEnds(QProcess& child);
