#include "urllabel.h"

#include <QDesktopServices>
#include <QMouseEvent>

const QColor UrlLabel::LinkColor(68, 132, 178);
const QColor UrlLabel::VisitedColor(128, 0, 128);

UrlLabel::UrlLabel(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    applyColor();
}

QColor UrlLabel::linkColor() const
{
    return palette().color(QPalette::WindowText);
}

bool UrlLabel::defaultOpener(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool UrlLabel::openTarget()
{
    // The address, or the shown text when the address is blank; passed on
    // unchanged. Nothing to open when both are blank.
    const QString target = m_url.trimmed().isEmpty() ? text() : m_url;
    if (target.trimmed().isEmpty() || !m_opener)
        return false;
    if (!m_opener(QUrl(target)))
        return false;
    m_visited = true;
    applyColor();
    emit opened(target);
    return true;
}

void UrlLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        openTarget();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void UrlLabel::applyColor()
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, m_visited ? VisitedColor : LinkColor);
    setPalette(p);
}
