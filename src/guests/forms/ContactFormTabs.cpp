// The tabs of the contact screen: rating and notes, extra contacts, linked
// documents, directions, guest-list text, keywords and the online-service
// identity.

#include "core/DataAccess.h"
#include "core/Rights.h"
#include "guests/ContactTypes.h"
#include "guests/DocumentLinks.h"
#include "guests/Keywords.h"
#include "guests/OtherLists.h"
#include "guests/forms/ContactFormUi.h"
#include "guests/forms/frmContactDoc.h"
#include "guests/forms/frmContactForm.h"
#include "guests/forms/frmContactType.h"
#include "logbook/Categories.h"
#include "logbook/EntryRules.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmContactForm");

QPlainTextEdit* TextBox(QWidget* parent, const char* name) {
    auto* t = named(new QPlainTextEdit(parent), name);
    t->setTabChangesFocus(true);
    return t;
}

} // namespace

QWidget* ContactFormUi::buildTabs() {
    tabContact = named(new QTabWidget(q), "tabContact");

    auto* rating = new QWidget(tabContact);
    auto* ratingLayout = new QFormLayout(rating);
    cboRating = named(new QComboBox(rating), "cboRating");
    cboRating->addItems(ContactRatings());
    cboRanking = named(new QComboBox(rating), "cboRanking");
    cboRanking->addItems(ContactRankings());
    txtNotes = TextBox(rating, "txtNotes");
    ratingLayout->addRow("Rate this Contact", cboRating);
    ratingLayout->addRow("Position on the Search List (Rank)", cboRanking);
    ratingLayout->addRow("Additional Information or Notes:", txtNotes);
    tabContact->addTab(rating, "Rating, Ranking and Notes");

    auto* extra = new QWidget(tabContact);
    auto* extraLayout = new QVBoxLayout(extra);
    grdExtra = named(new DataGrid(extra), "grdExtra");
    grdExtra->setHeaders({"Contact Type", "Contact Data", "Type", "Private"});
    cboContactType = named(new QComboBox(extra), "cboContactType");
    txtContactData = makeLineEdit(extra, "txtContactData", false, 250);
    chkDataPrivate = named(new QCheckBox("Private", extra), "chkDataPrivate");
    cmdSaveData = named(new QPushButton("Save", extra), "cmdSaveData");
    cmdDeleteData = named(new QPushButton("Delete", extra), "cmdDeleteData");
    cmdMaintainTypes = named(new QPushButton("Maintain Contact Types", extra), "cmdMaintainTypes");
    auto* extraForm = new QFormLayout;
    extraForm->addRow("Contact Type:", cboContactType);
    extraForm->addRow("Number or Address:", txtContactData);
    auto* extraButtons = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{chkDataPrivate, cmdSaveData, cmdDeleteData,
                                                      cmdMaintainTypes})
        extraButtons->addWidget(w);
    extraLayout->addWidget(grdExtra);
    extraLayout->addLayout(extraForm);
    extraLayout->addLayout(extraButtons);
    tabContact->addTab(extra, "Extra Contacts");

    auto* docs = new QWidget(tabContact);
    auto* docsLayout = new QVBoxLayout(docs);
    grdDocuments = named(new DataGrid(docs), "grdDocuments");
    grdDocuments->setHeaders({"Link Description", "File Name"});
    cmdMaintainDocs = named(new QPushButton("Maintain Linked Documents", docs), "cmdMaintainDocs");
    txtGraphicFile = makeLineEdit(docs, "txtGraphicFile", false, 100);
    watch(txtGraphicFile);
    auto* graphic = new QFormLayout;
    graphic->addRow("Itinerary Graphic File:", txtGraphicFile);
    docsLayout->addWidget(grdDocuments);
    docsLayout->addWidget(cmdMaintainDocs);
    docsLayout->addLayout(graphic);
    tabContact->addTab(docs, "Linked Documents");

    auto* directions = new QWidget(tabContact);
    auto* directionsLayout = new QFormLayout(directions);
    txtDirections = TextBox(directions, "txtDirections");
    txtGuestInfo = TextBox(directions, "txtGuestInfo");
    directionsLayout->addRow("Directions (How to Get There):", txtDirections);
    directionsLayout->addRow("Guest Information:", txtGuestInfo);
    directionsTab = tabContact->addTab(directions, "Log Notes && Directions");

    auto* guestList = new QWidget(tabContact);
    auto* guestListLayout = new QVBoxLayout(guestList);
    chkPrintOnGuestList =
        named(new QCheckBox("Print on Guest List", guestList), "chkPrintOnGuestList");
    txtGuestListText = TextBox(guestList, "txtGuestListText");
    guestListLayout->addWidget(chkPrintOnGuestList);
    guestListLayout->addWidget(
        new QLabel("Information to Print on Special Guest List:", guestList));
    guestListLayout->addWidget(txtGuestListText);
    tabContact->addTab(guestList, "Guest List Text");

    auto* keywords = new QWidget(tabContact);
    auto* keywordsLayout = new QVBoxLayout(keywords);
    lstKeywords = named(new QListWidget(keywords), "lstKeywords");
    keywordsLayout->addWidget(lstKeywords);
    tabContact->addTab(keywords, "Keywords");

    auto* openTable = new QWidget(tabContact);
    auto* openTableLayout = new QFormLayout(openTable);
    txtOTID = makeLineEdit(openTable, "txtOTID", false, 10);
    txtOTNeighborhood = makeLineEdit(openTable, "txtOTNeighborhood");
    txtOTCuisine = makeLineEdit(openTable, "txtOTCuisine");
    txtOTPrice = makeLineEdit(openTable, "txtOTPrice");
    txtOTHost = makeLineEdit(openTable, "txtOTHost", false, 250);
    openTableLayout->addRow("Open Table ID:", txtOTID);
    openTableLayout->addRow("Neighborhood:", txtOTNeighborhood);
    openTableLayout->addRow("Cuisine:", txtOTCuisine);
    openTableLayout->addRow("Price Range:", txtOTPrice);
    openTableLayout->addRow("Host URL:", txtOTHost);
    tabContact->addTab(openTable, "Open Table");

    for (QWidget* w : std::initializer_list<QWidget*>{
             cboRating, cboRanking, txtNotes, txtDirections, txtGuestInfo, chkPrintOnGuestList,
             txtGuestListText, txtOTID, txtOTNeighborhood, txtOTCuisine, txtOTPrice, txtOTHost})
        watch(w);

    connect(lstKeywords, &QListWidget::itemChanged, this, [this] { keywordTicked(); });
    connect(grdExtra, &QTableView::clicked, this,
            [this] { extraRowChosen(grdExtra->currentKey()); });
    connect(grdExtra, &DataGrid::rowActivated, this, &ContactFormUi::extraRowChosen);
    connect(txtContactData, &QLineEdit::textEdited, this, [this] { contactDataEdited(); });
    connect(cmdSaveData, &QPushButton::clicked, this, [this] { saveData(); });
    connect(cmdDeleteData, &QPushButton::clicked, this, [this] { deleteData(); });
    connect(cmdMaintainTypes, &QPushButton::clicked, this, [this] { maintainTypes(); });
    connect(cmdMaintainDocs, &QPushButton::clicked, this, [this] { maintainDocuments(); });
    connect(grdDocuments, &DataGrid::rowActivated, this, &ContactFormUi::openDocument);
    return tabContact;
}

