#pragma once

#include <QDialog>
#include <QList>

class PreferencesPage;
class QListWidget;
class QPushButton;
class QStackedWidget;

// The one preferences window: a list of pages on the left, the chosen page
// beside it, and Ok, Cancel and Apply. Each page loads from and writes to the
// settings store itself; the window only drives them.
class frmPreferences : public QDialog
{
    Q_OBJECT

public:
    // Non-modal, owned by owner (the main window), with its first page,
    // "Regional Formats".
    explicit frmPreferences(QWidget *owner);

    // Adds a page at the end of the list; the window owns it.
    void addPage(PreferencesPage *page);
    QList<PreferencesPage *> pages() const { return m_pages; }
    // Loads every page from the store and shows the window.
    void bringForward();

    // Writes every page; false when one refused its values (that page is
    // then shown).
    bool applyPages();

private:
    void onOk();

    QListWidget *m_list = nullptr;
    QStackedWidget *m_stack = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_applyButton = nullptr;
    QList<PreferencesPage *> m_pages;
};
