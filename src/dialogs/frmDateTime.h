#pragma once

#include <QDateTime>
#include <QDialog>

class QCalendarWidget;
class QDateTimeEdit;
class QFrame;
class QPushButton;

// The date and time picker of the editors' "..." buttons. Its opener hands it
// the text of the destination box when loading it; on "Ok" it tells its
// opener the chosen value as text for that box (chosen), and the opener
// writes its own box.
class frmDateTime : public QDialog
{
    Q_OBJECT
public:
    // The box a use of the picker is for; the code is also the index of that
    // box in its editor. Any other value names no box.
    enum class Destination : qint16 { StartTime = 1, StopTime = 2, DueDate = 3, TransactionDate = 4 };
    static bool isKnown(Destination dest);

    // The one picker of the program, created hidden and owned by owner when
    // there is none; an open one moves over to owner and stops telling its
    // former owner what was chosen.
    static frmDateTime *forOwner(QWidget *owner);
    // Prepares the picker for dest, starting from fieldText (the destination
    // box's text as it stands); leaves it hidden.
    void LoadPicker(Destination dest, const QString &fieldText);

    Destination destination() const { return m_destination; }
    QDateTime value() const;

signals:
    // "Ok" for a known destination: text is the value for that box.
    void chosen(frmDateTime::Destination dest, const QString &text);

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit frmDateTime(QWidget *owner);
    void onDayChosen(const QDate &day);

    QCalendarWidget *m_monthView = nullptr;
    QFrame *m_rule = nullptr;
    QDateTimeEdit *m_picker = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    Destination m_destination{};
    // The calendar's day was moved since the dialog opened (by a click or
    // by the arrow keys).
    bool m_dayMoved = false;
};
