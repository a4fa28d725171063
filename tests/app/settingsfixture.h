#pragma once

// Shared by the settings tests that run the real window on a settings file of
// their own: a message-box answerer for messages shown while the window is
// still being created, and file helpers.

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

namespace settingstest {

// Answers every modal message box that opens while it lives (the window's
// range messages can come while it is still being created, before a test can
// set its message hook), recording each text.
class MessageBoxAnswerer
{
public:
    MessageBoxAnswerer()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts.append(box->text());
                box->button(QMessageBox::Ok)->click();
            }
        });
        m_timer.start(5);
    }

    // The first line of every text answered.
    QStringList firstLines() const
    {
        QStringList lines;
        for (const QString &text : texts)
            lines.append(text.section(QLatin1Char('\n'), 0, 0));
        return lines;
    }

    QStringList texts;

private:
    QTimer m_timer;
};

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Replaces the file's bytes; false when it cannot be written.
inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace settingstest
