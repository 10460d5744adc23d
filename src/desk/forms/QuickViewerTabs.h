#pragma once
// The pages of the quick viewer window, one class per tab.  Each page reads
// its controls, calls the quick viewer's store (desk/QuickViewer.h) and shows
// the result; the store keeps every rule.  A page that changed what the
// day's summary counts says so with `changed()`.

#include "core/AppContext.h"
#include "desk/Calculator.h"

#include <QColor>
#include <QVariantMap>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace vm {

class DataGrid;

// The texts of the window that the store does not own.
// The question before a document link goes (ends with the store's note that
// the file stays).
QString MsgDeleteDocumentLink();
inline const QString MsgDeleteMasterTask =
    QStringLiteral("Do you wish to delete this task from the Master Task List?");
inline const QString MsgDeleteQvRow = QStringLiteral("Do you wish to delete this data element?");
inline const QString MsgDeleteQvCategory = QStringLiteral("Do you wish to delete this category?");
inline const QString MsgValidDate =
    QStringLiteral("Please enter a valid date (MM/DD/YYYY).  Thank you.");
inline const QString MsgSelectQvCategory =
    QStringLiteral("Please select a category first.  Thank you.");

// A date typed on a page: the short date as stored, or the text as typed
// (the store refuses what is no date in its own words).
QString StoredOrTyped(const QString& typed);
// The Windows colour value of a note (red in the low byte) and back.
qint64 NoteColorValue(const QColor& c);
QColor NoteColor(qint64 value);

// Building the pages.
QPushButton* QvButton(QWidget* parent, const char* objectName, const QString& text,
                      std::function<void()> onClick);
QLineEdit* QvDateBox(QWidget* parent, const char* objectName);
// Runs `fn` whenever the grid's current row changes.
void OnCurrentRow(DataGrid* grid, QObject* receiver, std::function<void()> fn);
// Active staff for an "assigned to" box: the initials as data, "Name (II)" shown,
// after a blank first choice.
void FillStaffInitials(AppContext& ctx, QComboBox* box);
// Opens a print routine's preview over `parent`.
void QvPrint(AppContext& ctx, QWidget* parent, const QString& routine, const QString& title,
             const QVariantMap& args);

class DashboardTab : public QWidget {
    Q_OBJECT
public:
    explicit DashboardTab(AppContext& ctx, QWidget* parent = nullptr);
public Q_SLOTS:
    void refresh();

private:
    AppContext& m_ctx;
    QLabel* lblToday = nullptr;
    QLabel* lblLines[3] = {};
};

class TasksTab : public QWidget {
    Q_OBJECT
public:
    explicit TasksTab(AppContext& ctx, QWidget* parent = nullptr);

public Q_SLOTS:
    // Reloads the categories and the tasks of the chosen day.
    void refresh();

public:
    QDate shownDay() const { return m_day; }

Q_SIGNALS:
    void changed();

private:
    void build();
    void loadTasks();
    void chooseDay(const QDate& day);
    void showCurrent();
    void cmdSaveTask_Click();
    void cmdUndo_Click();
    void cmdOneTimeTask_Click();
    void cmdPrintTasks_Click();

    AppContext& m_ctx;
    QDate m_day;
    QComboBox* cboTaskCategory = nullptr;
    QRadioButton* optToday = nullptr;
    QRadioButton* optYesterday = nullptr;
    QRadioButton* optTaskDate = nullptr;
    QLineEdit* txtTaskDate = nullptr;
    DataGrid* grdTasks = nullptr;
    QCheckBox* chkDone = nullptr;
    QPlainTextEdit* txtTaskNotes = nullptr;
    QPushButton* cmdSaveTask = nullptr;
    QPushButton* cmdUndo = nullptr;
    QLineEdit* txtOneTimeDate = nullptr;
    QComboBox* cboOneTimeCategory = nullptr;
    QLineEdit* txtOneTimeDescription = nullptr;
    QComboBox* cboOneTimeInitials = nullptr;
    QPushButton* cmdOneTimeTask = nullptr;
};

class MastersTab : public QWidget {
    Q_OBJECT
public:
    explicit MastersTab(AppContext& ctx, QWidget* parent = nullptr);

public Q_SLOTS:
    void refresh();

public:
private:
    void build();
    void loadMasters();
    void showMaster(qint64 id);
    void cmdNewMaster_Click();
    void cmdSaveMaster_Click();
    void cmdDeleteMaster_Click();
    void cmdResequence_Click();
    void recurrenceChanged();

