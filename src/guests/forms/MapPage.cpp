#include "guests/forms/MapPage.h"

#include "core/DataAccess.h"
#include "core/Rights.h"
#include "guests/Contacts.h"
#include "guests/HandheldContacts.h"
#include "guests/Maps.h"
#include "logbook/EntryRules.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmMapOptions");

void OpenMap(AppContext& ctx, const MapPlace& to, const QVariantMap& printArgs,
             const QString& title, QWidget* parent) {
    const MapSettings s = LoadMapSettings(ctx);
    if (MapOpensInBrowser(s))
        ctx.desktop().openUrl(QUrl::fromEncoded(BuildMapURL(s, to).toUtf8()));
    else
        OpenReport(ctx, {"PrintMapPointMap", title, printArgs}, parent);
}

} // namespace

MapPage::MapPage(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("MapPage");
    auto* layout = new QVBoxLayout(this);
    auto* map = new QGroupBox("Create Your Own Map", this);
    auto* form = new QFormLayout(map);
    txtMapName = makeLineEdit(map, "txtMapName", false, 100);
    txtMapAddress = makeLineEdit(map, "txtMapAddress", false, 100);
    txtMapCity = makeLineEdit(map, "txtMapCity");
    txtMapState = makeLineEdit(map, "txtMapState");
    txtMapPostalCode = makeLineEdit(map, "txtMapPostalCode", false, 20);
    cboMapProvider = named(new QComboBox(map), "cboMapProvider");
    cboMapProvider->setEditable(true);
    cboMapProvider->addItems({MapProviderGoogle, MapProviderPrinted});
    txtMapURL = makeLineEdit(map, "txtMapURL", false, 250);
    txtPropertyID = makeLineEdit(map, "txtPropertyID", false, 30);
    form->addRow("Property Name:", txtMapName);
    form->addRow("Address:", txtMapAddress);
    form->addRow("City:", txtMapCity);
    form->addRow("State:", txtMapState);
    form->addRow("Postal Code:", txtMapPostalCode);
    form->addRow("Map Provider:", cboMapProvider);
    form->addRow("Map Page Address:", txtMapURL);
    form->addRow("Property ID:", txtPropertyID);
    cmdSaveMap = named(new QPushButton("&Save", map), "cmdSaveMap");
    form->addRow(QString(), cmdSaveMap);
    layout->addWidget(map);

    auto* handheld = new QGroupBox("Hand-held", this);
    auto* handheldLayout = new QVBoxLayout(handheld);
    handheldLayout->addWidget(new QLabel(HandheldExtractText, handheld));
    handheldLayout->addWidget(new QLabel(HandheldHintText, handheld));
    cmdBuildPalm = named(new QPushButton(HandheldButtonText, handheld), "cmdBuildPalm");
    handheldLayout->addWidget(cmdBuildPalm);
    layout->addWidget(handheld);
    layout->addStretch();

    connect(cmdSaveMap, &QPushButton::clicked, this, &MapPage::save);
    connect(cmdBuildPalm, &QPushButton::clicked, this, &MapPage::buildHandheld);
    reload();
}

void MapPage::reload() {
    try {
        const MapSettings s = LoadMapSettings(m_ctx);
        txtMapName->setText(s.name);
        txtMapAddress->setText(s.address);
        txtMapCity->setText(s.city);
        txtMapState->setText(s.state);
        txtMapPostalCode->setText(s.postalCode);
        cboMapProvider->setCurrentText(s.provider);
        txtMapURL->setText(s.url);
        txtPropertyID->setText(s.propertyId);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "Form_Load", FormName, true);
    }
}

void MapPage::save() {
    MapSettings s;
    s.name = txtMapName->text();
    s.address = txtMapAddress->text();
    s.city = txtMapCity->text();
    s.state = txtMapState->text();
    s.postalCode = txtMapPostalCode->text();
    s.provider = cboMapProvider->currentText();
    s.url = txtMapURL->text();
    s.propertyId = txtPropertyID->text();
    try {
        SaveMapSettings(m_ctx, s);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdSaveMap_Click", FormName, true);
        return;
    }
    m_ctx.prompt().message(MsgMapSaved);
}

void MapPage::buildHandheld() {
    const WaitCursor wait;
    const HandheldContactsResult r = BuildHandheldContactFile(m_ctx, HandheldFolder(m_ctx));
    m_ctx.prompt().message(r.message, {}, r.ok ? Icon::Information : Icon::Exclamation);
}

frmPointToPoint::frmPointToPoint(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName("frmPointToPoint");
    setWindowTitle("Create Your Own Point-to-Point Map");
    auto* form = new QFormLayout(this);
    txtToName = makeLineEdit(this, "txtToName", false, 100);
    txtToAddress = makeLineEdit(this, "txtToAddress", false, 100);
    txtToCity = makeLineEdit(this, "txtToCity");
    txtToState = makeLineEdit(this, "txtToState");
    form->addRow("Destination Name:", txtToName);
    form->addRow("Address:", txtToAddress);
    form->addRow("City:", txtToCity);
    form->addRow("State:", txtToState);
    auto* buttons = new QHBoxLayout;
    cmdShowMap = named(new QPushButton("Show the &Map", this), "cmdShowMap");
    cmdCancel = named(new QPushButton("&Close", this), "cmdCancel");
    buttons->addWidget(cmdShowMap);
    buttons->addWidget(cmdCancel);
    form->addRow(buttons);
    connect(cmdShowMap, &QPushButton::clicked, this, &frmPointToPoint::showMap);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmPointToPoint::showMap() {
    if (txtToAddress->text().trimmed().isEmpty()) {
        m_ctx.prompt().message(MsgMapDestinationMissing);
        return;
    }
    const MapPlace to{txtToName->text().trimmed(), txtToAddress->text().trimmed(),
                      txtToCity->text().trimmed(), txtToState->text().trimmed()};
    try {
        OpenMap(m_ctx, to,
                {{"toName", to.name},
                 {"toAddress", to.address},
                 {"toCity", to.city},
                 {"toState", to.state}},
                "Point to Point", this);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdShowMap_Click", "frmPointToPoint", true);
    }
}

void OpenPointToPointMap(AppContext& ctx, QWidget* parent) {
    if (!MayDoOrSay(ctx, Rights::OthersMap, MsgOthersMapRight)) return;
    const QString refusal = CheckMapSetUp(LoadMapSettings(ctx));
    if (!refusal.isEmpty()) {
        ctx.prompt().message(refusal);
        return;
    }
    frmPointToPoint dialog(ctx, parent);
    dialog.exec();
}

void OpenContactMap(AppContext& ctx, qint64 contactId, QWidget* parent) {
    const QString refusal = CheckMapSetUp(LoadMapSettings(ctx));
    if (!refusal.isEmpty()) {
        ctx.prompt().message(refusal);
        return;
    }
    try {
        const std::optional<Contact> c = GetTheContact(ctx, contactId);
        if (!c) {
            ctx.prompt().message("The contact of this entry is no longer in the directory.");
            return;
        }
        OpenMap(ctx, {c->name, c->address, c->city, c->state}, {{"contactId", c->id}}, "Directions",
                parent);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "OpenContactMap", "frmLogbook", true);
    }
}

} // namespace vm