void ContactFormUi::fillLists() {
    loading = true;
    try {
        cboLogType->addItem(QString());
        cboLogType->addItems(GetLogbookTypesArray(ctx.db()));
        cboArea->addItem(QString());
        cboArea->addItems(GetOtherValues(ctx, "Area"));
        for (const QString& k : GetAllKeywords(ctx)) {
            auto* item = new QListWidgetItem(k, lstKeywords);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
        fillContactTypes();
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "Form_Load", FormName, true);
    }
    loading = false;
}

void ContactFormUi::fillContactTypes() {
    cboContactType->clear();
    cboContactType->addItem(QString(), QVariant());
    for (const ContactTypeRow& t : GetContactTypes(ctx))
        cboContactType->addItem(t.name, QVariantList{t.id, t.kind});
}

void ContactFormUi::showTabs(const Contact& c) {
    cboRating->setCurrentIndex(std::clamp(c.rating, 0, int(ContactRatings().size()) - 1));
    cboRanking->setCurrentIndex(std::clamp(c.ranking, 0, int(ContactRankings().size()) - 1));
    txtNotes->setPlainText(c.notes);
    txtGraphicFile->setText(c.graphicFile);
    txtDirections->setPlainText(c.directions);
    txtGuestInfo->setPlainText(c.guestInfo);
    chkPrintOnGuestList->setChecked(c.printOnGuestList);
    txtGuestListText->setPlainText(c.guestListText);
    txtOTID->setText(c.otRestaurantId > 0 ? QString::number(c.otRestaurantId) : QString());
    txtOTNeighborhood->setText(c.otNeighborhood);
    txtOTCuisine->setText(c.otCuisine);
    txtOTPrice->setText(c.otPrice);
    txtOTHost->setText(c.otHost);
    tickKeywords(c.keywordSet);
    cboContactType->setCurrentIndex(0);
    txtContactData->clear();
    chkDataPrivate->setChecked(false);
    refreshExtra();
    refreshDocuments();
}

