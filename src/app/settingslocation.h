#pragma once

// Where the settings file lives.
//
// Beside the executable, named after it with ".ini" (orvanel.ini beside
// orvanel). An installed program usually may not write its own folder; then
// the same file name in the user's configuration folder is written instead,
// and read from there too (a file beside the executable is still read while
// the user's copy does not exist yet).

#include <QString>

struct SettingsPaths
{
    QString writePath; // the file every write goes to
    QString readPath;  // the file the first read takes its entries from
};

// Pure rule over the given folders; used by DefaultSettingsPaths and tests.
SettingsPaths ResolveSettingsPaths(const QString &executableDir, const QString &executableName,
                                   const QString &userConfigDir);

// The rule for this process: QCoreApplication::applicationDirPath(), the
// executable's name, QStandardPaths::AppConfigLocation.
SettingsPaths DefaultSettingsPaths();
