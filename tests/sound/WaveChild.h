#pragma once

#include <QProcess>
#include <QStringList>

// The program wave_child (WaveChild.cpp) playing the files, in this process's environment. It
// runs until its standard input is closed.
void StartWaveChild(QProcess& child, const QStringList& files);

// Closes the child's input and waits for it to end. False when it fails, or when it is still
// running after a generous while (it hangs; it is killed then).
bool WaveChildEnds(QProcess& child);
