#include "guests/forms/KeywordsPage.h"

#include "core/DataAccess.h"
#include "guests/Keywords.h"
#include "platform/forms/FormHelpers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmSearch");
constexpr int IdRole = Qt::UserRole;
} // namespace

KeywordsPage::KeywordsPage(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("KeywordsPage");
    auto* top = new QHBoxLayout(this);
    top->addWidget(lstKeywords = named(new QListWidget, "lstKeywords"), 1);
    auto* side = new QVBoxLayout;
    auto* fields = new QFormLayout;
    txtKeyword = makeLineEdit(this, "txtKeyword");
    txtReplaceWith = makeLineEdit(this, "txtReplaceWith");
    fields->addRow(named(new QLabel("Keyword:"), "lblKeyword"), txtKeyword);
    fields->addRow(named(new QLabel("Replace With:"), "lblReplaceWith"), txtReplaceWith);
    side->addLayout(fields);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAddKeyword = named(new QPushButton("Add Keyword"), "cmdAddKeyword"));
    buttons->addWidget(cmdDelete = named(new QPushButton("Delete"), "cmdDelete"));
    side->addLayout(buttons);
    side->addWidget(lblFound = named(new QLabel("We found"), "lblFound"));
    side->addWidget(lblCount = named(new QLabel, "lblCount"));
    side->addWidget(lblUsing =
                        named(new QLabel("Contact entries using this Keyword."), "lblUsing"));
    side->addWidget(lblWillNot =
                        named(new QLabel("We will Not Delete this Contact Keyword. You may "
                                         "wish to Replace these entries with another "
                                         "keyword."),
                              "lblWillNot"));
    lblWillNot->setWordWrap(true);
    side->addStretch(1);
    top->addLayout(side, 1);
    showInUse(0);

    connect(lstKeywords, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) txtKeyword->setText(item->text());
        showInUse(0);
    });
    // Text in "Replace With:" turns the add into a replace.
    connect(txtReplaceWith, &QLineEdit::textChanged, this, [this](const QString& text) {
        cmdAddKeyword->setText(text.trimmed().isEmpty() ? "Add Keyword" : "Replace");
    });
    connect(cmdAddKeyword, &QPushButton::clicked, this, &KeywordsPage::cmdAddKeyword_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &KeywordsPage::cmdDelete_Click);
}

void KeywordsPage::refresh() {
    QSignalBlocker quiet(lstKeywords);
    lstKeywords->clear();
    if (!m_ctx.current) return; // no databases while logged off at start
    try {
        for (const KeywordRow& k : GetMntKeywords(m_ctx)) {
            auto* item = new QListWidgetItem(k.keyword, lstKeywords);
            item->setData(IdRole, k.id);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetMntKeywords", FormName, true);
    }
}

void KeywordsPage::showInUse(int uses) {
    lblCount->setText(QString::number(uses));
    for (QLabel* l : {lblFound, lblCount, lblUsing, lblWillNot})
        l->setVisible(uses > 0);
}

void KeywordsPage::done() {
    txtKeyword->clear();
    txtReplaceWith->clear();
    showInUse(0);
    refresh();
}

void KeywordsPage::cmdAddKeyword_Click() {
    const bool replace = !txtReplaceWith->text().trimmed().isEmpty();
    QString refusal;
    try {
        refusal = replace ? ReplaceKeyword(m_ctx, txtKeyword->text(), txtReplaceWith->text())
                          : InsertKeyword(m_ctx, txtKeyword->text());
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, replace ? "cmdReplace_Click" : "cmdAddKeyword_Click",
                    FormName);
        return;
    }
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    done();
}

void KeywordsPage::cmdDelete_Click() {
    const QListWidgetItem* item = lstKeywords->currentItem();
    if (!item) {
        m_ctx.prompt().message(MsgSelectKeywordToDelete);
        return;
    }
    const qint64 id = item->data(IdRole).toLongLong();
    try {
        const int uses = CountKeywordUse(m_ctx, item->text());
        if (uses > 0) {
            showInUse(uses);
            return;
        }
        if (m_ctx.prompt().ask(MsgDeleteKeyword, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
            Answer::Yes)
            return;
        // Counted again with the delete: a contact may have taken it meanwhile.
        const int usesNow = DeleteKeyword(m_ctx, id);
        if (usesNow > 0) {
            showInUse(usesNow);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdDelete_Click", FormName);
        return;
    }
    done();
}

} // namespace vm
