#pragma once
// The import of a comma-separated file of contacts, events or guest profiles:
// the file, the mapping of its columns to the record's fields, a preview of
// the rows as they will be stored, the problems found, and the import itself.

#include "core/AppContext.h"
#include "guests/import/CsvImport.h"

#include <QWidget>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace vm {

class DataGrid;

class frmCsvImport : public QWidget {
    Q_OBJECT
public:
    frmCsvImport(AppContext& ctx, ImportKind kind, QWidget* parent = nullptr);
    ~frmCsvImport() override;

    // Opens the import as a window of `page`; `refresh` runs after rows were written.
    static frmCsvImport* Open(AppContext& ctx, ImportKind kind, QWidget* page,
                              const std::function<void()>& refresh);

    // Rows above this count are checked and written under a progress dialog.
    static constexpr int ProgressFrom = 200;

Q_SIGNALS:
    // Rows were written; the page's list shows them after this.
    void imported(int count);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void cmdChooseFile_Click();
    void cmdImport_Click();
    void showMapping();
    void mappingChanged(int column, const QString& key);
    // Checks the rows against the mapping and shows the outcome.
    void check();
    // Runs `work` under a progress dialog for a big file, else under the wait cursor.
    void withProgress(const QString& label, const std::function<void(const ImportProgress&)>& work);

    AppContext& m_ctx;
    CsvImport m_import;
    QString m_file;
    QPushButton *cmdChooseFile, *cmdImport, *cmdCancel;
    QLabel *lblFile, *lblRows;
    QTableWidget* grdMapping;
    DataGrid* grdPreview;
    QListWidget* lstProblems;
};

} // namespace vm
