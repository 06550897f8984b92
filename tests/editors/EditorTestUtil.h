#pragma once

#include "common/WidgetTestSupport.h"
#include "data/Settings.h"
#include "editors/EditorBase.h"
#include "widgets/ComboFill.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

// Small helpers for driving the editor windows in tests.
namespace editortest {

template <typename T = QWidget> T *child(QWidget *editor, const QString &name)
{
    return editor ? editor->findChild<T *>(name) : nullptr;
}

inline QPushButton *button(QWidget *editor, const QString &name)
{
    return child<QPushButton>(editor, name);
}

inline QComboBox *combo(QWidget *editor, const QString &name)
{
    return child<QComboBox>(editor, name);
}

using ::closeAllEditors;

// An editor shown without a main window, switched to a mode as the main
// window switches it (0 adds, -1 edits the row with the given key).
template <typename Editor> Editor *openEditor(int mode, int id = 0)
{
    Editor *e = Editor::showEditor(nullptr);
    e->SwapFormMode(mode, id);
    return e;
}

// What the main window's selection does in add mode, for tests that run
// without a main window.
inline void chooseRow(QWidget *editor, const QString &comboName, const QString &table, const QString &idField,
                      const QString &textField, int id)
{
    modTamberlock::FillComboFromTable(combo(editor, comboName), table, idField, textField,
                                      QString::number(id), false);
}

// A real main window offers to add rows to its empty lists and waits for an
// answer; tests that open one switch the offers off while they run.
class NoEmptyListOffers
{
public:
    NoEmptyListOffers() : m_saved(DontAskSetting::text()) { DontAskSetting::write(QStringLiteral("0")); }
    ~NoEmptyListOffers() { DontAskSetting::write(m_saved.isEmpty() ? QStringLiteral("1") : m_saved); }

private:
    QString m_saved;
};

} // namespace editortest