void ContactFormUi::readTabs(Contact& c) const {
    c.rating = std::max(0, cboRating->currentIndex());
    c.ranking = std::max(0, cboRanking->currentIndex());
    c.notes = txtNotes->toPlainText();
    c.graphicFile = txtGraphicFile->text();
    c.directions = txtDirections->toPlainText();
    c.guestInfo = txtGuestInfo->toPlainText();
    c.printOnGuestList = chkPrintOnGuestList->isChecked();
    c.guestListText = txtGuestListText->toPlainText();
    c.otRestaurantId = txtOTID->text().trimmed().toLongLong();
    c.otNeighborhood = txtOTNeighborhood->text();
    c.otCuisine = txtOTCuisine->text();
    c.otPrice = txtOTPrice->text();
    c.otHost = txtOTHost->text();
}

void ContactFormUi::refreshExtra() {
    grdExtra->clearRows();
    if (contact.id == 0) return;
    try {
        for (const ContactValue& v : GetCurrentContactValues(ctx, contact.id))
            grdExtra->setRow(v.typeId,
                             {v.typeName, v.data, v.kind, v.isPrivate ? "Yes" : QString()});
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "GetCurrentContactValues", FormName, true);
    }
}

void ContactFormUi::refreshDocuments() {
    grdDocuments->clearRows();
    if (contact.id == 0) return;
    try {
        FillDocumentGrid(grdDocuments, GetCDocuments(ctx, contact.id, DocKind::Contact));
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "GetCDocuments", FormName, true);
    }
}

void ContactFormUi::tickKeywords(const QString& keywordSet) {
    QStringList chosen;
    for (const QString& k : keywordSet.split(','))
        if (!k.trimmed().isEmpty()) chosen << k.trimmed();
    const bool wasLoading = loading;
    loading = true;
    const QSignalBlocker block(lstKeywords);
    for (int i = 0; i < lstKeywords->count(); ++i) {
        QListWidgetItem* item = lstKeywords->item(i);
        item->setCheckState(chosen.contains(item->text(), Qt::CaseInsensitive) ? Qt::Checked
                                                                               : Qt::Unchecked);
    }
    loading = wasLoading;
}

void ContactFormUi::keywordTicked() {
    QStringList ticked;
    for (int i = 0; i < lstKeywords->count(); ++i)
        if (lstKeywords->item(i)->checkState() == Qt::Checked)
            ticked << lstKeywords->item(i)->text();
    txtKeywords->setText(ticked.join(", "));
}

