#pragma once

#include <QDialog>

class frmPayment : public QDialog
{
    Q_OBJECT
public:
    // The one editor, shown (created from its design when it is not open) and
    // brought forward, owned by owner.
    static frmPayment *showEditor(QWidget *owner);
    // -1 edits the row with that id; every other value adds a row.
    void SwapFormMode(int yEditnAdd, qint32 id);

private:
    explicit frmPayment(QWidget *owner);
};
