#pragma once

#include <QDateTime>
#include <QDialog>

class QCalendarWidget;
class QDateTimeEdit;
class QFrame;
class QLineEdit;
class QPushButton;

// The date and time picker of the editors' "..." buttons. It reads the text
// of the destination box when loaded and writes the chosen value back into
// it on "Ok"; the caller gets nothing back.
class frmDateTime : public QDialog
{
    Q_OBJECT
public:
    // The one picker, created hidden and owned by owner when there is none.
    static frmDateTime *forOwner(QWidget *owner);
    // Prepares the picker for destination code 1 to 4; leaves it hidden.
    void LoadPicker(int lngDest);

    int destination() const { return m_lngDestination; }
    QDateTime value() const;
    // The box that destination code dest names right now, if it is open.
    static QLineEdit *destinationBox(int dest);

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit frmDateTime(QWidget *owner);
    void takeDay(const QDate &day);

    QCalendarWidget *m_monthView = nullptr;
    QFrame *m_rule = nullptr;
    QDateTimeEdit *m_picker = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    int m_lngDestination = 0;
    // The calendar's day was moved since the dialog opened (by a click or
    // by the arrow keys).
    bool m_dayMoved = false;
};
