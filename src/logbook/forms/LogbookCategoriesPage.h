#pragma once
// The "Logbook Categories" page of the Administration tab: add, rename,
// merge into another category, delete, and the flags and texts of one category.

#include "core/AppContext.h"
#include "logbook/forms/frmDEFormD.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vm {

class LogbookCategoriesPage : public QWidget {
    Q_OBJECT
public:
    explicit LogbookCategoriesPage(AppContext& ctx, QWidget* parent = nullptr);

    void refresh();
    void cmdAdd_Click();
    void cmdRename_Click();
    void cmdReplace_Click();
    void cmdDelete_Click();
    void cmdSaveFlags_Click();
    // The selected category's data-entry design, in its editor.
    void cmdDesign_Click();
    // The selected category's custom printed form, in its designer.
    void cmdCustomForm_Click();
    // Rebuilds the hand-held synchronisation file for a period asked for.
    void cmdHostExtract_Click();

    // Opens preview windows (set by the logbook module when the build has them).
    ReportOpener openReport;
    // The selected category's tickler notes (set when the build has them).
    std::function<void(qint64 logTypeId, const QString& name, QWidget* parent)> openTicklers;
    void cmdTickler_Click();

    QListWidget* lstCategories;
    QLineEdit *txtCategory, *txtNewName, *txtDayLogs;
    QComboBox* cboReplaceWith;
    QCheckBox *chkRestricted, *chkIsReserved, *chkDNPItinerary, *chkReadOnly;
    QPlainTextEdit *txtConfirmation, *txtVendor, *txtCorrespondence;
    QPushButton *cmdAdd, *cmdRename, *cmdReplace, *cmdDelete, *cmdSaveFlags, *cmdDesign,
        *cmdCustomForm, *cmdHostExtract, *cmdTickler;

Q_SIGNALS:
    void categoriesChanged();

private:
    void showSelected();
    QString selectedName() const;
    qint64 selectedId() const;

    AppContext& m_ctx;
};

} // namespace vm
