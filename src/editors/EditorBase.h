#pragma once

#include "data/DbError.h"
#include "data/RegionalFormats.h"
#include "data/Types.h"
#include "dialogs/frmDateTime.h"

#include <QDialog>
#include <QMap>
#include <QString>

#include <functional>

class QBoxLayout;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class RecordSet;
class StepRunner;

// The add/edit protocol shared by the four record editors: the two modes and
// their captions, the change marker, Ok / Add As New / Close with their
// notices, the clean-up of a box when the focus leaves it, the "!" and "..."
// buttons of the date-time boxes and what happens when the window goes away.
class EditorBase : public QDialog
{
    Q_OBJECT

public:
    // The texts of one editor.
    struct Captions {
        QString addCaption;  // "Add New Project"
        QString editCaption; // "Edit Project #" (the id follows)
        QString frameAdd;    // "New Project:"
        QString frameEdit;   // "Edit Project:"
        QString addedNotice; // after Ok in add mode and after Add As New
        QString savedNotice; // after Ok in edit mode
    };

    // How a box's text is put in shape when the focus leaves it.
    enum class CleanUp { None, Trim, Currency, DateTime, PendingDateTime, Zip, Telephone };

    // What the opener does when an editor goes away: give its own window the
    // focus, reload its lists, both, or nothing.
    enum class OnClose { FocusAndReload, FocusOnly, ReloadOnly, Nothing };

    // The two values of SwapFormMode's first parameter that the editors use.
    enum Mode : qint16 { AddMode = 0, EditMode = -1 };

    // -1 edits the row with that id; every other value adds a row.
    void SwapFormMode(int yEditnAdd, qint32 id);

    // The change marker; the company editor has none and ignores this.
    void SetDirty(bool dirty);

    qint16 editMode() const { return m_editMode; }
    qint32 recordId() const { return m_recordId; }

    // The record numbers of the company and project rows selected in the
    // opener's lists, as their texts read (empty: no selection). Add mode
    // presets the choice boxes from them, so the opener hands them over
    // before every SwapFormMode.
    void setMainSelection(const QString &companyText, const QString &projectText);

    // The box of an index (a QLineEdit or, for comments, a QPlainTextEdit).
    QWidget *box(int index) const { return m_boxes.value(index); }
    QString boxText(int index) const;
    void setBoxText(int index, const QString &text);

    // Moves the input focus to a box (or to any control) and first cleans up
    // the box that had it. Focus events cannot be relied on for this: an
    // inactive window gets none.
    void moveFocusTo(int index);
    void moveFocusTo(QWidget *control);
    // The index of the box that holds the input focus as the editor sees it;
    // -1 when no box does.
    int focusedBox() const { return m_focusBox; }
    // True once the window has closed; it is deleted soon after, and the next
    // opening creates the editor afresh.
    bool isClosed() const { return m_closed; }

    // The clean-up rules themselves, also used by the tests.
    static QString cleanUpText(CleanUp kind, const QString &text);

    // Shows the window and brings it forward (the one instance of its editor).
    // A window opening afresh starts with the focus on its first control.
    void bringForward();

signals:
    // The window went away; what the opener should do now. The editor is
    // already off the screen when this comes.
    void closed(EditorBase::OnClose what);

protected:
    EditorBase(QWidget *owner, const QString &name, const Captions &captions, bool hasMarker, QSize size);
    ~EditorBase() override;

    // The layout in which an editor places its frames above the button row.
    QBoxLayout *contentLayout() const { return m_content; }
    QGroupBox *frame() const { return m_frame; }

