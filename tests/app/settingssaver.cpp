// Saves the settings file in a tight loop for the interrupted-save test: the
// balance entry alternates between two values, each change a full rewrite of
// the file through IniStore. Prints "ready" once the first save is done, then
// runs until it is killed.
//
//   settingssaver <file> <value A> <value B>
#include "app/inistore.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: settingssaver <file> <value A> <value B>\n");
        return 2;
    }
    IniStore store(args[1], {}, QLocale::c());
    const QString section = QStringLiteral("frmMinPmt_Properties");
    const QString key = QStringLiteral("edtBalance.Value");
    for (quint64 i = 0;; ++i) {
        if (!store.writeString(section, key, args[2 + int(i % 2)])) {
            std::fprintf(stderr, "%s\n", qPrintable(store.errorString()));
            return 1;
        }
        if (i == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
