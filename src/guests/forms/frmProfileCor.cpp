#include "guests/forms/frmProfileCor.h"

#include "core/LongText.h"
#include "guests/OtherLists.h"
#include "guests/forms/ProfileTabs.h"
#include "guests/forms/ProfileTabsUi.h"
#include "guests/forms/frmLetterTemplates.h"
#include "guests/reports/ProfileLetterReports.h"
#include "logbook/EntryLetter.h"
#include "logbook/forms/EntryOutput.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vm {

using namespace profiletabs;

frmProfileCor::frmProfileCor(AppContext& ctx, const Profile& profile, const QString& contactType,
                             QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_profile(profile) {
    setObjectName("frmProfileCor");
    setWindowTitle("Create Profile Correspondence");
    lstTemplates = named(new QListWidget(this), "lstTemplates");
    txtLetter = named(new QPlainTextEdit(this), "txtLetter");
    optPostal = named(new QRadioButton("Postal Mail", this), "optPostal");
    optEmail = named(new QRadioButton("Email", this), "optEmail");
    optPostal->setChecked(true);
    chkLetterhead = named(new QCheckBox("Print On Your Letterhead Forrms", this), "chkLetterhead");
    cboContactType = named(new QComboBox(this), "cboContactType");
    cmdSend = named(new QPushButton("Send Letter", this), "cmdSend");
    cmdPost = named(new QPushButton("Post to Contact History", this), "cmdPost");
    cmdTemplates = named(new QPushButton("Letter Templates", this), "cmdTemplates");
    cmdClose = named(new QPushButton("Close", this), "cmdClose");

    auto* via = new QGroupBox("Transmit via", this);
    auto* viaLayout = new QHBoxLayout(via);
    viaLayout->addWidget(optPostal);
    viaLayout->addWidget(optEmail);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Letter Templates (double-click to use):", this));
    left->addWidget(lstTemplates, 1);
    left->addWidget(cmdTemplates);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(
        "To: " + (profile.firstName.trimmed() + " " + profile.lastName.trimmed()).trimmed(), this));
    right->addWidget(txtLetter, 1);
    auto* options = new QFormLayout;
    options->addRow(via);
    options->addRow(chkLetterhead);
    options->addRow("Contact Type:", cboContactType);
    right->addLayout(options);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(right, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {cmdSend, cmdPost, cmdClose})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(760, 520);

    cboContactType->addItem(QString());
    Guarded(ctx, "GetOtherData",
            [&] { cboContactType->addItems(GetOtherValues(ctx, "Contacted")); });
    const int at = cboContactType->findText(contactType.trimmed(), Qt::MatchFixedString);
    cboContactType->setCurrentIndex(std::max(0, at));
    loadTemplates();

    connect(lstTemplates, &QListWidget::itemDoubleClicked, this,
            [this] { lstTemplates_DblClick(); });
    connect(cmdSend, &QPushButton::clicked, this, [this] { cmdSend_Click(); });
    connect(cmdPost, &QPushButton::clicked, this, [this] { cmdPost_Click(); });
    connect(cmdTemplates, &QPushButton::clicked, this, [this] { cmdTemplates_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    // A new letter may be posted again.
    connect(txtLetter, &QPlainTextEdit::textChanged, this, [this] { cmdPost->setEnabled(true); });
}

void frmProfileCor::loadTemplates() {
    lstTemplates->clear();
    std::vector<OtherValue> rows;
    Guarded(m_ctx, "GetOtherData", [&] { rows = GetOtherData(m_ctx, LetterTemplateList); });
    for (const OtherValue& v : rows) {
        auto* item = new QListWidgetItem(v.value, lstTemplates);
        item->setData(Qt::UserRole, v.id);
    }
}

void frmProfileCor::lstTemplates_DblClick() {
    const QListWidgetItem* item = lstTemplates->currentItem();
    if (!item) return;
    QString merged;
    if (!Guarded(m_ctx, "MergeLetterFields", [&] {
            const QString text =
                GetECT(m_ctx, item->data(Qt::UserRole).toLongLong(), TextKind::LetterTemplate);
            merged = MergeLetterFields(m_ctx, text, m_profile, m_ctx.session.name);
        }))
        return;
    txtLetter->setPlainText(merged);
}

void frmProfileCor::cmdSend_Click() {
    const QString letter = txtLetter->toPlainText();
    if (letter.trimmed().isEmpty()) {
        m_ctx.prompt().message(MsgNoLetter);
        return;
    }
    if (optEmail->isChecked()) {
        emailLetter(letter);
        return;
    }
    PrintRequest r;
    r.routine = ProfileLetterRoutine;
    r.title = "Letter to " +
              (m_profile.firstName.trimmed() + " " + m_profile.lastName.trimmed()).trimmed();
    r.args[ArgLetterText] = letter;
    r.args[ArgLetterhead] = chkLetterhead->isChecked();
    OpenReport(m_ctx, r, this);
}

bool frmProfileCor::emailLetter(const QString& letter) {
    MailMessage m;
    if (!Guarded(m_ctx, "ProfileLetterMail",
                 [&] { m = ProfileLetterMail(m_ctx, m_profile, letter); }))
        return false;
    if (m_ctx.mailer().send(m)) return true;
    // No mail program: the letter waits in TempMail.txt for the member.
    const QString folder = m_ctx.workstation.outputFolder();
    const QString path = WriteTempMail(folder, "To: " + m.to + CRLF + "Subject: " + m.subject +
                                                   CRLF + CRLF + m.body);
    if (path.isEmpty()) {
        m_ctx.prompt().message(MsgTempMailNotWritten(folder), {}, Icon::Exclamation);
        return false;
    }
    if (m_ctx.desktop().openFile(path)) return true;
    m_ctx.prompt().message(MsgTempMailNotOpened(path), {}, Icon::Exclamation);
    return false;
}

void frmProfileCor::cmdPost_Click() {
    if (m_profile.id <= 0 ||
        !Allowed(m_ctx, Rights::ProfilesContactHistory, MsgMaintainContactHistory))
        return;
    const QString type = cboContactType->currentText().trimmed();
    if (type.isEmpty()) {
        m_ctx.prompt().message(MsgContactType);
        return;
    }
    if (!Guarded(m_ctx, "InsertProfileCH", [&] {
            InsertProfileCH(m_ctx, m_profile.id, m_ctx.clock().today(), type, QString());
        }))
        return;
    m_posted = true;
    // Once per letter: a second click would record the same letter twice.
    cmdPost->setEnabled(false);
    m_ctx.prompt().message(MsgLetterPosted);
}

void frmProfileCor::cmdTemplates_Click() {
    if (!Allowed(m_ctx, Rights::ProfilesLists, MsgMaintainLetterTemplates)) return;
    frmLetterTemplates editor(m_ctx, this);
    editor.exec();
    loadTemplates();
}

} // namespace vm
