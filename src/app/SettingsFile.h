#pragma once

#include <QString>

class frmFiles;

// Loads every kept parameter (ParameterTable.h) into the window; missing or empty values give the
// defaults.
void LoadSettings(frmFiles& form, const QString& section, const QString& file);

// Writes every kept parameter from the window.
void SaveSettings(const frmFiles& form, const QString& section, const QString& file);

// The stored value of key, or defaultValue when there is none or it is empty. At most 2047
// characters are returned.
QString ReadSetting(const QString& section, const QString& key, const QString& file,
                    const QString& defaultValue);
