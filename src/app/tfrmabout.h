#pragma once

// The About window: the maker's logo, the product name and copyright line from
// ApplicationInfo, three links to other products of the maker and the link to
// the product's web site, closed with one button.
//
// Created hidden at start-up, shown modally by the main window's "About..."
// command, hidden again on Close and reused. Every showing runs FormShow,
// which centres the window by the main window's client size and sets the two
// text lines and the web-site link's target. Links open through their opener
// (QDesktopServices::openUrl unless one is injected with setOpener).

#include <QDialog>
#include <QPointer>

#include <functional>

class QLabel;
class QPushButton;
class QUrl;
class QWidget;
class UrlLabel;

class TfrmAbout : public QDialog
{
    Q_OBJECT
public:
    static constexpr int DesignedClientWidth = 367;
    static constexpr int DesignedClientHeight = 351;

    explicit TfrmAbout(QWidget *mainWindow = nullptr, QWidget *parent = nullptr);
    ~TfrmAbout() override;

    // The window FormShow centres on (frmMinPmt in the program).
    void setMainWindow(QWidget *mainWindow) { m_mainWindow = mainWindow; }
    QWidget *mainWindow() const { return m_mainWindow; }

    // Replaces the opener of all four links (tests use a stand-in).
    void setOpener(std::function<bool(const QUrl &)> opener);

    void FormShow();

    QWidget *RzPanel1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *txtProductName = nullptr;
    QLabel *txtCopyright = nullptr;
    QLabel *StaticText1 = nullptr;
    UrlLabel *RzURLLabel1 = nullptr; // the product web site
    UrlLabel *RzURLLabel2 = nullptr;
    UrlLabel *RzURLLabel3 = nullptr;
    UrlLabel *RzURLLabel4 = nullptr;
    QPushButton *RzButton1 = nullptr;

public slots:
    void RzButton1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QPointer<QWidget> m_mainWindow;
};

// The program's one About window, set by start-up.
extern TfrmAbout *frmAbout;
