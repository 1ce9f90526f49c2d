#pragma once

// The window's places were designed for captions in Tahoma and MS Sans Serif. Debian's fonts-wine
// installs an outline Tahoma with the designed metrics, outside fontconfig's path; it is loaded
// here and also drawn for MS Sans Serif. Call once, after the application object exists; without
// the files the captions fall back to fontconfig's choice.
void LoadDesignFonts();
