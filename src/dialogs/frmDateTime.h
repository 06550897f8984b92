#pragma once

#include <QDialog>

// The date and time picker of the editors' "..." buttons.
class frmDateTime : public QDialog
{
    Q_OBJECT
public:
    // The one picker, created hidden and owned by owner when there is none.
    static frmDateTime *forOwner(QWidget *owner);
    // Prepares the picker for destination code 1 to 4; leaves it hidden.
    void LoadPicker(int lngDest);

private:
    explicit frmDateTime(QWidget *owner);
};