    AppContext& m_ctx;
    qint64 m_masterId = 0;
    DataGrid* grdMasters = nullptr;
    QComboBox* cboRecurrence = nullptr;
    QComboBox* cboMasterCategory = nullptr;
    QPlainTextEdit* txtMasterDescription = nullptr;
    QComboBox* cboMasterInitials = nullptr;
    QCheckBox* chkDays[7] = {};
    QComboBox* cboMonth = nullptr;
    QLineEdit* txtDay = nullptr;
    QLineEdit* txtSequence = nullptr;
    QComboBox* cboMessageGroup = nullptr;
    QLineEdit* txtMessageTime = nullptr;
};

class DiaryTab : public QWidget {
    Q_OBJECT
public:
    explicit DiaryTab(AppContext& ctx, QWidget* parent = nullptr);

public Q_SLOTS:
    void refresh();

public:
    // The colour the next saved note gets (the colour button's choice).
    void setNoteColor(const QColor& c);
    QColor noteColor() const { return NoteColor(m_color); }

Q_SIGNALS:
    void changed();

private:
    void build();
    void loadNotes();
    void showNote();
    void cmdNoteColor_Click();
    void cmdAddNote_Click();
    void cmdUpdateNote_Click();
    void cmdDeleteNote_Click();
    void cmdPrintDiary_Click();
    QDate diaryDay();

    AppContext& m_ctx;
    qint64 m_color = 0;
    QLineEdit* txtDiaryDate = nullptr;
    QComboBox* cboDiaryGroup = nullptr;
    QListWidget* lstNotes = nullptr;
    QPlainTextEdit* txtNoteText = nullptr;
    QPushButton* cmdNoteColor = nullptr;
    QLineEdit* txtStartDate = nullptr;
    QLineEdit* txtThroughDate = nullptr;
    QComboBox* cboRepeat = nullptr;
    QComboBox* cboWeekday = nullptr;
    QLineEdit* txtDayOfMonth = nullptr;
    QListWidget* lstGroupDiary = nullptr;
};

class DocumentsTab : public QWidget {
    Q_OBJECT
public:
    explicit DocumentsTab(AppContext& ctx, QWidget* parent = nullptr);

public Q_SLOTS:
    void refresh();

public:
    // Leaving an unread document the member opened: asks whether it was read.
    void leaveOpenedDocument();

Q_SIGNALS:
    void changed();

private:
    void build();
    void loadDocuments();
    void loadReaders();
    void cmdBrowseDoc_Click();
    void cmdAddDoc_Click();
    void cmdDeleteDoc_Click();
    void cmdOpenDoc_Click();
    void print(const QString& routine, const QString& title);

    AppContext& m_ctx;
    qint64 m_openedUnread = 0; // a document opened and not yet confirmed
    QRadioButton* optDocsAll = nullptr;
    QRadioButton* optDocsMine = nullptr;
    DataGrid* grdDocuments = nullptr;
    DataGrid* grdDocsRead = nullptr;
    QLineEdit* txtDocFile = nullptr;
    QLineEdit* txtDocDescription = nullptr;
    QLineEdit* txtDocEffective = nullptr;
    QLineEdit* txtDocExpiry = nullptr;
};

class ListsTab : public QWidget {
    Q_OBJECT
public:
    explicit ListsTab(AppContext& ctx, QWidget* parent = nullptr);

public Q_SLOTS:
    void refresh();

public:
private:
    void build();
    void loadCategories(qint64 select);
    void showCategory();
    void showRow();
    qint64 categoryId() const;
    void cmdNewCategory_Click();
    void cmdSaveCategory_Click();
    void cmdDeleteCategory_Click();
    void cmdNewRow_Click();
    void cmdSaveRow_Click();
    void cmdDeleteRow_Click();
    void cmdPrintList_Click();

    AppContext& m_ctx;
    bool m_newCategory = false;
    QComboBox* cboQVCategory = nullptr;
    QLineEdit* txtCategory = nullptr;
    QLineEdit* txtLabels[5] = {};
    QLineEdit* txtNotes = nullptr;
    QLineEdit* txtNotes2 = nullptr;
    DataGrid* grdQVData = nullptr;
    QLabel* lblData[5] = {};
    QLineEdit* txtData[5] = {};
};

class CalculatorTab : public QWidget {
    Q_OBJECT
public:
    explicit CalculatorTab(QWidget* parent = nullptr);
    const Calculator& calculator() const { return m_calc; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void press(const std::function<void(Calculator&)>& key);

    Calculator m_calc;
    QLineEdit* txtCalcDisplay = nullptr;
    QLabel* lblCalcMemory = nullptr;
};

} // namespace vm
