#include "data/Notices.h"

#include "data/Prompter.h"

void ShowNotImplemented()
{
    const QString title = QStringLiteral("Feature Not Implemented") + QString(16, QLatin1Char(' '));
    const QString text = QStringLiteral("This Feature has not\r\n"
                                        " been implemented yet. \r\n"
                                        " Support Brumvale by making\r\n"
                                        " donations at ") +
                         QLatin1String(kMakerAddress);
    showMessage(title, text, BoxIcon::Error);
}

void showNotice(const QString &text)
{
    showMessage(text, text, BoxIcon::Information);
}

void ShowRecordAdded()
{
    showNotice(QStringLiteral("Record Added Successfully!"));
}

void ShowRecordSaved()
{
    showNotice(QStringLiteral("Record Saved."));
}
