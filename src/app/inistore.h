#pragma once

// The settings file: a small ini store of our own.
//
// The file is lines of text: "[Section]" starts a section, "key=value" is an
// entry, and every section is followed by one empty line. Sections keep the
// order in which they were first created and keys the order in which they were
// first written; an existing key is updated in place. Section and key names are
// matched without regard to letter case. The whole file is read once, at the
// first access; every write updates the copy in memory and then rewrites the
// whole file from it (write-through), through a temporary file in the same
// folder that is renamed over the old one, so a failed or interrupted write
// never leaves a half-written file behind.
//
// Reading honours a byte-order mark (UTF-8, UTF-16); without one the text is
// UTF-8, the system's code page here. Writing is always UTF-8 without a mark,
// with "\n" line ends. Lines that are neither a section header nor an entry
// (comments, stray text) are kept where they stand; of a key written twice the
// first counts. A file that may not be read reads as empty. A file that holds
// NUL bytes (not text) or is too large to be a settings file (over 1 MiB) reads
// as empty too, and before it is first replaced it is moved aside, whole, to
// "<name>.bad" (replacing an older one). Only a regular file is read: a folder,
// a pipe or a device at the path reads as empty and never blocks the start.
// Text that is not valid UTF-8 is taken as 8-bit Latin-1. Lines end in "\n",
// "\r\n" or a lone "\r". Section and key look-ups are hashed, so a file full
// of distinct names still reads in linear time.
//
// A write never replaces a file that is marked read-only; it fails with an
// error instead, as it does when the folder refuses the new file. A process
// killed while writing leaves the old file whole: the new text goes to a
// temporary file (an unnamed one where the file system allows it), which is
// renamed over the old file only once it is complete. Named temporaries left
// by a killed run ("<name>.XXXXXX") are removed by the next run's first write
// when they are more than a minute old, so a copy that is writing right now
// keeps its own.
//
// Value texts: integers in decimal ("-" when negative; "0x..." and "$..." read
// as hexadecimal), truth values "1"/"0" (any integer but 0 reads true), decimal
// numbers in general notation with at most 15 significant digits, no grouping,
// no trailing zeros and the store's locale decimal separator. A text that does
// not read as a number gives the read's default.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace settingstext {

// "17.9", "2100", "2100,5" (German), "0.333333333333333", "1E20", "1E-5".
QString FormatGeneral(long double value, const QLocale &locale);
// The inverse: optional sign, digits with at most one decimal separator of the
// locale, optional exponent; surrounding blanks allowed. Anything else,
// another locale's separator included, gives std::nullopt.
std::optional<long double> ParseGeneral(QStringView text, const QLocale &locale);
// Decimal integer with optional sign, or hexadecimal after "0x"/"0X"/"$"
// (taken as a 32-bit pattern, so "0xFFFFFFFF" is -1); blanks around allowed.
std::optional<int> ParseInteger(QStringView text);

} // namespace settingstext

class IniStore
{
public:
    // `path` is the file read and written. When `path` does not exist, the
    // first read takes its entries from `readFallback` instead (when given);
    // writes always go to `path`.
    explicit IniStore(QString path, QString readFallback = {},
                      QLocale locale = QLocale::system());

    QString fileName() const { return m_path; }
    void setLocale(const QLocale &locale) { m_locale = locale; }
    QLocale locale() const { return m_locale; }

    bool hasKey(const QString &section, const QString &key);
    bool hasSection(const QString &section);
    QStringList sections();
    QStringList keys(const QString &section);

    QString readString(const QString &section, const QString &key, const QString &def);
    int readInteger(const QString &section, const QString &key, int def);
    bool readBool(const QString &section, const QString &key, bool def);
    long double readFloat(const QString &section, const QString &key, long double def);

    // Each write updates the memory copy, then rewrites the file. Returns false
    // when the file could not be written; errorString() then tells why (the
    // memory copy keeps the value, so a later successful write still stores it).
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool writeInteger(const QString &section, const QString &key, int value);
    bool writeBool(const QString &section, const QString &key, bool value);
    bool writeFloat(const QString &section, const QString &key, long double value);

    QString errorString() const { return m_error; }
    // The text the file holds after the next write.
    QString text();

private:
    struct Line
    {
        QString key;   // empty for a kept raw line
        QString value; // the value, or the whole raw line
    };
    struct Section
    {
        QString name;
        QList<Line> lines;
        QHash<QString, qsizetype> index; // case-folded key -> position in lines
    };

    void ensureLoaded();
    void parse(const QString &text);
    Section *findSection(const QString &name);
    Section &addSection(const QString &name);
    Line *findLine(const QString &section, const QString &key);
    bool flush();
    void removeStaleTemporaries();

    QString m_path;
    QString m_readFallback;
    QLocale m_locale;
    bool m_loaded = false;
    bool m_keepUnreadable = false; // move the file aside before replacing it
    bool m_firstWrite = true;
    QStringList m_preamble;  // raw lines before the first section
    QList<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex; // case-folded name -> position
    QString m_error;
};
