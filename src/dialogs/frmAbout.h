#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace about {
class DotCanvas;
}

// The about box: name, version, description, the maker's web site behind the
// icon, the system-information tool and a small animation of coloured dots.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    static frmAbout *showFor(QWidget *owner);

    // The dot animation: a beep, a clean drawing area, then dots until the
    // window is closed or hidden.
    void startAnimation();
    bool isAnimating() const;
    int dotsDrawn() const;

    // The legal notice shown in txtDisclaimer.
    static QString legalNotice();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    explicit frmAbout(QWidget *owner);
    void StartSysInfo();
    void openMakerSite();
    void step();

    QLabel *m_iconLabel = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_versionLabel = nullptr;
    QLabel *m_descriptionLabel = nullptr;
    QPlainTextEdit *m_disclaimerText = nullptr;
    about::DotCanvas *m_picture = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_sysInfoButton = nullptr;
    QTimer *m_startTimer = nullptr;
    QTimer *m_animation = nullptr;
    int m_phase = 1;
    bool m_startTimerStarted = false;
};
