#include "logbook/forms/EntryLinksPanel.h"

#include "guests/forms/frmContactDoc.h"
#include "logbook/forms/DesignFieldsPanel.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

EntryLinksPanel::EntryLinksPanel(Prompt& prompt, const LogbookServices& services,
                                 QPlainTextEdit* entryText, QWidget* parent)
    : QWidget(parent), m_services(services) {
    auto* side = new QVBoxLayout(this);
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(m_design = new DesignFieldsPanel(prompt, entryText));

    side->addWidget(picContactFrame = named(new QLabel, "picContactFrame"));
    picContactFrame->setWordWrap(true);
    picContactFrame->setFrameShape(QFrame::Box);
    picContactFrame->hide();

    auto* profile = new QGroupBox("Profile");
    auto* pl = new QVBoxLayout(profile);
    pl->addWidget(lblProfiled = named(new QLabel("This guest has a profile."), "lblProfiled"));
    pl->addWidget(grdProfiler = named(new DataGrid, "grdProfiler"));
    grdProfiler->setHeaders({"Preference", "Selection"});
    pl->addWidget(grdCreditCards = named(new DataGrid, "grdCreditCards"));
    grdCreditCards->setHeaders({"Card on the Profile"});
    side->addWidget(profile);

    auto* docs = new QGroupBox("Linked Documents");
    auto* dl = new QVBoxLayout(docs);
    dl->addWidget(grdDocument = named(new DataGrid, "grdDocument"));
    FillDocumentGrid(grdDocument, {});
    dl->addWidget(cmdDocLink = named(new QPushButton("Document &Links..."), "cmdDocLink"));
    side->addWidget(docs);

    auto* online = new QHBoxLayout;
    online->addWidget(imgOpenTable = named(new QToolButton, "imgOpenTable"));
    imgOpenTable->setText("Table Reservation");
    online->addWidget(imgOTEntry = named(new QToolButton, "imgOTEntry"));
    imgOTEntry->setText("Reservation Details");
    online->addWidget(lblOpenTableID = named(new QLabel("0"), "lblOpenTableID"));
    online->addStretch();
    side->addLayout(online);

    connect(cmdDocLink, &QPushButton::clicked, this, &EntryLinksPanel::docLinkClicked);
    connect(grdDocument, &DataGrid::rowActivated, this, &EntryLinksPanel::documentActivated);
    connect(imgOpenTable, &QToolButton::clicked, this, &EntryLinksPanel::openTableClicked);
    connect(imgOTEntry, &QToolButton::clicked, this, &EntryLinksPanel::otEntryClicked);
}

void EntryLinksPanel::showProfile(qint64 profileId) {
    lblProfiled->setVisible(profileId > 0);
    grdProfiler->clearRows();
    grdCreditCards->clearRows();
    if (profileId <= 0) return;
    int n = 0;
    if (m_services.profileDetails)
        for (const auto& [preference, selection] : m_services.profileDetails(profileId))
            grdProfiler->setRow(++n, {preference, selection}, {}, {}, false);
    n = 0;
    if (m_services.profileCards)
        for (const auto& [key, masked] : m_services.profileCards(profileId))
            grdCreditCards->setRow(key ? key : ++n, {masked}, {}, {}, false);
}

void EntryLinksPanel::showOnlineReservation(qint64 openTableId) {
    lblOpenTableID->setText(QString::number(openTableId));
    imgOpenTable->setToolTip(openTableId > 0
                                 ? "Online reservation " + QString::number(openTableId)
                                 : QString("DoubleClick to Get Open Table Availability"));
    imgOTEntry->setVisible(openTableId > 0);
    lblOpenTableID->setVisible(openTableId > 0);
}

void EntryLinksPanel::showDocuments(const std::vector<DocumentLink>& links, bool editable) {
    FillDocumentGrid(grdDocument, links);
    cmdDocLink->setEnabled(editable);
}

void EntryLinksPanel::showContactNotes(const QStringList& notes) {
    picContactFrame->setText(notes.join("\n"));
    picContactFrame->setVisible(!notes.isEmpty());
}

void EntryLinksPanel::setReadOnly(bool readOnly) {
    m_design->setReadOnly(readOnly);
    for (QWidget* w : std::initializer_list<QWidget*>{imgOpenTable, imgOTEntry})
        w->setEnabled(!readOnly);
}

} // namespace vm
