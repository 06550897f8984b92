#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The program's own yes/no question with "Dont ask this again". The box only
// records the answer; ShowConfirmBox shows it, waits and discards it.
class frmKivMsg : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString Message READ Message WRITE setMessage)
    Q_PROPERTY(int DefaultButton READ DefaultButton WRITE setDefaultButton)
    Q_PROPERTY(int Response READ Response)
public:
    enum Answer : short { NoAnswer = 0, Yes = 6, No = 7 };
    // The DefaultButton value that makes "Yes" the default button.
    static constexpr int YesIsDefault = 1;

    explicit frmKivMsg(QWidget *parent = nullptr);

    QString Message() const { return m_message; }
    void setMessage(const QString &message);
    // 1: "Yes" is the default button and Esc answers no; any other value
    // swaps the two roles.
    int DefaultButton() const { return m_defaultButton; }
    void setDefaultButton(int value);
    short Response() const { return m_response; }

    // The button Esc presses under the current DefaultButton.
    QPushButton *escapeButton() const;

signals:
    void answered(short response);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

public slots:
    // Esc presses the cancel button; the box stays open until its driver
    // closes it.
    void reject() override;

private:
    void setResponse(short response);
    void fitMessage();
    // Centres the box on its owner's window as that window stands now.
    void centreOnOwner();
    QWidget *ownerWindow() const;

    QLabel *m_image = nullptr;
    QPlainTextEdit *m_messageText = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QCheckBox *m_dontAskBox = nullptr;
    QString m_message;
    int m_defaultButton = 1;
    short m_response = NoAnswer;
    // Where the box was last centred; moved from there, it stays put.
    QPoint m_centredAt;
};

namespace modTamberlock {
// Shows a confirmation box owned by owner without blocking the rest of the
// program and returns 6 (yes), 7 (no) or 0 (the time-out ran out first). A
// time-out of 0 waits without limit. Each call has its own box, so a question
// asked while another one waits is answered on its own. A box whose owner
// goes away while it waits answers no.
short ShowConfirmBox(QWidget *owner, const QString &message, const QString &caption, int defaultButton,
                     int timeoutSeconds);
} // namespace modTamberlock
