// The "Indicators" tab: the profile's named preferences, and in the same
// place the guest's stays.

#include "core/Formats.h"
#include "guests/forms/ProfileTabs.h"
#include "guests/forms/ProfileTabsUi.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vm {

using namespace profiletabs;

namespace {

const QString ShowTrips = QStringLiteral("Show Trip History");
const QString ShowIndicators = QStringLiteral("Show Profile Indicators");

// Stays come from the hotel's systems: a date they did not store as a day
// is shown as they wrote it.
QString ShownDate(const QString& stored) {
    const QString shown = Formats::ShortDateOfStored(stored);
    return shown.isEmpty() ? stored.trimmed() : shown;
}

} // namespace

QString MsgIndicatorFields(const QString& button) {
    return "Please enter information into all fields before selecting the " + button +
           " button.  Thank you.";
}

ProfileIndicatorsTab::ProfileIndicatorsTab(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("ProfileIndicatorsTab");
    m_grids = named(new QStackedWidget(this), "stkIndicators");
    grdProfiler = named(new DataGrid(m_grids), "grdProfiler");
    grdProfiler->setHeaders({"Preference", "Selection"});
    grdProfiler->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grdTrips = named(new DataGrid(m_grids), "grdTrips");
    grdTrips->setHeaders({"Confirmation", "Arrival Date", "Departure Date"});
    m_grids->addWidget(grdProfiler);
    m_grids->addWidget(grdTrips);

    cboProfileType = named(new QComboBox(this), "cboProfileType");
    cboProfileType->setMinimumContentsLength(20);
    lblEntryHint = named(new QLabel(this), "lblEntryHint");
    txtProfileSelection = makeLineEdit(this, "txtProfileSelection", false, 255);
    cmdAddIndicator = named(new QPushButton("Add", this), "cmdAddIndicator");
    cmdChangeIndicator = named(new QPushButton("Change", this), "cmdChangeIndicator");
    cmdDeleteIndicator = named(new QPushButton("Delete", this), "cmdDeleteIndicator");
    cmdTrips = named(new QPushButton(ShowTrips, this), "cmdTrips");

    auto* input = new QHBoxLayout;
    input->addWidget(cboProfileType);
    input->addWidget(txtProfileSelection, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdAddIndicator, cmdChangeIndicator, cmdDeleteIndicator})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdTrips);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grids, 1);
    layout->addLayout(input);
    layout->addWidget(lblEntryHint);
    layout->addLayout(buttons);

    connect(cboProfileType, &QComboBox::currentIndexChanged, this, [this] { showHint(); });
    connect(grdProfiler->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showSelected(); });
    connect(cmdAddIndicator, &QPushButton::clicked, this, [this] { cmdAddIndicator_Click(); });
    connect(cmdChangeIndicator, &QPushButton::clicked, this,
            [this] { cmdChangeIndicator_Click(); });
    connect(cmdDeleteIndicator, &QPushButton::clicked, this,
            [this] { cmdDeleteIndicator_Click(); });
    connect(cmdTrips, &QPushButton::clicked, this, [this] { cmdTrips_Click(); });
    setEnabled(false);
}

void ProfileIndicatorsTab::setProfile(const Profile& p) {
    m_profileId = p.id;
    m_grids->setCurrentWidget(grdProfiler);
    cmdTrips->setText(ShowTrips);
    txtProfileSelection->clear();
    grdTrips->clearRows();
    loadTypes();
    ShowButtons({cmdAddIndicator, cmdChangeIndicator, cmdDeleteIndicator},
                Holds(m_ctx, Rights::ProfilesIndicators));
    setEnabled(m_profileId > 0);
    refresh();
}

void ProfileIndicatorsTab::loadTypes() {
    m_types.clear();
    Guarded(m_ctx, "GetProfileTypes", [&] { m_types = GetAllPreferenceTypes(m_ctx); });
    QSignalBlocker quiet(cboProfileType);
    cboProfileType->clear();
    cboProfileType->addItem(QString());
    for (const IndicatorType& t : m_types)
        cboProfileType->addItem(t.name);
    cboProfileType->setCurrentIndex(0);
    showHint();
}

void ProfileIndicatorsTab::showHint() {
    const int at = cboProfileType->currentIndex() - 1; // the blank item comes first
    lblEntryHint->setText(at >= 0 && at < int(m_types.size()) ? m_types[size_t(at)].hint.trimmed()
                                                              : QString());
}

