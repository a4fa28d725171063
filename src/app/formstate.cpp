#include "formstate.h"

#include "inistore.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

namespace {
const QString Maximized = QStringLiteral("Maximized");
const QString Left = QStringLiteral("Left");
const QString Top = QStringLiteral("Top");
const QString Right = QStringLiteral("Right");
const QString Bottom = QStringLiteral("Bottom");
const QString Saved = QStringLiteral("Saved");
} // namespace

FormState::FormState(QWidget *window, IniStore &store, QString section, bool hookEvents)
    : QObject(window), m_window(window), m_store(store), m_section(std::move(section))
{
    // Creation hook: with a saved placement the stored bounds decide where the
    // window shows; without one the window system places it at its designed size.
    m_saved = m_store.readBool(m_section, Saved, false);
    if (hookEvents && window)
        window->installEventFilter(this);
}

void FormState::RestoreState()
{
    if (!m_window)
        return;
    m_restored = true;
    const QRect current = m_window->geometry();
    const bool hasLeft = m_store.hasKey(m_section, Left);
    const bool hasTop = m_store.hasKey(m_section, Top);
    const int left = m_store.readInteger(m_section, Left, current.x());
    const int top = m_store.readInteger(m_section, Top, current.y());
    int right = m_store.readInteger(m_section, Right, left + current.width());
    int bottom = m_store.readInteger(m_section, Bottom, top + current.height());
    // Bounds that enclose nothing (a damaged file) keep the current size.
    if (right <= left)
        right = left + current.width();
    if (bottom <= top)
        bottom = top + current.height();
    QRect bounds(left, top, right - left, bottom - top);

    if (hasLeft || hasTop) {
        // A corner on no monitor (one that has been removed) moves to (0, 0).
        if (!QGuiApplication::screenAt(bounds.topLeft()))
            bounds.moveTopLeft(QPoint(0, 0));
        m_window->setGeometry(bounds);
    } else if (bounds.size() != current.size()) {
        // No stored position: the window system still chooses where it goes.
        m_window->resize(bounds.size());
    }

    if (m_store.readBool(m_section, Maximized, false))
        m_window->setWindowState((m_window->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

bool FormState::SaveState()
{
    if (!m_window)
        return true;
    const bool maximized = m_window->isMaximized() && !m_window->isMinimized();
    // While maximised or minimised, normalGeometry() holds the normal bounds;
    // otherwise it may be empty and the geometry is the normal bounds.
    QRect normal = m_window->normalGeometry();
    if (!normal.isValid() || !(m_window->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized
                                                          | Qt::WindowFullScreen)))
        normal = m_window->geometry();

    const bool ok = m_store.writeBool(m_section, Maximized, maximized)
                    && m_store.writeInteger(m_section, Left, normal.x())
                    && m_store.writeInteger(m_section, Top, normal.y())
                    && m_store.writeInteger(m_section, Right, normal.x() + normal.width())
                    && m_store.writeInteger(m_section, Bottom, normal.y() + normal.height())
                    && m_store.writeBool(m_section, Saved, true);
    if (!ok && m_messageHook)
        m_messageHook(m_window, m_store.errorString());
    return ok;
}

void FormState::defaultMessage(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, owner);
    box.exec();
}

bool FormState::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Show && !m_restored)
            RestoreState();
        else if (event->type() == QEvent::Close)
            SaveState();
    }
    return QObject::eventFilter(watched, event);
}
