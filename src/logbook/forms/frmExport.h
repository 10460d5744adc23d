#pragma once
// The logbook export screen: criteria, saved definitions, the output file
// and the export itself (LogbookExport does the work).

#include "core/AppContext.h"
#include "logbook/LogbookExport.h"

#include <QDialog>
#include <QHash>
#include <QSet>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace vm {

class frmExport : public QDialog {
    Q_OBJECT
public:
    frmExport(AppContext& ctx, const QString& preselectCategory = {}, QWidget* parent = nullptr);

    ExportCriteria criteria() const;
    void setCriteria(const ExportCriteria& c);

    void cmdSaveDef_Click();
    void cmdDeleteDef_Click();
    void cmdBrowse_Click();
    // Answers the number of entries written (0 when nothing was written).
    qint64 cmdExport_Click();

    QTreeWidget* tvCriteria;
    QComboBox* cboDefinitions;
    QPushButton *cmdSaveDef, *cmdDeleteDef;
    QListWidget *lstCategories, *lstItems, *lstProfileTypes, *lstStaff, *lstGroups;
    QComboBox *cboDateType, *cboStatus, *cboCancelled;
    QDateEdit *dtpFrom, *dtpTo;
    QRadioButton *optCurrent, *optArchive;
    QComboBox *cboSort1, *cboSort2, *cboSort3, *cboOrder1, *cboOrder2, *cboOrder3;
    QLineEdit* txtOutputFile;
    QPushButton *cmdBrowse, *cmdExport, *cmdClose;

private:
    void build();
    void fillLists();
    void loadDefinitions(qint64 select = 0);
    void definitionChosen();
    void categoryChosen();
    void showItems();
    void refreshTree();
    qint64 currentDefinition() const;
    // Asks about an existing file or a missing folder; false when the user declines.
    bool acceptOutputFile(QString& file, bool fromDialog);

    AppContext& m_ctx;
    QHash<qint64, QSet<qint64>> m_items; // chosen design items per category
    bool m_filling = false;
};

} // namespace vm
