#include "app/DesignFonts.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QString>

void LoadDesignFonts() {
    static constexpr const char* kFolder = "/usr/share/wine/fonts/";
    bool loaded = false;
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf"}) {
        const QString path = QLatin1String(kFolder) + QLatin1String(file);
        if (QFile::exists(path))
            loaded = QFontDatabase::addApplicationFont(path) >= 0 || loaded;
    }
    // The MS Sans Serif of that folder is a bitmap face: strikes of 13, 16 and 20 pixels, regular
    // only, no outlines. fontconfig rejects it, Qt takes its first strike alone, draws it without
    // bold, and at a scale factor of 2 at half size. Tahoma took its place as the dialog font of
    // later Windows versions, at much the same widths.
    if (loaded)
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma"));
}
