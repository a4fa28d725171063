#pragma once

// A link label: a QLabel showing its text underlined in the link colour with a
// hand cursor and a hint; a left click opens its address (or, when the address
// is blank, its text) through the opener, QDesktopServices::openUrl unless one
// is injected. After a successful open the label turns the visited colour and
// stays so for the life of the label; a failed open shows nothing.

#include <QColor>
#include <QLabel>
#include <QString>
#include <QUrl>

#include <functional>

class UrlLabel : public QLabel
{
    Q_OBJECT
public:
    using Opener = std::function<bool(const QUrl &)>;

    static const QColor LinkColor;    // red 68, green 132, blue 178
    static const QColor VisitedColor; // red 128, green 0, blue 128

    explicit UrlLabel(QWidget *parent = nullptr);

    QString url() const { return m_url; }
    void setUrl(const QString &url) { m_url = url; }

    bool visited() const { return m_visited; }
    QColor linkColor() const;

    void setOpener(Opener opener) { m_opener = std::move(opener); }
    static bool defaultOpener(const QUrl &url);

    // Opens the target as a click does; returns whether it opened.
    bool openTarget();

signals:
    void opened(const QString &target);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void applyColor();

    QString m_url;
    bool m_visited = false;
    Opener m_opener = &UrlLabel::defaultOpener;
};
