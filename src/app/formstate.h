#pragma once

// The window-placement keeper of the main window.
//
// Remembers where the window was (its normal bounds, the client rectangle it
// has when neither maximised nor minimised, as QWidget::normalGeometry() gives
// it) and whether it was maximised, in the section "frmMinPmtFormState" of the
// settings file. It hooks itself in front of the window's own handlers: the
// creation hook runs when the keeper is made (before the window's FormCreate),
// RestoreState on the window's first showing and SaveState on its close, both
// through an event filter, which runs before the window's showEvent/closeEvent.
//
// A restored placement is made sound before it is applied: a size no larger
// than the work area of the monitor that holds the window's corner, and the
// whole window on that monitor (bounds from a damaged file or a desktop that
// has since shrunk would otherwise leave it unreachable).
//
// A failed write of the placement is shown once in an error box (through an
// injectable hook) and never stops the close.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class IniStore;

class FormState : public QObject
{
    Q_OBJECT
public:
    // Shows `text` as an error box owned by `owner` and waits for it.
    using MessageHook = std::function<void(QWidget *owner, const QString &text)>;

    // Runs the creation hook (reads "Saved") at once. With `hookEvents`, the
    // keeper restores on the window's first show and saves on its close.
    FormState(QWidget *window, IniStore &store,
              QString section = QStringLiteral("frmMinPmtFormState"), bool hookEvents = true);

    // Whether a placement was saved by an earlier run ("Saved", default false).
    bool hasSavedPlacement() const { return m_saved; }

    void RestoreState();
    // Writes "Maximized", "Left", "Top", "Right", "Bottom" and "Saved" = 1 in
    // this order. Returns false after a failed write (which was shown).
    bool SaveState();

    void setMessageHook(MessageHook hook) { m_messageHook = std::move(hook); }
    static void defaultMessage(QWidget *owner, const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
    IniStore &m_store;
    QString m_section;
    bool m_saved = false;
    bool m_restored = false;
    MessageHook m_messageHook = &FormState::defaultMessage;
};
