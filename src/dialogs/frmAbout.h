#pragma once

#include <QDialog>

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    static frmAbout *showFor(QWidget *owner);

private:
    explicit frmAbout(QWidget *owner);
};
