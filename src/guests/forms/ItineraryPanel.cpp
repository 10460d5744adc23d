#include "guests/forms/ItineraryPanel.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "guests/forms/frmItinText.h"
#include "guests/reports/ItineraryReports.h"
#include "logbook/EntryLetter.h"
#include "logbook/reports/ReportData.h"
#include "output/forms/PrintPreview.h"
#include "platform/Mailer.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmItinerary");
constexpr int DetailsWidth = 120; // characters of the text shown in the Details column
} // namespace

const QStringList& ItineraryGridHeaders() {
    static const QStringList h = {"Details",      "Refer Date",  "Refer Time",
                                  "Category",     "Arriving",    "Logbook Key",
                                  "Logbook Text", "Room Number", "Contact Key"};
    return h;
}

ItineraryPanel::ItineraryPanel(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(grdItinerary = named(new DataGrid, "grdItinerary"), 1);
    grdItinerary->setHeaders(ItineraryGridHeaders());
    // The itinerary prints in the grid's order, which is the entries' order:
    // the headers do not sort it.
    grdItinerary->horizontalHeader()->setSectionsClickable(false);
    top->addWidget(lblItineraryNote = named(
                       new QLabel("Note: Double-Click to Remove an Entry from the Itinerary."),
                       "lblItineraryNote"));

    auto* paper = new QGroupBox("Select Paper Type and Option");
    auto* choices = new QFormLayout(paper);
    auto* kind = new QHBoxLayout;
    kind->addWidget(optPlain = named(new QRadioButton("Plain Paper"), "optPlain"));
    kind->addWidget(optLetterhead = named(new QRadioButton("Letterhead"), "optLetterhead"));
    kind->addStretch();
    optPlain->setChecked(true);
    choices->addRow(kind);
    choices->addRow(chkLogo = named(new QCheckBox("Use Logo Graphic"), "chkLogo"));
    choices->addRow(chkDefaultHeading = named(new QCheckBox("Use Default Heading and Footer"),
                                              "chkDefaultHeading"));
    choices->addRow(chkFax =
                        named(new QCheckBox("Facsimile Style (Increase Font Size)"), "chkFax"));
    chkFax->setToolTip("Increase Font Size for Better Fax Quality");
    choices->addRow(chkSignature =
                        named(new QCheckBox("Print a Signature and Date Line"), "chkSignature"));
    choices->addRow(chkNoReferTime =
                        named(new QCheckBox("Do Not Print Refer Time"), "chkNoReferTime"));
    choices->addRow("Language:", cboLanguage = named(new QComboBox, "cboLanguage"));
    cboLanguage->addItems(ItineraryLanguages());
    auto* valediction = new QLabel("Optional: Text to print after all itinerary items and "
                                   "following the signature and date line, if selected and "
                                   "before the default footer text:");
    valediction->setWordWrap(true);
    choices->addRow(valediction);
    choices->addRow(txtValediction = makeLineEdit(this, "txtValediction", false, 255));

    auto* side = new QVBoxLayout;
    side->addWidget(cmdPrint = named(new QPushButton("Print the Guest Itinerary"), "cmdPrint"));
    cmdPrint->setToolTip("Print a Guest Itinerary for the Selected Guest");
    side->addWidget(cmdEmail = named(new QPushButton("Email the Guest Itinerary"), "cmdEmail"));
    cmdEmail->setToolTip("Email the Guest Itinerary for the Selected Guest");
    side->addWidget(cmdSpa = named(new QPushButton("Locate Guest in SpaSoft"), "cmdSpa"));
    side->addWidget(cmdTexts = named(new QPushButton("Header and Footer Text..."), "cmdTexts"));
    cmdTexts->setToolTip("Maintain Itinerary Header and Footer Text");
    side->addStretch();
    auto* lower = new QHBoxLayout;
    lower->addWidget(paper, 1);
    lower->addLayout(side);
    top->addLayout(lower);

    try {
        chkDefaultHeading->setChecked(GetUseHeadFoot(ctx));
        chkNoReferTime->setChecked(GetDNPRefTime(ctx));
    } catch (const std::exception& e) {
        ReportError(ctx.prompt(), e, "Form_Load", FormName, true);
    }
    cboLanguage->setCurrentIndex(qBound(0, ctx.session.language, cboLanguage->count() - 1));

    connect(grdItinerary, &DataGrid::rowActivated, this,
            [this](qint64 logId) { grdItinerary->removeKey(logId); });
    // The choice holds for the next itinerary too.
    connect(chkNoReferTime, &QCheckBox::toggled, this, [this](bool on) {
        try {
            SetDNPRefTime(m_ctx, on);
        } catch (const std::exception& e) {
            ReportError(m_ctx.prompt(), e, "chkNoReferTime_Click", FormName, true);
        }
    });
    connect(cmdPrint, &QPushButton::clicked, this, &ItineraryPanel::print);
    connect(cmdEmail, &QPushButton::clicked, this, &ItineraryPanel::email);
    connect(cmdSpa, &QPushButton::clicked, this, &ItineraryPanel::cmdSpa_Click);
    connect(cmdTexts, &QPushButton::clicked, this, &ItineraryPanel::cmdTexts_Click);
}