    // Creates the box txtComps(index) with its clean-up and maximum length
    // (0: no limit); multiLine gives a comment box.
    QWidget *addBox(int index, CleanUp kind, int maxLength, bool multiLine = false);
    // The name of a money or date-time box in the message that says its text
    // cannot be read ("Hourly Wage").
    void setFieldName(int index, const QString &name) { m_fieldNames.insert(index, name); }
    // The label lblComps(index).
    QLabel *addLabel(int index, const QString &caption);
    // A drop-down list that accepts no typed text; marksDirty says whether a
    // change of its selection marks the editor changed.
    QComboBox *addChoice(const QString &name, bool marksDirty);
    // cmdNow "!" and cmdPicker "..." side by side in one holder, for the
    // date-time box whose index is the picker's destination code.
    struct DateButtons {
        QWidget *holder;
        QPushButton *now;
        QPushButton *picker;
    };
    DateButtons addDateButtons(frmDateTime::Destination dest);
    // The id carried by the selected item, 0 without a selection.
    static qint32 selectedId(const QComboBox *combo);

    // Reads a box for a save.
    Currency currencyOf(int index) const;
    OleDate dateTimeOf(int index) const;

    // Per editor.
    virtual void LoadRecord() = 0;
    virtual QString AddRecord() = 0;
    virtual QString SaveRecord() = 0;
    // Add mode: fills the choice boxes from the main window's selection.
    virtual void presetChoices() {}
    // The record as a whole before a save, once every box reads: false when
    // it must not be written (the editor has said why and stays open).
    virtual bool recordAcceptable() { return true; }
    // The warning of a box whose text cannot be saved: its title, the text
    // ending in "Nothing was saved.", the focus back in the box.
    void refuseBox(int index, const QString &title, const QString &text);
    virtual OnClose onCloseBox() const = 0;
    virtual OnClose onCloseButton() const = 0;

    // The common shape of LoadRecord: opens the row of the SQL text, then runs
    // fill(run, row) and the closing step, each step under the error box.
    void loadRow(const QString &sql, const std::function<void(StepRunner &, RecordSet &)> &fill);
    // One loaded field: the column's value put into the box as text (money as
    // plain decimals, dates in the general form), then the focus moved there.
    enum class Field { Text, Currency, Date };
    void loadField(StepRunner &run, RecordSet &row, const QString &column, int index, Field kind);
    // Reads an id column into id (0 when it is Null).
    void loadId(StepRunner &run, RecordSet &row, const QString &column, qint32 &id);
    // One step of a load; a step that does not succeed in the end (Ignore,
    // Abort) leaves the row not fully loaded.
    void loadStep(StepRunner &run, const std::function<StepResult()> &fn);

    // The text of the opener's selected company / project, as handed over by
    // setMainSelection; false without a selection.
    bool mainSelection(bool company, QString &text) const;

    // Runs a box's clean-up now.
    void cleanUpBox(int index);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

    // The first control of the editor's focus order.
    void setFirstControl(QWidget *control) { m_firstControl = control; }

    QGroupBox *m_frame = nullptr;
    QPushButton *m_addAsNewButton = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    QFrame *m_rule = nullptr;

    qint16 m_editMode = AddMode;
    qint32 m_recordId = 0;

private:
    void fitFont();
    void onOkClicked();
    bool boxesReadable();
    bool refuseUnloadedSave();
    void onAddAsNewClicked();
    void onCloseClicked();
    void finishSave(const QString &result, bool added);
    void onNowClicked(int index);
    void onPickerClicked(frmDateTime::Destination dest);
    void onPickerChosen(frmDateTime::Destination dest, const QString &text);
    void boxChanged(int index);
    // Shows the money and date-time boxes anew in the formats now in force.
    void reshowValues(const RegionalFormats &previous);
    QString caption(bool dirty) const;

    Captions m_captions;
    bool m_hasMarker;
    QBoxLayout *m_content = nullptr;
    QWidget *m_firstControl = nullptr;
    QMap<int, QWidget *> m_boxes;
    QMap<int, CleanUp> m_cleanUp;
    QMap<int, int> m_plainMaxLength;
    QMap<int, QString> m_fieldNames;
    QString m_selectedCompany;
    QString m_selectedProject;
    // The last load of the edited row did not complete: what the boxes show
    // is not that row, so Ok must not write it back.
    bool m_loadFailed = false;
    int m_focusBox = -1;
    bool m_closeByButton = false;
    bool m_closed = false;
    bool m_trimming = false;
    bool m_reshowing = false;
};
