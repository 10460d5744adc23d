#include "guests/forms/ProfileCardsTab.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "guests/OtherLists.h"
#include "guests/forms/frmOtherData.h"
#include "logbook/EntryRules.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"
#include "security/CardData.h"
#include "security/CardStore.h"
#include "security/forms/frmShowEncCC.h"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmProfileEdit");

// "MM/YY" with a real month.
bool ValidExpiry(const QString& text) {
    const QStringList parts = text.trimmed().split('/');
    if (parts.size() != 2 || parts[0].size() != 2 || parts[1].size() != 2) return false;
    bool monthOk = false, yearOk = false;
    const int month = parts[0].toInt(&monthOk);
    parts[1].toInt(&yearOk);
    return monthOk && yearOk && month >= 1 && month <= 12;
}

} // namespace

ProfileCardsTab::ProfileCardsTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("ProfileCardsTab");
    auto* layout = new QVBoxLayout(this);
    grdCreditCards = named(new DataGrid(this), "grdCreditCards");
    grdCreditCards->setHeaders({"Card Type", "Card Number", "Created"});
    layout->addWidget(grdCreditCards, 1);
    auto* boxes = new QHBoxLayout;
    cboCardType = named(new QComboBox(this), "cboCardType");
    cmdCardTypes = named(new QPushButton("...", this), "cmdCardTypes");
    cmdCardTypes->setToolTip("Maintain the List of Credit Card Types");
    txtCardNumber = makeLineEdit(this, "txtCardNumber", false, 25);
    txtExpires = makeLineEdit(this, "txtExpires", false, 5);
    txtExpires->setInputMask("99/99;_");
    boxes->addWidget(new QLabel("Card Type:", this));
    boxes->addWidget(cboCardType);
    boxes->addWidget(cmdCardTypes);
    boxes->addWidget(new QLabel("Card Number:", this));
    boxes->addWidget(txtCardNumber, 1);
    boxes->addWidget(new QLabel("Expires:", this));
    boxes->addWidget(txtExpires);
    layout->addLayout(boxes);
    auto* buttons = new QHBoxLayout;
    cmdAddCard = named(new QPushButton("Add", this), "cmdAddCard");
    cmdChangeCard = named(new QPushButton("Change", this), "cmdChangeCard");
    cmdDeleteCard = named(new QPushButton("Delete", this), "cmdDeleteCard");
    cmdViewCard = named(new QPushButton("View Card Number", this), "cmdViewCard");
    buttons->addStretch();
    for (QPushButton* b : {cmdAddCard, cmdChangeCard, cmdDeleteCard, cmdViewCard}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    // Buttons whose right is missing are not shown; the clicks still ask.
    bool allowed = false;
    try {
        allowed = MayDo(m_ctx, Rights::ProfilesCards);
        fillCardTypes();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "Form_Load", FormName, true);
    }
    for (QPushButton* b : {cmdAddCard, cmdChangeCard, cmdDeleteCard, cmdViewCard})
        b->setVisible(allowed);

    connect(cmdAddCard, &QPushButton::clicked, this, &ProfileCardsTab::cmdAddCard_Click);
    connect(cmdChangeCard, &QPushButton::clicked, this, &ProfileCardsTab::cmdChangeCard_Click);
    connect(cmdDeleteCard, &QPushButton::clicked, this, &ProfileCardsTab::cmdDeleteCard_Click);
    connect(cmdViewCard, &QPushButton::clicked, this, &ProfileCardsTab::cmdViewCard_Click);
    connect(grdCreditCards, &DataGrid::rowActivated, this, [this] { cmdViewCard_Click(); });
    connect(grdCreditCards, &QTableView::clicked, this, [this] {
        const int row = grdCreditCards->currentIndex().row();
        if (row < 0) return;
        cboCardType->setCurrentIndex(
            std::max(0, cboCardType->findText(grdCreditCards->cell(row, 0))));
    });
    connect(cmdCardTypes, &QPushButton::clicked, this, [this] {
        if (!MayDoOrSay(m_ctx, Rights::ProfilesLists, MsgCardTypesRight)) return;
        if (MaintainOtherList(m_ctx, "CCType", this)) fillCardTypes();
    });
}

void ProfileCardsTab::fillCardTypes() {
    const QString chosen = cboCardType->currentText();
    cboCardType->clear();
    cboCardType->addItem(QString());
    cboCardType->addItems(GetOtherValues(m_ctx, "CCType"));
    cboCardType->setCurrentIndex(std::max(0, cboCardType->findText(chosen)));
}

