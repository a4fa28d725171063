#include "settingslocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

SettingsPaths ResolveSettingsPaths(const QString &executableDir, const QString &executableName,
                                   const QString &userConfigDir)
{
    const QString fileName = QFileInfo(executableName).completeBaseName() + QStringLiteral(".ini");
    const QString besideExecutable = QDir(executableDir).filePath(fileName);

    const QFileInfo folder(executableDir);
    const QFileInfo file(besideExecutable);
    const bool writableBeside = folder.isDir() && folder.isWritable()
                                && (!file.exists() || (file.isFile() && file.isWritable()));
    if (writableBeside || userConfigDir.isEmpty())
        return {besideExecutable, besideExecutable};

    const QString userFile = QDir(userConfigDir).filePath(fileName);
    return {userFile, QFileInfo::exists(userFile) ? userFile : besideExecutable};
}

SettingsPaths DefaultSettingsPaths()
{
    return ResolveSettingsPaths(QCoreApplication::applicationDirPath(),
                                QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                                QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}
