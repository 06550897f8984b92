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
    static frmHelpStruct *showFor(QWidget *owner);

    // The help text as stored: every line ended by a carriage return and a
    // line feed.
    static QString helpText();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    explicit frmHelpStruct(QWidget *owner);
    void applyLayout();
    void onClose();

    QPlainTextEdit *m_txtHolder = nullptr;
    QFrame *m_picAligner = nullptr;
    QPushButton *m_cmdClose = nullptr;
    QLabel *m_image = nullptr;
};
