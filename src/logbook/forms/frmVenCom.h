#pragma once
// The logbook report writer screen: criteria, the result grid with its
// description and totals, print, extract and erase (ReportWriter does the work).

#include "core/AppContext.h"
#include "logbook/ReportWriter.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vm {

class DataGrid;

class frmVenCom : public QWidget {
    Q_OBJECT
public:
    explicit frmVenCom(AppContext& ctx, QWidget* parent = nullptr);

    ReportCriteria criteria() const;

    QComboBox *cboCategory, *cboGroup, *cboConcierge, *cboConciergeGroup;
    std::array<QComboBox*, ReportLabelCount> cboLabels{};
    QLineEdit *txtFromDate, *txtThroughDate;
    QRadioButton *optReferDate, *optEntryDate;
    QRadioButton *optOpen, *optClosed, *optAll;
    QRadioButton *optCurrent, *optArchive;
    QCheckBox* chkNoCancels;
    QPushButton *cmdGetData, *cmdPrint, *cmdExport, *cmdEraseExtracts, *cmdClose;
    DataGrid* grdVenCom;
    QLabel *lblDescription, *lblCount;

private:
    void build();
    void fillLists();
    void categoryChosen();
    void getData();
    void print();
    void exportGrid();
    void eraseExtracts();
    void showResult(const ReportResult& result);
    void showDescription(const QString& sortColumn);
    // The grid as shown, total row last.
    QList<QStringList> shownRows() const;

    AppContext& m_ctx;
    QString m_description; // of the rows shown, without its ending
    QString m_byLabel;     // the first chosen label of the rows shown
};

} // namespace vm
