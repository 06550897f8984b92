#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The window that explains how companies, projects, payments and charges
// hang together.
class frmHelpStruct : public QWidget
{
    Q_OBJECT
public:
    // The one help window, shown and brought forward; owner (the main window)
    // gets the focus back when the help is closed.
    static frmHelpStruct *showFor(QWidget *owner);

    // The help text as stored: every line ended by a carriage return and a
    // line feed.
    static QString helpText();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    explicit frmHelpStruct(QWidget *owner);
    void applyLayout();
    void onCloseClicked();

    QPlainTextEdit *m_helpText = nullptr;
    QFrame *m_buttonBar = nullptr;
    QPushButton *m_closeButton = nullptr;
    QLabel *m_image = nullptr;
};