void ContactFormUi::extraRowChosen(qint64 typeId) {
    if (typeId == 0) return;
    for (int i = 0; i < cboContactType->count(); ++i) {
        const QVariantList data = cboContactType->itemData(i).toList();
        if (!data.isEmpty() && data[0].toLongLong() == typeId) cboContactType->setCurrentIndex(i);
    }
    const int row = grdExtra->currentIndex().row();
    txtContactData->setText(row >= 0 ? grdExtra->cell(row, 1) : QString());
    chkDataPrivate->setChecked(row >= 0 && !grdExtra->cell(row, 3).isEmpty());
}

void ContactFormUi::contactDataEdited() {
    if (cboContactType->currentIndex() > 0) return;
    ctx.prompt().message(MsgTypeBeforeData);
    txtContactData->clear();
}

void ContactFormUi::saveData() {
    if (!MayDoOrSay(ctx, Rights::ContactsExtra, MsgExtraRight)) return;
    if (!needsSaved(MsgSaveBeforeExtra)) return;
    const QVariantList type = cboContactType->currentData().toList();
    if (type.isEmpty()) {
        ctx.prompt().message(MsgSelectContactType);
        return;
    }
    if (txtContactData->text().trimmed().isEmpty()) {
        ctx.prompt().message(MsgContactDataMissing);
        return;
    }
    try {
        const QString value = ContactValueForKind(ctx, type[1].toString(), txtContactData->text());
        SetContactValue(ctx, contact.id, type[0].toLongLong(), value, chkDataPrivate->isChecked());
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "cmdSaveData_Click", FormName, true);
        return;
    }
    refreshExtra();
    cboContactType->setCurrentIndex(0);
    txtContactData->clear();
    chkDataPrivate->setChecked(false);
}

void ContactFormUi::deleteData() {
    if (!MayDoOrSay(ctx, Rights::ContactsExtra, MsgExtraRight)) return;
    const qint64 typeId = grdExtra->currentKey();
    if (contact.id == 0 || typeId == 0) {
        ctx.prompt().message(MsgNoContactDataSelected);
        return;
    }
    if (ctx.prompt().ask(MsgDeleteContactData, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    try {
        DeleteContactValue(ctx, contact.id, typeId);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "cmdDeleteData_Click", FormName, true);
        return;
    }
    refreshExtra();
    txtContactData->clear();
}

void ContactFormUi::maintainTypes() {
    if (!MayDoOrSay(ctx, Rights::ContactsExtra, MsgExtraRight)) return;
    MaintainContactTypes(ctx, q);
    fillContactTypes();
    refreshExtra();
}

void ContactFormUi::maintainDocuments() {
    if (!MayDoOrSay(ctx, Rights::ContactsDocs, MsgDocsRight)) return;
    if (!needsSaved(MsgSaveBeforeDocs)) return;
    frmContactDoc editor(ctx, DocKind::Contact, contact.id, contact.name, q);
    editor.exec();
    refreshDocuments();
}

void ContactFormUi::openDocument(qint64 documentId) {
    if (!MayDoOrSay(ctx, Rights::ContactsViewDocs, MsgViewDocsRight)) return;
    try {
        for (const DocumentLink& l : GetCDocuments(ctx, contact.id, DocKind::Contact))
            if (l.id == documentId) OpenDocumentLink(ctx, l);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "grdDocuments_DblClick", FormName, true);
    }
}

void ContactFormUi::showInBrowser() {
    if (!MayDoOrSay(ctx, Rights::ContactsViewDocs, MsgViewDocsRight)) return;
    qint64 id = grdDocuments->currentKey();
    if (id == 0 && grdDocuments->rowCount() > 0) id = grdDocuments->keyAt(0);
    if (id == 0) {
        ctx.prompt().message(MsgNoLinkedDocuments);
        return;
    }
    openDocument(id);
}

} // namespace vm