void ProfileIndicatorsTab::refresh(qint64 selectId) {
    grdProfiler->clearRows();
    m_rows.clear();
    if (m_profileId <= 0) return;
    // Private indicators are for managers' eyes only.
    Guarded(m_ctx, "GetProfilePI",
            [&] { m_rows = GetProfilePI(m_ctx, m_profileId, m_ctx.session.manager); });
    for (const ProfileIndicator& i : m_rows)
        grdProfiler->setRow(i.id, {i.type, i.value});
    if (selectId > 0) grdProfiler->selectKey(selectId);
}

void ProfileIndicatorsTab::showSelected() {
    const qint64 key = grdProfiler->currentKey();
    for (const ProfileIndicator& i : m_rows)
        if (i.id == key) {
            const int at = cboProfileType->findText(i.type, Qt::MatchFixedString);
            // A type since deleted from the list still shows, so a change keeps it.
            if (at < 0) cboProfileType->addItem(i.type);
            cboProfileType->setCurrentIndex(at >= 0 ? at : cboProfileType->count() - 1);
            txtProfileSelection->setText(i.value);
            return;
        }
}

std::vector<ProfileIndicator> ProfileIndicatorsTab::selectedIndicators() const {
    std::vector<ProfileIndicator> out;
    for (qint64 key : grdProfiler->selectedKeys())
        for (const ProfileIndicator& i : m_rows)
            if (i.id == key) out.push_back(i);
    return out;
}

bool ProfileIndicatorsTab::mayMaintain() {
    return m_profileId > 0 && Allowed(m_ctx, Rights::ProfilesIndicators, MsgMaintainIndicators);
}

bool ProfileIndicatorsTab::readInput(const QString& button, QString& type, QString& value) {
    type = cboProfileType->currentText().trimmed();
    value = txtProfileSelection->text().trimmed();
    if (type.isEmpty() || value.isEmpty()) {
        m_ctx.prompt().message(MsgIndicatorFields(button));
        return false;
    }
    value = CleanSqlText(value);
    txtProfileSelection->setText(value);
    bool isCard = false;
    if (!Guarded(m_ctx, "IndicatorIsCardNumber",
                 [&] { isCard = IndicatorIsCardNumber(m_ctx, value); }))
        return false;
    if (isCard) {
        m_ctx.prompt().message(MsgIndicatorIsCard, {}, Icon::Exclamation);
        return false;
    }
    return true;
}

void ProfileIndicatorsTab::cmdAddIndicator_Click() {
    QString type, value;
    if (!mayMaintain() || !readInput("Add", type, value)) return;
    qint64 id = 0;
    if (!Guarded(m_ctx, "InsertProfilePI",
                 [&] { id = InsertProfilePI(m_ctx, m_profileId, type, value); }))
        return;
    txtProfileSelection->clear();
    refresh(id);
    notifyChanged();
}

qint64 ProfileIndicatorsTab::chosenRow(const QString& refusal) {
    const QList<qint64> selected = grdProfiler->selectedKeys();
    if (selected.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return 0;
    }
    const qint64 current = grdProfiler->currentKey();
    return selected.contains(current) ? current : selected.first();
}

void ProfileIndicatorsTab::cmdChangeIndicator_Click() {
    if (!mayMaintain()) return;
    const qint64 id = chosenRow(MsgSelectIndicatorChange);
    QString type, value;
    if (id <= 0 || !readInput("Change", type, value)) return;
    if (!Guarded(m_ctx, "UpdateProfilePI", [&] { UpdateProfilePI(m_ctx, id, type, value); }))
        return;
    refresh(id);
    notifyChanged();
}

void ProfileIndicatorsTab::cmdDeleteIndicator_Click() {
    if (!mayMaintain()) return;
    const qint64 id = chosenRow(MsgSelectIndicatorDelete);
    if (id <= 0) return;
    if (!Guarded(m_ctx, "DeleteProfilePI", [&] { DeleteProfilePI(m_ctx, id); })) return;
    txtProfileSelection->clear();
    refresh();
    notifyChanged();
}

void ProfileIndicatorsTab::cmdTrips_Click() {
    if (m_grids->currentWidget() == grdTrips) {
        m_grids->setCurrentWidget(grdProfiler);
        cmdTrips->setText(ShowTrips);
        return;
    }
    grdTrips->clearRows();
    std::vector<ProfileTrip> trips;
    Guarded(m_ctx, "GetTripHistory", [&] { trips = GetTripHistory(m_ctx, m_profileId); });
    qint64 key = 0;
    for (const ProfileTrip& t : trips)
        grdTrips->setRow(++key, {t.confirmation, ShownDate(t.arrival), ShownDate(t.departure)});
    m_grids->setCurrentWidget(grdTrips);
    cmdTrips->setText(ShowIndicators);
}

void ProfileIndicatorsTab::notifyChanged() {
    if (changed) changed();
}

} // namespace vm
