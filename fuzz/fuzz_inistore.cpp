// Reads arbitrary bytes as a settings file, then writes to it and reads the
// written file back.
#include "inistore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("orvanel.ini"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const QLocale locale = (size % 2) ? QLocale::c() : QLocale(QLocale::German, QLocale::Germany);
    {
        IniStore store(path, {}, locale);
        for (const QString &section : {QStringLiteral("frmMinPmtFormState"), QStringLiteral("frmMinPmt_Properties")}) {
            for (const QString &key : store.keys(section)) {
                (void)store.readString(section, key, QString());
                (void)store.readInteger(section, key, 7);
                (void)store.readBool(section, key, false);
                (void)store.readFloat(section, key, 1.5L);
            }
        }
        store.writeInteger(QStringLiteral("frmMinPmtFormState"), QStringLiteral("Left"), 10);
        store.writeFloat(QStringLiteral("frmMinPmt_Properties"), QStringLiteral("edtAPR.Value"), 17.9L);
    }
    // What was written reads back.
    IniStore again(path, {}, locale);
    if (again.readInteger(QStringLiteral("FRMMINPMTFORMSTATE"), QStringLiteral("left"), -1) != 10)
        __builtin_trap();
    QFile::remove(path);
    QFile::remove(path + QStringLiteral(".bad"));
    return 0;
}
