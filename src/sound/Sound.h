#pragma once

class QString;

// Preview of wave files while the user browses. Both calls return at once; the sound plays in
// the background. Only one preview plays at a time. Where nothing can be played (no audio
// device or server, a missing file, a file that is no wave file) they stay silent and report
// nothing. Call them from the thread of the application object; without one they do nothing.

// Starts playing the wave file at path, cutting off any preview that plays.
void PlayWave(const QString& path);

// Silences any preview that PlayWave started.
void StopWave();
