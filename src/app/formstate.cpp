#include "formstate.h"

#include "inistore.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>
#include <optional>

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
    // A stored bound that is absent or no number gives the current edge. The
    // arithmetic is wide: a damaged file may hold any 32-bit value.
    const auto stored = [this](const QString &key) -> std::optional<qint64> {
        if (!m_store.hasKey(m_section, key))
            return std::nullopt;
        if (const auto value = settingstext::ParseInteger(m_store.readString(m_section, key, QString())))
            return qint64(*value);
        return std::nullopt;
    };
    const std::optional<qint64> storedLeft = stored(Left);
    const std::optional<qint64> storedTop = stored(Top);
    qint64 left = storedLeft.value_or(current.x());
    qint64 top = storedTop.value_or(current.y());
    qint64 width = stored(Right).value_or(left + current.width()) - left;
    qint64 height = stored(Bottom).value_or(top + current.height()) - top;
    // Bounds that enclose nothing (a damaged file) keep the current size.
    if (width <= 0)
        width = current.width();
    if (height <= 0)
        height = current.height();

    const bool hasPosition = m_store.hasKey(m_section, Left) || m_store.hasKey(m_section, Top);
    QScreen *screen = nullptr;
    if (hasPosition) {
        // A corner on no monitor (one that has been removed) moves to (0, 0).
        screen = QGuiApplication::screenAt(QPoint(int(left), int(top)));
        if (!screen) {
            left = 0;
            top = 0;
            screen = QGuiApplication::screenAt(QPoint(0, 0));
        }
    } else {
        screen = m_window->screen();
    }
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        // Never larger than the monitor's work area, and wholly on it, so a
        // placement saved on a larger or since rearranged desktop stays usable.
        // The frame, where the window system already reports one, counts.
        const QRect frame = m_window->frameGeometry();
        const QMargins margins(current.left() - frame.left(), current.top() - frame.top(),
                               frame.right() - current.right(), frame.bottom() - current.bottom());
        const QRect area = screen->availableGeometry().marginsRemoved(margins);
        width = std::min<qint64>(width, area.width());
        height = std::min<qint64>(height, area.height());
        if (hasPosition) {
            left = std::clamp<qint64>(left, area.left(), qint64(area.left()) + area.width() - width);
            top = std::clamp<qint64>(top, area.top(), qint64(area.top()) + area.height() - height);
        }
    }

    if (hasPosition)
        m_window->setGeometry(QRect(int(left), int(top), int(width), int(height)));
    else if (QSize(int(width), int(height)) != current.size())
        // No stored position: the window system still chooses where it goes.
        m_window->resize(int(width), int(height));

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
