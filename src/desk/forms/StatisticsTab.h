#pragma once
// The quick viewer's "Statistics" tab: a view, its year or date range, a
// category and the date the entries are counted on; the counts as a table
// and as a bar chart; the table exported to a CSV file.

#include "core/AppContext.h"
#include "desk/Statistics.h"

#include <QChartView>
#include <QWidget>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vm {

class DataGrid;

class StatisticsTab : public QWidget {
    Q_OBJECT
public:
    explicit StatisticsTab(AppContext& ctx, QWidget* parent = nullptr);

    // Reloads the category list (the categories may have changed since).
    void loadCategories();
    // The table shown, if any.
    const std::optional<StatTable>& table() const { return m_table; }

private:
    void build();
    void cboStatView_Change();
    void cmdStatRun_Click();
    void cmdStatExport_Click();
    // The rights of the graphs; shows the refusal and answers false.
    bool mayUse();
    // The request read from the controls; a refusal is shown and nothing answered.
    std::optional<StatRequest> readRequest();
    void show(const StatTable& table);
    void drawChart(const StatTable& table);

    AppContext& m_ctx;
    QComboBox* cboStatView = nullptr;
    QLineEdit* txtStatYear = nullptr;
    QLineEdit* txtStatFrom = nullptr;
    QLineEdit* txtStatThrough = nullptr;
    QComboBox* cboStatCategory = nullptr;
    QRadioButton* optReferDate = nullptr;
    QRadioButton* optEntryDate = nullptr;
    QCheckBox* chkStatArchive = nullptr;
    QPushButton* cmdStatRun = nullptr;
    QPushButton* cmdStatExport = nullptr;
    DataGrid* grdStats = nullptr;
    QChartView* chartStats = nullptr;
    std::optional<StatTable> m_table;
};

} // namespace vm