void ProfileCardsTab::setProfile(qint64 profileId) {
    m_profileId = profileId;
    clearBoxes();
    refresh();
}

void ProfileCardsTab::clearBoxes() {
    cboCardType->setCurrentIndex(0);
    txtCardNumber->clear();
    txtExpires->clear();
}

void ProfileCardsTab::refresh() {
    grdCreditCards->clearRows();
    if (m_profileId <= 0) return;
    try {
        for (const Row& r : GetProfileCC(m_ctx, m_profileId)) {
            const QDateTime created = r.dateTime("CreatedDate");
            grdCreditCards->setRow(
                r.number("ProfileCCID"),
                {r.trimmedText("CreditCardType"), r.trimmedText("CardNumber"),
                 created.isValid() ? Formats::ShortDate(created.date()) : QString()});
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetProfileCC", FormName, true);
    }
}

bool ProfileCardsTab::mayWork() {
    if (!MayDoOrSay(m_ctx, Rights::ProfilesCards, MsgCardsRight)) return false;
    if (m_profileId > 0) return true;
    m_ctx.prompt().message(MsgSaveProfileBeforeCards);
    return false;
}

bool ProfileCardsTab::cardOnScreenIsValid() {
    if (cboCardType->currentText().trimmed().isEmpty()) {
        m_ctx.prompt().message(MsgSelectCardType);
        return false;
    }
    const QString digits = StripNonDigits(txtCardNumber->text());
    if (CardType(digits).isEmpty() || !LuhnCheck(digits)) {
        m_ctx.prompt().message(kMsgInvalidCardNumber);
        return false;
    }
    if (!ValidExpiry(txtExpires->text())) {
        m_ctx.prompt().message(MsgCardExpiry);
        return false;
    }
    // Refused before the policy question: a card that cannot be stored needs no reminder.
    if (RefuseCardsUnlessReady(m_ctx)) return false;
    return ConfirmProfileCardPolicy(m_ctx);
}

void ProfileCardsTab::cmdAddCard_Click() {
    if (!mayWork() || !cardOnScreenIsValid()) return;
    try {
        if (InsertProfileCC(m_ctx, {m_profileId, cboCardType->currentText().trimmed(),
                                    txtCardNumber->text(), txtExpires->text()}) == 0)
            return; // the cipher has said why
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "InsertProfileCC", FormName, true);
        return;
    }
    clearBoxes();
    refresh();
}

void ProfileCardsTab::cmdChangeCard_Click() {
    if (!mayWork()) return;
    const qint64 card = grdCreditCards->currentKey();
    if (card == 0) {
        m_ctx.prompt().message(MsgSelectCard);
        return;
    }
    if (!cardOnScreenIsValid()) return;
    try {
        if (!UpdateProfileCC(m_ctx, card,
                             {m_profileId, cboCardType->currentText().trimmed(),
                              txtCardNumber->text(), txtExpires->text()}))
            return;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "UpdateProfileCC", FormName, true);
        return;
    }
    clearBoxes();
    refresh();
}

void ProfileCardsTab::cmdDeleteCard_Click() {
    if (!mayWork()) return;
    const qint64 card = grdCreditCards->currentKey();
    if (card == 0) {
        m_ctx.prompt().message(MsgSelectCard);
        return;
    }
    if (m_ctx.prompt().ask(MsgDeleteCard, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    try {
        DeleteProfileCC(m_ctx, card);
        LogCCDeletion(m_ctx, true, m_profileId, m_ctx.session.name);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "DeleteProfileCC", FormName, true);
        return;
    }
    clearBoxes();
    refresh();
}

void ProfileCardsTab::cmdViewCard_Click() {
    if (!mayWork()) return;
    const qint64 card = grdCreditCards->currentKey();
    if (card == 0) {
        m_ctx.prompt().message(MsgSelectCard);
        return;
    }
    QString masked, stored;
    try {
        for (const Row& r : GetProfileCC(m_ctx, m_profileId))
            if (r.number("ProfileCCID") == card) {
                masked = r.trimmedText("CardNumber");
                stored = r.trimmedText("EncCC");
            }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetProfileCC", FormName, true);
        return;
    }
    // A view that cannot decrypt is no view: refused before the password is asked.
    if (stored.isEmpty()) {
        m_ctx.prompt().message(MsgNoStoredNumber);
        return;
    }
    if (RefuseCardsUnlessReady(m_ctx)) return;
    frmShowEncCCP dialog(m_ctx, m_profileId, card, masked, stored, QString::number(m_profileId),
                         this);
    TrackSessionWindow(m_ctx, &dialog);
    dialog.exec();
}

} // namespace vm
