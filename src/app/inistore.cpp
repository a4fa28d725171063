#include "inistore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>

#include <charconv>
#include <cmath>
#include <string>

namespace {

// A settings file is a few hundred bytes; anything far larger is not one.
constexpr qint64 MaxFileSize = 1 << 20;

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

namespace settingstext {

QString FormatGeneral(long double value, const QLocale &locale)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    // 15 significant digits fit a double exactly, so the double's shortest
    // general form is the 15-digit form of the value.
    const double d = static_cast<double>(value);
    QString text = QString::number(d, 'g', 15);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    QString mantissa = e < 0 ? text : text.left(e);
    QString exponent;
    if (e >= 0) {
        // "1e+20" -> "E20", "1e-05" -> "E-5".
        QString digits = text.mid(e + 1);
        bool negative = digits.startsWith(QLatin1Char('-'));
        if (digits.startsWith(QLatin1Char('+')) || negative)
            digits.remove(0, 1);
        while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
            digits.remove(0, 1);
        exponent = QLatin1String(negative ? "E-" : "E") + digits;
    }
    mantissa.replace(QLatin1Char('.'), locale.decimalPoint());
    return mantissa + exponent;
}

std::optional<long double> ParseGeneral(QStringView text, const QLocale &locale)
{
    const QString trimmed = text.trimmed().toString();
    const QString separator = locale.decimalPoint();
    std::string plain;
    plain.reserve(trimmed.size());
    qsizetype i = 0;
    const qsizetype n = trimmed.size();
    if (i < n && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+'))) {
        if (trimmed[i] == QLatin1Char('-'))
            plain.push_back('-');
        ++i;
    }
    int digits = 0;
    bool seenSeparator = false;
    while (i < n) {
        const QChar c = trimmed[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            plain.push_back(char(c.unicode()));
            ++digits;
            ++i;
        } else if (!seenSeparator && QStringView(trimmed).mid(i).startsWith(separator)) {
            plain.push_back('.');
            seenSeparator = true;
            i += separator.size();
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (trimmed[i] == QLatin1Char('e') || trimmed[i] == QLatin1Char('E'))) {
        plain.push_back('e');
        ++i;
        if (i < n && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+')))
            plain.push_back(char(trimmed[i++].unicode()));
        int expDigits = 0;
        while (i < n && trimmed[i] >= QLatin1Char('0') && trimmed[i] <= QLatin1Char('9')) {
            plain.push_back(char(trimmed[i++].unicode()));
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    long double value = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ParseInteger(QStringView text)
{
    QStringView t = text.trimmed();
    bool ok = false;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) || t.startsWith(QLatin1Char('$'))) {
        const QStringView digits = t.mid(t.startsWith(QLatin1Char('$')) ? 1 : 2);
        if (digits.isEmpty() || digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+')))
            return std::nullopt;
        const uint value = digits.toUInt(&ok, 16);
        return ok ? std::optional<int>(static_cast<int>(value)) : std::nullopt;
    }
    const int value = t.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace settingstext

IniStore::IniStore(QString path, QString readFallback, QLocale locale)
    : m_path(std::move(path)), m_readFallback(std::move(readFallback)), m_locale(std::move(locale))
{
}

void IniStore::ensureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;

    QString source = m_path;
    if (!QFileInfo::exists(source) && !m_readFallback.isEmpty() && QFileInfo::exists(m_readFallback))
        source = m_readFallback;

    // Only a regular file is read: opening a pipe would wait for a writer and
    // a device may never end.
    if (!QFileInfo(source).isFile())
        return;
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return; // a file we may not read: every read gives its default
    // Read at most one byte past the limit, whatever size the file claims.
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize) {
        m_keepUnreadable = source == m_path;
        return;
    }

    // A byte-order mark decides the encoding; without one the text is UTF-8,
    // or, when it is not valid UTF-8, an 8-bit legacy text taken as Latin-1.
    // NUL bytes outside a UTF-16 text mean the file is not text at all.
    QString text;
    if (const auto fromBom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*fromBom);
        text = decoder(bytes);
        if (decoder.hasError())
            text = QString(QChar(0));
    } else if (!bytes.contains('\0')) {
        QStringDecoder decoder(QStringConverter::Utf8);
        text = decoder(bytes);
        if (decoder.hasError())
            text = QString::fromLatin1(bytes);
    } else {
        text = QString(QChar(0));
    }
    if (text.contains(QChar(0))) {
        m_keepUnreadable = source == m_path;
        return;
    }
    parse(text);
}

void IniStore::parse(const QString &text)
{
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = body.split(QLatin1Char('\n'));
    Section *current = nullptr;
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue; // blank lines are written back as one after each section
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            const QString name = trimmed.mid(1, trimmed.size() - 2).trimmed();
            current = findSection(name);
            if (!current)
                current = &addSection(name);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const bool comment = trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
        const QString key = eq > 0 ? line.left(eq).trimmed() : QString();
        if (!current) {
            m_preamble.append(line);
        } else if (comment || key.isEmpty()) {
            current->lines.append(Line{QString(), line});
        } else {
            // A repeated key: the first one counts, as ini readers do.
            const QString folded = key.toCaseFolded();
            if (!current->index.contains(folded)) {
                current->index.insert(folded, current->lines.size());
                current->lines.append(Line{key, line.mid(eq + 1).trimmed()});
            }
        }
    }
}

IniStore::Section *IniStore::findSection(const QString &name)
{
    const auto it = m_sectionIndex.constFind(name.toCaseFolded());
    return it == m_sectionIndex.constEnd() ? nullptr : &m_sections[*it];
}

IniStore::Section &IniStore::addSection(const QString &name)
{
    m_sectionIndex.insert(name.toCaseFolded(), m_sections.size());
    m_sections.append(Section{name, {}, {}});
    return m_sections.last();
}

IniStore::Line *IniStore::findLine(const QString &section, const QString &key)
{
    Section *s = findSection(section);
    if (!s)
        return nullptr;
    const auto it = s->index.constFind(key.toCaseFolded());
    return it == s->index.constEnd() ? nullptr : &s->lines[*it];
}

bool IniStore::hasKey(const QString &section, const QString &key)
{
    ensureLoaded();
    return findLine(section, key) != nullptr;
}

bool IniStore::hasSection(const QString &section)
{
    ensureLoaded();
    return findSection(section) != nullptr;
}

QStringList IniStore::sections()
{
    ensureLoaded();
    QStringList names;
    for (const Section &s : std::as_const(m_sections))
        names.append(s.name);
    return names;
}

QStringList IniStore::keys(const QString &section)
{
    ensureLoaded();
    QStringList names;
    if (const Section *s = findSection(section))
        for (const Line &l : s->lines)
            if (!l.key.isEmpty())
                names.append(l.key);
    return names;
}

QString IniStore::readString(const QString &section, const QString &key, const QString &def)
{
    ensureLoaded();
    const Line *l = findLine(section, key);
    return l ? l->value : def;
}

int IniStore::readInteger(const QString &section, const QString &key, int def)
{
    ensureLoaded();
    const Line *l = findLine(section, key);
    if (!l)
        return def;
    return settingstext::ParseInteger(l->value).value_or(def);
}

bool IniStore::readBool(const QString &section, const QString &key, bool def)
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

long double IniStore::readFloat(const QString &section, const QString &key, long double def)
{
    ensureLoaded();
    const Line *l = findLine(section, key);
    if (!l)
        return def;
    return settingstext::ParseGeneral(l->value, m_locale).value_or(def);
}

bool IniStore::writeString(const QString &section, const QString &key, const QString &value)
{
    ensureLoaded();
    // A value is one line: line breaks inside it would split the entry.
    QString flat = value;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (Line *l = findLine(section, key)) {
        l->value = flat;
    } else {
        Section *s = findSection(section);
        if (!s)
            s = &addSection(section);
        s->index.insert(key.toCaseFolded(), s->lines.size());
        s->lines.append(Line{key, flat});
    }
    return flush();
}

bool IniStore::writeInteger(const QString &section, const QString &key, int value)
{
    return writeString(section, key, QString::number(value));
}

bool IniStore::writeBool(const QString &section, const QString &key, bool value)
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniStore::writeFloat(const QString &section, const QString &key, long double value)
{
    return writeString(section, key, settingstext::FormatGeneral(value, m_locale));
}

QString IniStore::text()
{
    ensureLoaded();
    QString out;
    for (const QString &line : std::as_const(m_preamble))
        out += line + QLatin1Char('\n');
    for (const Section &s : std::as_const(m_sections)) {
        out += QLatin1Char('[') + s.name + QLatin1String("]\n");
        for (const Line &l : s.lines)
            out += (l.key.isEmpty() ? l.value : l.key + QLatin1Char('=') + l.value) + QLatin1Char('\n');
        out += QLatin1Char('\n');
    }
    return out;
}

bool IniStore::flush()
{
    m_error.clear();
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) {
        m_error = QStringLiteral("Unable to write to %1: the folder cannot be created")
                      .arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    if (info.exists() && info.isFile() && !info.isWritable()) {
        m_error = QStringLiteral("Unable to write to %1: the file is read-only")
                      .arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    if (m_firstWrite) {
        m_firstWrite = false;
        removeStaleTemporaries();
    }
    if (m_keepUnreadable) {
        // The file we could not read is replaced now: move it aside, whole.
        const QString backup = m_path + QStringLiteral(".bad");
        QFile::remove(backup);
        if (QFile::rename(m_path, backup))
            m_keepUnreadable = false;
    }
    QSaveFile file(m_path);
    const QByteArray bytes = text().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_error = QStringLiteral("Unable to write to %1: %2")
                      .arg(QDir::toNativeSeparators(m_path), file.errorString());
        return false;
    }
    return true;
}

void IniStore::removeStaleTemporaries()
{
    // A run killed while writing may leave its temporary, named after the
    // file with six random letters or digits appended. One that has not been
    // touched for a minute belongs to no write in progress.
    const QFileInfo info(m_path);
    const QRegularExpression pattern(QLatin1Char('^') + QRegularExpression::escape(info.fileName())
                                     + QLatin1String("\\.[A-Za-z0-9]{6}$"));
    const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QFileInfoList candidates = QDir(info.absolutePath())
                                         .entryInfoList({info.fileName() + QStringLiteral(".??????")},
                                                        QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &candidate : candidates)
        if (pattern.match(candidate.fileName()).hasMatch() && candidate.lastModified().toUTC() < staleBefore)
            QFile::remove(candidate.absoluteFilePath());
}
