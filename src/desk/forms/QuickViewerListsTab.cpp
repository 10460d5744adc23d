// The "Lists" page: the quick-reference lists, a small card index of up to
// five labelled columns per category.  Changing categories or their rows
// needs the categories right.

#include "desk/QuickViewer.h"
#include "desk/QuickViewerRights.h"
#include "desk/forms/QuickViewerTabs.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

ListsTab::ListsTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabLists");
    build();
}

void ListsTab::build() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    cboQVCategory = named(new QComboBox(this), "cboQVCategory");
    cboQVCategory->setMinimumWidth(220);
    top->addWidget(new QLabel("Category:", this));
    top->addWidget(cboQVCategory);
    top->addStretch();
    top->addWidget(QvButton(this, "cmdPrintList", "Print", [this] { cmdPrintList_Click(); }));
    layout->addLayout(top);

    grdQVData = named(new DataGrid(this), "grdQVData");
    layout->addWidget(grdQVData, 1);

    auto* rowBox = new QGroupBox("Data", this);
    auto* rowLayout = new QGridLayout(rowBox);
    for (int i = 0; i < 5; ++i) {
        lblData[i] = named(new QLabel(rowBox), QString("lblData%1").arg(i + 1));
        txtData[i] = makeLineEdit(rowBox, QString("txtData%1").arg(i + 1), false, 255);
        rowLayout->addWidget(lblData[i], 0, i);
        rowLayout->addWidget(txtData[i], 1, i);
    }
    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(QvButton(rowBox, "cmdNewRow", "New", [this] { cmdNewRow_Click(); }));
    rowButtons->addWidget(QvButton(rowBox, "cmdSaveRow", "Save", [this] { cmdSaveRow_Click(); }));
    rowButtons->addWidget(
        QvButton(rowBox, "cmdDeleteRow", "Delete", [this] { cmdDeleteRow_Click(); }));
    rowButtons->addStretch();
    rowLayout->addLayout(rowButtons, 2, 0, 1, 5);
    layout->addWidget(rowBox);

    auto* catBox = new QGroupBox("Category", this);
    auto* catLayout = new QGridLayout(catBox);
    txtCategory = makeLineEdit(catBox, "txtCategory", false, 50);
    catLayout->addWidget(new QLabel("Name:", catBox), 0, 0);
    catLayout->addWidget(txtCategory, 0, 1, 1, 2);
    for (int i = 0; i < 5; ++i) {
        txtLabels[i] = makeLineEdit(catBox, QString("txtLabel%1").arg(i + 1), false, 50);
        catLayout->addWidget(new QLabel(QString("Label %1:").arg(i + 1), catBox), 1 + i / 3,
                             3 + 2 * (i % 3));
        catLayout->addWidget(txtLabels[i], 1 + i / 3, 4 + 2 * (i % 3));
    }
    txtNotes = makeLineEdit(catBox, "txtNotes", false, 255);
    txtNotes2 = makeLineEdit(catBox, "txtNotes2", false, 255);
    catLayout->addWidget(new QLabel("Notes:", catBox), 3, 0);
    catLayout->addWidget(txtNotes, 3, 1, 1, 8);
    catLayout->addWidget(txtNotes2, 4, 1, 1, 8);
    auto* catButtons = new QHBoxLayout;
    catButtons->addWidget(
        QvButton(catBox, "cmdNewCategory", "New", [this] { cmdNewCategory_Click(); }));
    catButtons->addWidget(
        QvButton(catBox, "cmdSaveCategory", "Save", [this] { cmdSaveCategory_Click(); }));
    catButtons->addWidget(
        QvButton(catBox, "cmdDeleteCategory", "Delete", [this] { cmdDeleteCategory_Click(); }));
    catButtons->addStretch();
    catLayout->addLayout(catButtons, 5, 0, 1, 9);
    layout->addWidget(catBox);

    connect(cboQVCategory, &QComboBox::currentIndexChanged, this, [this] { showCategory(); });
    OnCurrentRow(grdQVData, this, [this] { showRow(); });
}

void ListsTab::refresh() {
    loadCategories(categoryId());
}

qint64 ListsTab::categoryId() const {
    return cboQVCategory->currentData().toLongLong();
}

void ListsTab::loadCategories(qint64 select) {
    {
        QSignalBlocker quiet(cboQVCategory);
        cboQVCategory->clear();
        for (const auto& [id, name] : GetQVCategories(m_ctx))
            cboQVCategory->addItem(name, id);
        cboQVCategory->setCurrentIndex(std::max(0, cboQVCategory->findData(select)));
    }
    showCategory();
}

