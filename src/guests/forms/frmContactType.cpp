#include "guests/forms/frmContactType.h"

#include "core/DataAccess.h"
#include "guests/ContactTypes.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmContactType");
}

frmContactType::frmContactType(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    setWindowTitle("Maintain Contact Types");

    auto* top = new QVBoxLayout(this);
    top->addWidget(grdTypes = named(new DataGrid, "grdTypes"), 1);
    grdTypes->setHeaders({"Order", "Contact Type", "Type of Type"});
    grdTypes->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdTypes->setSelectionMode(QAbstractItemView::SingleSelection);
    top->addWidget(cmdResequence = named(new QPushButton("Resequence the List"), "cmdResequence"));

    auto* fields = new QFormLayout;
    txtDescription = makeLineEdit(this, "txtDescription");
    txtSequence = makeLineEdit(this, "txtSequence", false, 5);
    txtSequence->setValidator(new QIntValidator(1, 99999, txtSequence));
    fields->addRow(named(new QLabel("Type Description:"), "lblDescription"), txtDescription);
    fields->addRow(named(new QLabel("Display Sequence Number:"), "lblSequence"), txtSequence);
    top->addLayout(fields);

    auto* kinds = named(new QGroupBox("Type of Contact Type"), "fraKind");
    auto* kindLayout = new QVBoxLayout(kinds);
    auto* group = new QButtonGroup(this);
    for (auto [button, text, name] : {std::tuple{&optTelephone, "Telephone Number", "optTelephone"},
                                      std::tuple{&optEmail, "E-Mail Address", "optEmail"},
                                      std::tuple{&optInternet, "Internet Address", "optInternet"},
                                      std::tuple{&optOther, "Other Contact Type", "optOther"}}) {
        *button = named(new QRadioButton(text), name);
        group->addButton(*button);
        kindLayout->addWidget(*button);
    }
    top->addWidget(kinds);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSave = named(new QPushButton("&Save"), "cmdSave"));
    buttons->addWidget(cmdClear = named(new QPushButton("C&lear"), "cmdClear"));
    buttons->addWidget(cmdDelete = named(new QPushButton("&Delete"), "cmdDelete"));
    buttons->addStretch();
    buttons->addWidget(cmdClose = named(new QPushButton("&Close"), "cmdClose"));
    top->addLayout(buttons);

    connect(grdTypes->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showType(grdTypes->currentKey()); });
    connect(cmdSave, &QPushButton::clicked, this, &frmContactType::cmdSave_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmContactType::cmdClear_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmContactType::cmdDelete_Click);
    connect(cmdResequence, &QPushButton::clicked, this, &frmContactType::cmdResequence_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
    cmdDelete->setEnabled(false);
}

void frmContactType::refresh(qint64 selectId) {
    QSignalBlocker quiet(grdTypes->selectionModel());
    grdTypes->clearRows();
    try {
        for (const ContactTypeRow& t : GetContactTypes(m_ctx))
            grdTypes->setRow(t.id,
                             {QString::number(t.sequence), t.name, ContactTypeKindName(t.kind)});
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetContactTypes", FormName, true);
    }
    if (selectId) grdTypes->selectKey(selectId);
}

void frmContactType::showType(qint64 id) {
    m_typeId = 0;
    cmdDelete->setEnabled(false);
    if (id == 0) return;
    try {
        for (const ContactTypeRow& t : GetContactTypes(m_ctx)) {
            if (t.id != id) continue;
            m_typeId = id;
            txtDescription->setText(t.name);
            txtSequence->setText(QString::number(t.sequence));
            optTelephone->setChecked(t.kind == "T");
            optEmail->setChecked(t.kind == "E");
            optInternet->setChecked(t.kind == "I");
            optOther->setChecked(t.kind == "O");
            // Types the lobby-display interface needs stay.
            cmdDelete->setEnabled(!IsProtectedContactType(m_ctx, t.name));
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetContactTypes", FormName, true);
    }
}

QString frmContactType::chosenKind() const {
    // The kind letter is the first letter of the chosen option.
    for (const QRadioButton* o : {optTelephone, optEmail, optInternet, optOther})
        if (o->isChecked()) return o->text().left(1);
    return {};
}

void frmContactType::cmdSave_Click() {
    ContactTypeRow t{m_typeId, txtDescription->text(), chosenKind(),
                     txtSequence->text().trimmed().toInt()};
    const QString refusal = CheckContactType(t);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    try {
        // A type deleted meanwhile is stored again rather than lost.
        if (t.id == 0 || !UpdateType(m_ctx, t)) t.id = InsertType(m_ctx, t);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdSave_Click", FormName, true);
        return;
    }
    m_changed = true;
    refresh();
    cmdClear_Click();
}

void frmContactType::cmdClear_Click() {
    m_typeId = 0;
    grdTypes->clearSelection();
    txtDescription->clear();
    txtSequence->clear();
    for (QRadioButton* o : {optTelephone, optEmail, optInternet, optOther}) {
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
    }
    cmdDelete->setEnabled(false);
}

void frmContactType::cmdDelete_Click() {
    if (m_typeId == 0) return;
    try {
        const int uses = CountTypeUse(m_ctx, m_typeId);
        const QString question = uses > 0 ? ContactTypeInUseQuestion(uses) : MsgDeleteType;
        if (m_ctx.prompt().ask(question, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
            Answer::Yes)
            return;
        DeleteType(m_ctx, m_typeId);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdDelete_Click", FormName, true);
        return;
    }
    m_changed = true;
    refresh();
    cmdClear_Click();
}

void frmContactType::cmdResequence_Click() {
    try {
        ResequenceTypes(m_ctx);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdResequence_Click", FormName, true);
        return;
    }
    m_changed = true;
    refresh(m_typeId);
    if (m_typeId) showType(m_typeId);
}

bool MaintainContactTypes(AppContext& ctx, QWidget* parent) {
    frmContactType dialog(ctx, parent);
    dialog.exec();
    return dialog.typesChanged();
}

} // namespace vm
