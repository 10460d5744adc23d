#include "guests/forms/frmCsvImport.h"

#include "core/DataAccess.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmCsvImport");
const QString Ignored = QStringLiteral("(ignore this column)");
const QString MsgStopped = QStringLiteral("The import was stopped.  Nothing was imported.");

} // namespace

frmCsvImport* frmCsvImport::Open(AppContext& ctx, ImportKind kind, QWidget* page,
                                 const std::function<void()>& refresh) {
    auto* f = new frmCsvImport(ctx, kind, page);
    f->setAttribute(Qt::WA_DeleteOnClose);
    if (refresh) connect(f, &frmCsvImport::imported, page, [refresh](int) { refresh(); });
    TrackSessionWindow(ctx, f);
    f->show();
    return f;
}

frmCsvImport::frmCsvImport(AppContext& ctx, ImportKind kind, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_import(kind) {
    setObjectName(FormName);
    setWindowTitle("Import " + m_import.title() + " from a CSV File");
    auto* top = new QVBoxLayout(this);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(cmdChooseFile = named(new QPushButton("&Choose File..."), "cmdChooseFile"));
    fileRow->addWidget(lblFile = named(new QLabel("No file chosen."), "lblFile"), 1);
    fileRow->addWidget(lblRows = named(new QLabel, "lblRows"));
    top->addLayout(fileRow);

    top->addWidget(new QLabel("Columns of the file and the fields they fill:"));
    grdMapping = named(new QTableWidget(0, 2), "grdMapping");
    grdMapping->setHorizontalHeaderLabels({"Column in File", "Field"});
    grdMapping->horizontalHeader()->setStretchLastSection(true);
    grdMapping->verticalHeader()->hide();
    grdMapping->setEditTriggers(QAbstractItemView::NoEditTriggers);
    top->addWidget(grdMapping, 2);

    top->addWidget(new QLabel("The first rows as they will be stored:"));
    top->addWidget(grdPreview = named(new DataGrid, "grdPreview"), 3);

    top->addWidget(new QLabel("Problems (the file is imported once there are none):"));
    top->addWidget(lstProblems = named(new QListWidget, "lstProblems"), 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdImport = named(new QPushButton("&Import"), "cmdImport"));
    buttons->addWidget(cmdCancel = named(new QPushButton("Cancel"), "cmdCancel"));
    top->addLayout(buttons);
    cmdImport->setEnabled(false);
    resize(760, 620);

    setTabOrder(cmdChooseFile, grdMapping);
    setTabOrder(grdMapping, grdPreview);
    setTabOrder(grdPreview, lstProblems);
    setTabOrder(lstProblems, cmdImport);
    setTabOrder(cmdImport, cmdCancel);

    connect(cmdChooseFile, &QPushButton::clicked, this, &frmCsvImport::cmdChooseFile_Click);
    connect(cmdImport, &QPushButton::clicked, this, &frmCsvImport::cmdImport_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
}

frmCsvImport::~frmCsvImport() = default;

void frmCsvImport::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

void frmCsvImport::cmdChooseFile_Click() {
    const QString startAt = m_file.isEmpty() ? m_ctx.workstation.outputFolder() : m_file;
    const QString path = m_ctx.desktop().chooseOpenFile(
        "Choose the " + m_import.title() + " file to import", startAt,
        "Comma-separated files (*.csv *.txt);;All files (*)");
    if (path.isEmpty()) return;
    bool loaded = false;
    {
        WaitCursor wait;
        loaded = m_import.load(path);
    }
    m_file = loaded ? path : QString();
    lblFile->setText(loaded ? QDir::toNativeSeparators(path) : QStringLiteral("No file chosen."));
    lblRows->setText(loaded ? QString::number(m_import.rowCount()) + " rows" : QString());
    showMapping();
    if (!loaded) {
        lstProblems->clear();
        grdPreview->clearRows();
        cmdImport->setEnabled(false);
        m_ctx.prompt().message(m_import.error(), {}, Icon::Exclamation);
        return;
    }
    check();
}

void frmCsvImport::showMapping() {
    grdMapping->setRowCount(0);
    const QStringList& header = m_import.header();
    grdMapping->setRowCount(int(header.size()));
    for (int col = 0; col < header.size(); ++col) {
        grdMapping->setItem(col, 0, new QTableWidgetItem(header[col]));
        auto* box = new QComboBox;
        box->setObjectName("cboField_" + QString::number(col));
        box->addItem(Ignored, QString());
        for (const ImportField& f : m_import.fields())
            box->addItem(f.caption + (f.required ? " *" : ""), f.key);
        box->setCurrentIndex(std::max(0, box->findData(m_import.mapping().value(col))));
        connect(box, &QComboBox::currentIndexChanged, this,
                [this, box, col] { mappingChanged(col, box->currentData().toString()); });
        grdMapping->setCellWidget(col, 1, box);
    }
    grdMapping->resizeColumnToContents(0);
}

void frmCsvImport::mappingChanged(int column, const QString& key) {
    m_import.setMapping(column, key);
    check();
}

void frmCsvImport::withProgress(const QString& label,
                                const std::function<void(const ImportProgress&)>& work) {
    if (m_import.rowCount() <= ProgressFrom) {
        WaitCursor wait;
        work({});
        return;
    }
    QProgressDialog progress(label, "Stop", 0, m_import.rowCount(), this);
    progress.setObjectName("dlgProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    // A modal progress dialog keeps the window painting while the rows go by.
    work([&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        return !progress.wasCanceled();
    });
}

void frmCsvImport::check() {
    lstProblems->clear();
    grdPreview->clearRows();
    cmdImport->setEnabled(false);
    if (m_file.isEmpty()) return;
    try {
        withProgress("Checking the rows of the file...",
                     [this](const ImportProgress& p) { m_import.validate(m_ctx, p); });
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "CheckImport", FormName, true);
        return;
    }
    for (const ImportProblem& p : m_import.problems())
        lstProblems->addItem(p.text());
    grdPreview->setHeaders(m_import.previewHeaders());
    qint64 key = 0;
    for (const QStringList& cells : m_import.preview(CsvImport::PreviewRows))
        grdPreview->setRow(++key, cells);
    cmdImport->setEnabled(m_import.ready());
}

void frmCsvImport::cmdImport_Click() {
    if (!m_import.ready()) return;
    Prompt& prompt = m_ctx.prompt();
    ImportOutcome out;
    try {
        withProgress("Importing the " + m_import.title() + "...",
                     [&](const ImportProgress& p) { out = m_import.write(m_ctx, p); });
    } catch (const DbError& e) {
        ReportError(prompt, e, "cmdImport_Click", FormName, true);
        return;
    }
    if (out.cancelled) {
        prompt.message(MsgStopped);
        return;
    }
    if (!out.problems.empty()) {
        // Another desk may have stored a clashing record since the check.
        lstProblems->clear();
        for (const ImportProblem& p : out.problems)
            lstProblems->addItem(p.text());
        cmdImport->setEnabled(false);
        prompt.message(out.problems.front().text() + "\r\nNothing was imported.", {},
                       Icon::Exclamation);
        return;
    }
    prompt.message(MsgImported(m_import.kind(), out.imported));
    Q_EMIT imported(out.imported);
    close();
}

} // namespace vm