void ListsTab::showCategory() {
    m_newCategory = false;
    const auto category = GetQVCategory(m_ctx, categoryId());
    QVCategory c = category.value_or(QVCategory{});
    txtCategory->setText(c.category);
    QStringList headers;
    for (int i = 0; i < 5; ++i) {
        txtLabels[i]->setText(c.labels[i]);
        lblData[i]->setText(c.labels[i]);
        txtData[i]->setEnabled(!c.labels[i].trimmed().isEmpty());
        txtData[i]->clear();
        headers << c.labels[i];
    }
    txtNotes->setText(c.notes);
    txtNotes2->setText(c.notes2);
    QSignalBlocker quiet(grdQVData->selectionModel());
    grdQVData->clearRows();
    grdQVData->setHeaders(headers);
    for (int i = 0; i < 5; ++i)
        grdQVData->setColumnHidden(i, c.labels[i].trimmed().isEmpty());
    if (!category) return;
    for (const QVRow& r : GetQVDataByCategory(m_ctx, c.id))
        grdQVData->setRow(r.id, {r.data[0], r.data[1], r.data[2], r.data[3], r.data[4]});
}

void ListsTab::showRow() {
    const qint64 id = grdQVData->currentKey();
    for (int shown = 0; shown < grdQVData->rowCount(); ++shown)
        if (grdQVData->keyAt(shown) == id)
            for (int i = 0; i < 5; ++i)
                txtData[i]->setText(grdQVData->cell(shown, i));
}

void ListsTab::cmdNewCategory_Click() {
    m_newCategory = true;
    for (QLineEdit* box : {txtCategory, txtNotes, txtNotes2})
        box->clear();
    for (QLineEdit* box : txtLabels)
        box->clear();
    txtCategory->setFocus();
}

void ListsTab::cmdSaveCategory_Click() {
    if (!QvMayOrSay(m_ctx, QvFeature::Categories)) return;
    QVCategory c;
    c.id = m_newCategory ? 0 : categoryId();
    c.category = txtCategory->text().trimmed();
    for (int i = 0; i < 5; ++i)
        c.labels[i] = txtLabels[i]->text().trimmed();
    c.notes = txtNotes->text().trimmed();
    c.notes2 = txtNotes2->text().trimmed();
    const QString refusal = SaveQVCategory(m_ctx, c);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        return;
    }
    loadCategories(c.id);
}

void ListsTab::cmdDeleteCategory_Click() {
    const qint64 id = categoryId();
    if (!id || !QvMayOrSay(m_ctx, QvFeature::Categories)) return;
    const int rows = CountQVData(m_ctx, id);
    const QString question = rows > 0 ? MsgQVDeleteWithRows(rows) : MsgDeleteQvCategory;
    if (m_ctx.prompt().ask(question, {}, Buttons::YesNo, Icon::Question, Answer::No) != Answer::Yes)
        return;
    DeleteQVCategory(m_ctx, id);
    loadCategories(0);
}

void ListsTab::cmdNewRow_Click() {
    grdQVData->clearSelection();
    grdQVData->setCurrentIndex({});
    for (QLineEdit* box : txtData)
        box->clear();
}

void ListsTab::cmdSaveRow_Click() {
    if (!categoryId()) {
        m_ctx.prompt().message(MsgSelectQvCategory, {}, Icon::Exclamation);
        return;
    }
    if (!QvMayOrSay(m_ctx, QvFeature::Categories)) return;
    QVRow row;
    row.id = grdQVData->currentKey();
    row.categoryId = categoryId();
    for (int i = 0; i < 5; ++i)
        row.data[i] = txtData[i]->text().trimmed();
    SaveQVData(m_ctx, row);
    showCategory();
    grdQVData->selectKey(row.id);
}

void ListsTab::cmdDeleteRow_Click() {
    const qint64 id = grdQVData->currentKey();
    if (!id || !QvMayOrSay(m_ctx, QvFeature::Categories)) return;
    if (m_ctx.prompt().ask(MsgDeleteQvRow, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    DeleteQVData(m_ctx, id);
    showCategory();
}

void ListsTab::cmdPrintList_Click() {
    if (!categoryId()) {
        m_ctx.prompt().message(MsgSelectQvCategory, {}, Icon::Exclamation);
        return;
    }
    QvPrint(m_ctx, this, "PrintQVList", "Quick Viewer", {{"categoryId", categoryId()}});
}

} // namespace vm
