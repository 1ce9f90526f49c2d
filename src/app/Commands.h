#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class frmFiles;

// Process-wide values, set once at start.
extern QString AppPath;     // folder of the program file, ending in the separator
extern QString ExeName;     // file name of the program file without its extension
extern QString AppTitle;    // section of the settings file and title of message boxes
extern QString IniPath;     // the settings file: read at start, written at close
extern QString IniReadPath; // where the settings are read from (see SettingsPaths)

// Sets AppPath and ExeName from the program file.
void InitPaths(const QString& programFile);

// Sets AppTitle and the settings paths, creates and shows the window in startFolder, loads the
// settings into its options panel and parks the focus on cmdDummy.
std::unique_ptr<frmFiles> InitSettings(const QString& programFile, const QByteArray& startFolder);

// Where the settings live. Beside the program, named after it; where the program's folder cannot
// be written, in the user's configuration folder, read from beside the program until a file of
// its own exists there.
struct SettingsPaths {
    QString write;
    QString read;
};
SettingsPaths ChooseSettingsPaths(const QString& besideProgram, bool programFolderWritable,
                                  const QString& configFolder);
