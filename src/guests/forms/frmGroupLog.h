#pragma once
// The logbook entry templates of a group: each names a category, a reference
// date and time, and the values of the category's data-entry panel that the
// members' entries start with.

#include "core/AppContext.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vm {

class DesignFieldsPanel;

class frmGroupLog : public QDialog {
    Q_OBJECT
public:
    frmGroupLog(AppContext& ctx, qint64 groupId, const QString& groupName,
                QWidget* parent = nullptr);
    void refresh();
    // Shows a saved template (a click in the list).
    void showTemplate(qint64 groupLogId);
    qint64 currentTemplate() const { return m_templateId; }

    QListWidget* lstTemplates;
    QLineEdit *txtLogName, *txtReferDate, *txtReferTime;
    QComboBox* cboEntryType;
    DesignFieldsPanel* design;
    QPlainTextEdit* txtLogData; // the whole data-entry text
    QPushButton *cmdSave, *cmdDelete, *cmdNew, *cmdClose;

private:
    void categoryChosen();
    bool cmdSave_Click();
    void cmdDelete_Click();
    void cmdNew_Click();

    AppContext& m_ctx;
    qint64 m_groupId;
    qint64 m_templateId = 0;
};

} // namespace vm
