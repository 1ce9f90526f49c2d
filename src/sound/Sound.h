#pragma once

class QByteArray;

// Preview of wave files while the user browses. Both calls return at once; the sound plays in
// the background, read from the file piece by piece, so a recording of any length costs the same
// little memory. Only one preview plays at a time. Where nothing can be played (no audio device
// or server, a missing file, a folder or pipe, a file that is no wave file or holds samples the
// output does not take) they stay silent and report nothing, and nothing waits on such a file.
// Call them from the thread of the application object; without one they do nothing.

// Starts playing the wave file at path, cutting off any preview that plays. The path is the
// name's bytes as the file system spells them, so a name that is not valid UTF-8 plays too.
void PlayWave(const QByteArray& path);

// Silences any preview that PlayWave started and lets go of its file.
void StopWave();
