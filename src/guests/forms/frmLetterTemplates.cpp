#include "guests/forms/frmLetterTemplates.h"

#include "core/DataAccess.h"
#include "core/LongText.h"
#include "guests/OtherLists.h"
#include "guests/forms/ProfileTabsUi.h"
#include "platform/forms/FormHelpers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

using namespace profiletabs;

frmLetterTemplates::frmLetterTemplates(AppContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx) {
    setObjectName("frmLetterTemplates");
    setWindowTitle("Maintain Letter Templates");
    lstTemplates = named(new QListWidget(this), "lstTemplates");
    txtName = makeLineEdit(this, "txtName", false, 50);
    txtTemplate = named(new QPlainTextEdit(this), "txtTemplate");
    txtTemplate->setPlaceholderText("Merge fields: ~~~NameFirst, ~~~NameLast, "
                                    "~~~AddressHomeLine1, ~~~DateTodayLong, ~~~NameSender, ...");
    cmdNew = named(new QPushButton("New", this), "cmdNew");
    cmdSave = named(new QPushButton("Save", this), "cmdSave");
    cmdDelete = named(new QPushButton("Delete", this), "cmdDelete");
    cmdClose = named(new QPushButton("Close", this), "cmdClose");

    auto* form = new QFormLayout;
    form->addRow("Template Name:", txtName);
    form->addRow("Letter Text:", txtTemplate);
    auto* top = new QHBoxLayout;
    top->addWidget(lstTemplates, 1);
    top->addLayout(form, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {cmdNew, cmdSave, cmdDelete, cmdClose})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(720, 480);

    connect(lstTemplates, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
    connect(cmdNew, &QPushButton::clicked, this, [this] { cmdNew_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

void frmLetterTemplates::refresh(qint64 selectId) {
    QSignalBlocker quiet(lstTemplates);
    lstTemplates->clear();
    std::vector<OtherValue> rows;
    Guarded(m_ctx, "GetOtherData", [&] { rows = GetOtherData(m_ctx, LetterTemplateList); });
    for (const OtherValue& v : rows) {
        auto* item = new QListWidgetItem(v.value, lstTemplates);
        item->setData(Qt::UserRole, v.id);
        if (v.id == selectId) lstTemplates->setCurrentItem(item);
    }
    showSelected();
}

qint64 frmLetterTemplates::selectedId() const {
    const QListWidgetItem* item = lstTemplates->currentItem();
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

void frmLetterTemplates::showSelected() {
    const qint64 id = selectedId();
    QString text;
    if (id > 0)
        Guarded(m_ctx, "GetECT", [&] { text = GetECT(m_ctx, id, TextKind::LetterTemplate); });
    txtName->setText(id > 0 ? lstTemplates->currentItem()->text() : QString());
    txtTemplate->setPlainText(text);
}

void frmLetterTemplates::cmdNew_Click() {
    lstTemplates->setCurrentItem(nullptr);
    txtName->clear();
    txtTemplate->clear();
    txtName->setFocus();
}

void frmLetterTemplates::cmdSave_Click() {
    const QString name = txtName->text().trimmed();
    if (name.isEmpty()) {
        m_ctx.prompt().message(MsgBlankTemplateName);
        return;
    }
    qint64 id = selectedId();
    QString refusal;
    const bool done = Guarded(m_ctx, "SaveLetterTemplate", [&] {
        // The name and the text are one template: both are stored or neither.
        m_ctx.db().transaction([&] {
            refusal = id > 0 ? UpdateOtherData(m_ctx, LetterTemplateList, id, name)
                             : InsertOtherData(m_ctx, LetterTemplateList, name);
            if (!refusal.isEmpty()) return;
            if (id <= 0)
                for (const OtherValue& v : GetOtherData(m_ctx, LetterTemplateList))
                    if (v.value.compare(CleanSqlText(name), Qt::CaseInsensitive) == 0) id = v.id;
            PutECT(m_ctx, id, TextKind::LetterTemplate, txtTemplate->toPlainText());
        });
    });
    if (!done) return;
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    refresh(id);
}

void frmLetterTemplates::cmdDelete_Click() {
    const qint64 id = selectedId();
    if (id <= 0) return;
    if (m_ctx.prompt().ask(MsgDeleteTemplate, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    Guarded(m_ctx, "DeleteLetterTemplate", [&] {
        m_ctx.db().transaction([&] {
            DeleteOtherData(m_ctx, LetterTemplateList, id);
            DeleteECT(m_ctx, id, {TextKind::LetterTemplate});
        });
    });
    refresh();
}

} // namespace vm
