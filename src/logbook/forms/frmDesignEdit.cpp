#include "logbook/forms/frmDesignEdit.h"

#include "core/DataAccess.h"
#include "logbook/Categories.h"
#include "logbook/EntryRules.h"
#include "platform/forms/FormHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmDesignEdit");

bool& markerOf(DesignLine& l, int column) {
    switch (column) {
    case frmDesignEdit::ColNumbers:
        return l.numbersOnly;
    case frmDesignEdit::ColDoNotPrint:
        return l.doNotPrint;
    case frmDesignEdit::ColContact:
        return l.contact2DE;
    default:
        return l.locked;
    }
}

bool markerOf(const DesignLine& l, int column) {
    return markerOf(const_cast<DesignLine&>(l), column);
}

} // namespace

frmDesignEdit::frmDesignEdit(AppContext& ctx, qint64 logTypeId, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_logTypeId(logTypeId) {
    setObjectName(FormName);
    try {
        if (const auto c = GetLogTypeFlags(ctx.db(), logTypeId)) m_category = c->name;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "Form_Load", FormName, true);
    }
    setWindowTitle("Data Entry Design - " + m_category);
    build();
    refresh();
}

void frmDesignEdit::build() {
    auto* top = new QVBoxLayout(this);
    grdDesign = named(new QTableWidget(MaxDesignLines, ColumnCount), "grdDesign");
    grdDesign->setHorizontalHeaderLabels({"Label", "0-9", "DnP", "C2DE", "Locked"});
    grdDesign->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdDesign->setSelectionMode(QAbstractItemView::SingleSelection);
    grdDesign->horizontalHeader()->setSectionResizeMode(ColLabel, QHeaderView::Stretch);
    for (int c = ColNumbers; c < ColumnCount; ++c)
        grdDesign->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    top->addWidget(grdDesign, 1);

    lblLocked = named(new QLabel, "lblLocked");
    lblLocked->setStyleSheet("color: red");
    top->addWidget(lblLocked);

    auto* adding = new QHBoxLayout;
    adding->addWidget(new QLabel("New Label:"));
    adding->addWidget(txtLabel = makeLineEdit(this, "txtLabel"), 1);
    adding->addWidget(cmdAdd = named(new QPushButton("&Add"), "cmdAdd"));
    adding->addWidget(cmdRemove = named(new QPushButton("&Remove"), "cmdRemove"));
    adding->addWidget(cmdMoveUp = named(new QPushButton("Move &Up"), "cmdMoveUp"));
    adding->addWidget(cmdMoveDown = named(new QPushButton("Move &Down"), "cmdMoveDown"));
    top->addLayout(adding);

    auto* cloning = new QHBoxLayout;
    cloning->addWidget(new QLabel("Clone the Design of:"));
    cloning->addWidget(cboCloneFrom = named(new QComboBox, "cboCloneFrom"), 1);
    cloning->addWidget(cmdClone = named(new QPushButton("&Clone"), "cmdClone"));
    top->addLayout(cloning);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave = named(new QPushButton("&Save"), "cmdSave"));
    buttons->addWidget(cmdClose = named(new QPushButton("C&lose"), "cmdClose"));
    top->addLayout(buttons);

    connect(grdDesign, &QTableWidget::itemChanged, this, &frmDesignEdit::gridItemChanged);
    connect(txtLabel, &QLineEdit::returnPressed, this, &frmDesignEdit::cmdAdd_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &frmDesignEdit::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmDesignEdit::cmdRemove_Click);
    connect(cmdMoveUp, &QPushButton::clicked, this, &frmDesignEdit::cmdMoveUp_Click);
    connect(cmdMoveDown, &QPushButton::clicked, this, &frmDesignEdit::cmdMoveDown_Click);
    connect(cmdClone, &QPushButton::clicked, this, &frmDesignEdit::cmdClone_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &frmDesignEdit::cmdClose_Click);
}

void frmDesignEdit::refresh() {
    m_lines.clear();
    QStringList labelsInUse;
    cboCloneFrom->clear();
    try {
        Database& db = m_ctx.db();
        m_lines = GetDEEditDefinition(db, m_logTypeId);
        m_locked = IsDesignLocked(db, m_logTypeId);
        labelsInUse = GetUniqueDEs(db);
        for (const auto& [id, name] : GetCloneCandidates(db))
            if (id != m_logTypeId) cboCloneFrom->addItem(name, id);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetDEEditDefinition", FormName, true);
    }
    // A design stored with more lines than the grid has shows (and keeps) its first 15.
    m_lines.resize(MaxDesignLines);
    if (QCompleter* old = txtLabel->completer()) old->deleteLater();
    auto* completer = new QCompleter(labelsInUse, txtLabel);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    txtLabel->setCompleter(completer);

    const bool lockedLines =
        std::any_of(m_lines.begin(), m_lines.end(), [](const DesignLine& l) { return l.locked; });
    lblLocked->setText(lockedLines ? MsgLabelsLocked : m_locked ? MsgCategoryLocked : QString());
    lblLocked->setVisible(m_locked);
    for (QWidget* w : {static_cast<QWidget*>(txtLabel), static_cast<QWidget*>(cboCloneFrom),
                       static_cast<QWidget*>(cmdAdd), static_cast<QWidget*>(cmdRemove),
                       static_cast<QWidget*>(cmdMoveUp), static_cast<QWidget*>(cmdMoveDown),
                       static_cast<QWidget*>(cmdClone), static_cast<QWidget*>(cmdSave)})
        w->setEnabled(!m_locked);
    m_dirty = false;
    showLines();
}

