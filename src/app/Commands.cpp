#include "app/Commands.h"

#include "app/SettingsFile.h"

#include "platform/ExpandShortPath.h"
#include "platform/PathHelpers.h"
#include "platform/Presets.h"
#include "platform/ProfileStore.h"
#include "ui/ShowMessage.h"
#include "ui/frmFiles.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

QString AppPath;
QString ExeName;
QString AppTitle;
QString IniPath;
QString IniReadPath;

void InitPaths(const QString& programFile) {
    const QFileInfo info(programFile);
    AppPath = AddBackslash(info.absolutePath());
    ExeName = info.completeBaseName();
}

SettingsPaths ChooseSettingsPaths(const QString& besideProgram, bool programFolderWritable,
                                  const QString& configFolder) {
    if (programFolderWritable || configFolder.isEmpty())
        return {besideProgram, besideProgram};
    const QString own = AddBackslash(configFolder) + FileNameOf(besideProgram);
    const bool useBeside = !QFileInfo::exists(own) && QFileInfo::exists(besideProgram);
    return {own, useBeside ? besideProgram : own};
}

std::unique_ptr<frmFiles> InitSettings(const QString& programFile, const QByteArray& startFolder) {
    AppTitle = ProgramTitle();
    // The program file has no ".exe" to replace here: the settings file is its name plus ".ini".
    const QFileInfo expanded(ExpandShortPath(programFile));
    const QString beside =
        AddBackslash(expanded.absolutePath()) + expanded.completeBaseName() + QStringLiteral(".ini");
    const SettingsPaths paths =
        ChooseSettingsPaths(beside, QFileInfo(AppPath).isWritable(),
                            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    IniPath = paths.write;
    IniReadPath = paths.read;

    auto form = std::make_unique<frmFiles>(startFolder);
    frmFiles* f = form.get();
    // A settings file that exists but cannot be read, or is no file at all, keeps what it holds: the
    // window shows the defaults, and this session writes no settings.
    const ProfileAccess access = ProfileAccessOf(IniReadPath);
    // Saved rule sets live in the same file.
    f->Presets = {IniPath, IniReadPath};
    if (access == ProfileAccess::Missing || access == ProfileAccess::Readable)
        QObject::connect(f, &frmFiles::unloading, f, [f] {
            StartOwnSettingsFile(f->Presets); // the sets read from beside the program carry over
            SaveSettings(*f, AppTitle, IniPath);
        });
    // A screen smaller than the window (a laptop at twice the scale) gets a window that fits it.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        form->FitToScreen(screen->availableGeometry());
    form->show();
    LoadSettings(*form, AppTitle, IniReadPath);
    form->cmdDummy->setFocus();
    return form;
}