void ItineraryPanel::setEntries(const std::vector<LogEntry>& entries) {
    clearEntries();
    for (const LogEntry& e : entries) {
        if (m_profileId == 0 && e.profileId > 0) m_profileId = e.profileId;
        const QString details = EntryNotes(e.text, false).join(' ').simplified();
        const QTime time = Formats::ParseTime(e.referTime.trimmed());
        grdItinerary->setRow(e.logId,
                             {details.left(DetailsWidth), Formats::ShortDateOfStored(e.referDate),
                              time.isValid() ? Formats::Time12(time) : QString(),
                              e.entryType.trimmed(), Formats::ShortDateOfStored(e.arrivalDate),
                              QString::number(e.logId), e.text.simplified(), e.roomNumber.trimmed(),
                              e.contactId > 0 ? QString::number(e.contactId) : QString()});
    }
}

void ItineraryPanel::clearEntries() {
    grdItinerary->clearRows();
    m_profileId = 0;
}

std::vector<qint64> ItineraryPanel::logIds() const {
    std::vector<qint64> ids;
    for (qint64 id : grdItinerary->keys())
        ids.push_back(id);
    return ids;
}

ItineraryOptions ItineraryPanel::options() const {
    ItineraryOptions o;
    o.language = cboLanguage->currentIndex();
    o.letterhead = optLetterhead->isChecked();
    o.logo = chkLogo->isChecked();
    o.headingAndFooter = chkDefaultHeading->isChecked();
    o.fax = chkFax->isChecked();
    o.signature = chkSignature->isChecked();
    o.noReferTime = chkNoReferTime->isChecked();
    o.valediction = txtValediction->text().trimmed();
    return o;
}

bool ItineraryPanel::haveEntries() {
    if (grdItinerary->rowCount() > 0) return true;
    m_ctx.prompt().message(MsgNoItinerary);
    return false;
}

bool ItineraryPanel::print() {
    if (!haveEntries()) return false;
    QVariantMap args = ItineraryArgs(options());
    QVariantList ids;
    for (qint64 id : logIds())
        ids << id;
    args.insert(ArgLogIds, ids);
    try {
        args.insert(ArgEmailTo, ProfileMailRecipient(m_ctx, m_profileId));
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdPrint_Click", FormName, true);
        return false;
    }
    return OpenReport(m_ctx, {"PrintGuestItinerary", "Guest Itinerary", args}, window()) != nullptr;
}

bool ItineraryPanel::email() {
    if (!haveEntries()) return false;
    ItineraryMail mail;
    try {
        const std::vector<LogEntry> entries = ItineraryEntriesByIds(m_ctx, logIds());
        mail = ComposeItineraryMail(m_ctx, ComposeItinerary(m_ctx, entries, options()));
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdEmail_Click", FormName, true);
        return false;
    }
    // Without a usable address the mail program asks the member for one.
    if (m_ctx.mailer().send({mail.to, mail.subject, mail.body, {}})) return true;
    m_ctx.prompt().message(MsgItineraryNotMailed, {}, Icon::Exclamation);
    return false;
}

void ItineraryPanel::cmdSpa_Click() {
    m_ctx.prompt().message(MsgSpaNotInstalled);
}

void ItineraryPanel::cmdTexts_Click() {
    frmItinText texts(m_ctx, window());
    texts.exec();
}

} // namespace vm