void frmDesignEdit::showLines() {
    m_showing = true;
    for (int r = 0; r < MaxDesignLines; ++r) {
        const DesignLine& l = m_lines[r];
        const bool editable = !m_locked && !l.locked;
        auto* label = new QTableWidgetItem(l.label);
        label->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                        (editable ? Qt::ItemIsEditable : Qt::NoItemFlags));
        if (l.locked) label->setForeground(Qt::red);
        grdDesign->setItem(r, ColLabel, label);
        for (int c = ColNumbers; c < ColumnCount; ++c) {
            auto* marker = new QTableWidgetItem;
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            // The lock belongs to whoever locked the line, not to the property's editor.
            if (editable && !l.isEmpty() && c != ColLocked) flags |= Qt::ItemIsUserCheckable;
            marker->setFlags(flags);
            if (!l.isEmpty()) marker->setCheckState(markerOf(l, c) ? Qt::Checked : Qt::Unchecked);
            if (l.locked) marker->setForeground(Qt::red);
            grdDesign->setItem(r, c, marker);
        }
    }
    m_showing = false;
}

void frmDesignEdit::gridItemChanged(QTableWidgetItem* item) {
    if (m_showing || !item) return;
    const int r = item->row(), c = item->column();
    if (r < 0 || r >= MaxDesignLines || m_locked || m_lines[r].locked) return;
    DesignLine& l = m_lines[r];
    if (c == ColLabel) {
        const QString label = NormaliseLabel(item->text());
        if (label == l.label) return;
        // A label wiped out removes its line (and its markers) on save.
        if (label.isEmpty())
            l = DesignLine{};
        else
            l.label = label;
        m_dirty = true;
        showLines();
        return;
    }
    const bool checked = item->checkState() == Qt::Checked;
    if (l.isEmpty() || c == ColLocked || markerOf(l, c) == checked) return;
    markerOf(l, c) = checked;
    m_dirty = true;
}

int frmDesignEdit::currentLine() const {
    const int r = grdDesign->currentRow();
    return r >= 0 && r < MaxDesignLines ? r : -1;
}

bool frmDesignEdit::refusedLocked() {
    if (!m_locked) return false;
    m_ctx.prompt().message(MsgCategoryLocked);
    return true;
}

void frmDesignEdit::cmdAdd_Click() {
    if (refusedLocked()) return;
    const QString label = NormaliseLabel(txtLabel->text());
    if (label.isEmpty()) {
        m_ctx.prompt().message(MsgEmptyLabel);
        return;
    }
    const auto free = std::find_if(m_lines.begin(), m_lines.end(),
                                   [](const DesignLine& l) { return l.isEmpty(); });
    if (free == m_lines.end()) {
        m_ctx.prompt().message(MsgDesignFull);
        return;
    }
    *free = DesignLine{};
    free->label = label;
    m_dirty = true;
    showLines();
    txtLabel->clear();
    grdDesign->setCurrentCell(int(free - m_lines.begin()), ColLabel);
}

void frmDesignEdit::cmdRemove_Click() {
    if (refusedLocked()) return;
    const int r = currentLine();
    if (r < 0 || m_lines[r].isEmpty()) return;
    m_lines.erase(m_lines.begin() + r);
    m_lines.resize(MaxDesignLines);
    m_dirty = true;
    showLines();
    grdDesign->setCurrentCell(r, ColLabel);
}

void frmDesignEdit::moveCurrent(int by) {
    if (refusedLocked()) return;
    const int r = currentLine();
    const int to = r + by;
    if (r < 0 || to < 0 || to >= MaxDesignLines || m_lines[r].isEmpty()) return;
    std::swap(m_lines[r], m_lines[to]);
    m_dirty = true;
    showLines();
    grdDesign->setCurrentCell(to, ColLabel);
}

void frmDesignEdit::cmdMoveUp_Click() {
    moveCurrent(-1);
}

void frmDesignEdit::cmdMoveDown_Click() {
    moveCurrent(1);
}

void frmDesignEdit::cmdClone_Click() {
    if (refusedLocked() || cboCloneFrom->currentIndex() < 0) return;
    std::vector<DesignLine> copy;
    try {
        copy = GetDEEditDefinition(m_ctx.db(), cboCloneFrom->currentData().toLongLong());
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdClone_Click", FormName, true);
        return;
    }
    // The copies are new lines of this category: no ids (no relabelling) and no lock.
    for (DesignLine& l : copy) {
        l.designId = 0;
        l.locked = false;
    }
    copy.resize(MaxDesignLines);
    m_lines = copy;
    m_dirty = true;
    showLines();
}

bool frmDesignEdit::cmdSave_Click() {
    QString refusal;
    try {
        WaitCursor wait;
        refusal = SaveDesign(m_ctx, m_logTypeId, m_lines);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdSave_Click", FormName, true);
        return false;
    }
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return false;
    }
    m_saved = true;
    refresh(); // the new lines' ids
    Q_EMIT designChanged();
    return true;
}

void frmDesignEdit::cmdClose_Click() {
    reject();
}

void frmDesignEdit::reject() {
    if (m_dirty && !m_locked && m_ctx.prompt().ask(MsgSaveChanges) == Answer::Yes &&
        !cmdSave_Click())
        return; // a refused save keeps the editor open with the changes
    m_dirty = false;
    QDialog::reject();
}

void frmDesignEdit::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (m_locked && !m_lockedTold) {
        m_lockedTold = true;
        m_ctx.prompt().message(MsgCategoryLocked);
    }
}

} // namespace vm
