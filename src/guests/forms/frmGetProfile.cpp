// The profile picker ("Select Profile to Display"): the logbook entry screen
// and other screens choose a guest through it, or make a new one from it.

#include "core/DataAccess.h"
#include "core/Rights.h"
#include "core/Settings.h"
#include "guests/OtherLists.h"
#include "guests/ProfilePicker.h"
#include "guests/forms/ProfileWindows.h"
#include "guests/forms/frmProfileEdit.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmGetProfile");
const QString MsgSelectProfileRow =
    QStringLiteral("Please select the Profile you wish to use.  Thank you.");
const QString MsgAddProfilesRight =
    QStringLiteral("You are not authorized to Add Profiles Information.");

// What the picker hands on of a profile.
std::optional<PickedProfile> PickedOf(AppContext& ctx, qint64 id) {
    const std::optional<Profile> p = GetProfile(ctx, id);
    if (!p) return std::nullopt;
    PickedProfile picked;
    picked.profileId = p->id;
    picked.firstName = p->firstName.trimmed();
    picked.lastName = p->lastName.trimmed();
    const ProfileAddress& primary = p->primary();
    picked.address = primary.line1.trimmed();
    picked.city = primary.city.trimmed();
    picked.state = primary.state.trimmed();
    picked.postalCode = primary.postalCode.trimmed();
    picked.email = p->email.trimmed();
    picked.roomNumber = ProfileIndicatorValue(ctx, id, "Room Number").trimmed();
    picked.guestId = ProfileIndicatorValue(ctx, id, "GuestID").trimmed();
    return picked;
}

// The entry's room and guest id become the new profile's indicators, when the
// property keeps those indicator types.
void StoreSeedIndicators(AppContext& ctx, qint64 profileId, const PickedProfile& seed) {
    const std::pair<QString, QString> values[] = {{"Room Number", seed.roomNumber},
                                                  {"GuestID", seed.guestId}};
    for (const auto& [type, value] : values)
        if (!value.trimmed().isEmpty() && GetPreferenceType(ctx, type) &&
            ProfileIndicatorValue(ctx, profileId, type).trimmed().isEmpty())
            InsertProfilePI(ctx, profileId, type, value.trimmed());
}

class frmGetProfile : public QDialog {
public:
    frmGetProfile(AppContext& ctx, const PickedProfile& seed, QWidget* parent)
        : QDialog(parent), m_ctx(ctx), m_seed(seed) {
        setObjectName(FormName);
        setWindowTitle("Select Profile to Display");
        auto* top = new QVBoxLayout(this);
        auto* modes = new QHBoxLayout;
        modes->addWidget(new QLabel("Select by"));
        modes->addWidget(optFirstName = named(new QRadioButton("First Name"), "optFirstName"));
        modes->addWidget(optLastName = named(new QRadioButton("Last Name"), "optLastName"));
        modes->addWidget(optProfileType =
                             named(new QRadioButton("Profile Type"), "optProfileType"));
        modes->addStretch();
        top->addLayout(modes);
        auto* input = new QHBoxLayout;
        input->addWidget(txtSearch = named(new QLineEdit, "txtSearch"), 1);
        input->addWidget(cboProfileType = named(new QComboBox, "cboProfileType"), 1);
        input->addWidget(cmdSearch = named(new QPushButton("&Search"), "cmdSearch"));
        top->addLayout(input);
        top->addWidget(grdProfiles = named(new DataGrid, "grdProfiles"), 1);
        grdProfiles->setHeaders(
            {"First Name", "Last Name", "Home Phone", "Cell Phone", "Business Phone", "Fax Phone"});
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(cmdNewProfile = named(new QPushButton("New Profile"), "cmdNewProfile"));
        buttons->addStretch();
        buttons->addWidget(cmdSelect = named(new QPushButton("Select"), "cmdSelect"));
        buttons->addWidget(cmdCancel = named(new QPushButton("Cancel"), "cmdCancel"));
        top->addLayout(buttons);
        for (QPushButton* b : {cmdSearch, cmdNewProfile, cmdSelect, cmdCancel})
            b->setAutoDefault(false);
        resize(760, 460);

        try {
            cboProfileType->addItem(QString());
            cboProfileType->addItems(GetOtherValues(ctx, "ProType"));
        } catch (const DbError& e) {
            ReportError(ctx.prompt(), e, "Form_Load", FormName, true);
        }
        optLastName->setChecked(true);
        txtSearch->setText(seed.lastName.trimmed());
        modeChanged();
        for (QRadioButton* b : {optFirstName, optLastName, optProfileType})
            connect(b, &QRadioButton::toggled, this, [this] { modeChanged(); });
        connect(cmdSearch, &QPushButton::clicked, this, [this] { search(); });
        connect(txtSearch, &QLineEdit::returnPressed, this, [this] { search(); });
        connect(cmdSelect, &QPushButton::clicked, this,
                [this] { choose(grdProfiles->currentKey()); });
        connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(cmdNewProfile, &QPushButton::clicked, this, [this] { newProfile(); });
        connect(grdProfiles, &DataGrid::rowActivated, this, [this](qint64 key) { choose(key); });
    }

    std::optional<PickedProfile> chosen;

private:
    ProfilePickBy by() const {
        return optFirstName->isChecked()     ? ProfilePickBy::FirstName
               : optProfileType->isChecked() ? ProfilePickBy::ProfileType
                                             : ProfilePickBy::LastName;
    }

    void modeChanged() {
        const bool byType = by() == ProfilePickBy::ProfileType;
        txtSearch->setVisible(!byType);
        cboProfileType->setVisible(byType);
    }

    void search() {
        const ProfilePickBy b = by();
        const ProfilePickerSelection s = BuildProfilePickerSelection(
            m_ctx.db().engine(), b,
            b == ProfilePickBy::ProfileType ? cboProfileType->currentText() : txtSearch->text(),
            m_ctx.session.manager);
        if (!s.refusal.isEmpty()) {
            m_ctx.prompt().message(s.refusal);
            return;
        }
        try {
            WaitCursor wait;
            grdProfiles->clearRows();
            for (const ProfilePickerRow& r : GetTheProfilesB(m_ctx, s)) {
                QColor fore;
                if (r.colorCode)
                    if (const qint64 v = ProfileColorValue(r.color); v >= 0)
                        fore = DataGrid::colorFromSetting(QString::number(v));
                grdProfiles->setRow(r.id,
                                    {r.firstName, r.lastName, r.homePhone, r.cellPhone,
                                     r.businessPhone, r.faxPhone},
                                    fore);
            }
        } catch (const DbError& e) {
            ReportError(m_ctx.prompt(), e, "GetTheProfilesB", "modDatabase");
        }
    }

    void choose(qint64 key) {
        if (key <= 0) {
            m_ctx.prompt().message(MsgSelectProfileRow);
            return;
        }
        try {
            chosen = PickedOf(m_ctx, key);
        } catch (const DbError& e) {
            ReportError(m_ctx.prompt(), e, "GetProfileDisplayInformation", "modDatabase");
            return;
        }
        if (!chosen) {
            m_ctx.prompt().message(GoneElsewhereMessage("Profile"), {}, Icon::Exclamation);
            return;
        }
        accept();
    }

    void newProfile() {
        if (!MayDoOrSay(m_ctx, Rights::ProfilesAdd, MsgAddProfilesRight)) return;
        ProfileWindowOptions options;
        options.fromLogbook = true;
        Profile prefill;
        prefill.firstName = m_seed.firstName.trimmed();
        prefill.lastName = m_seed.lastName.trimmed();
        try {
            if (GetBooleanSetting(m_ctx.db(), "IsResidential"))
                prefill.unit = m_seed.roomNumber.trimmed();
        } catch (const DbError& e) {
            ReportError(m_ctx.prompt(), e, "cmdNewProfile_Click", FormName, true);
        }
        options.prefill = prefill;
        qint64 saved = 0;
        const PickedProfile seed = m_seed;
        AppContext& ctx = m_ctx;
        options.saved = [&saved, &ctx, seed](qint64 id) {
            if (saved == 0) StoreSeedIndicators(ctx, id, seed);
            saved = id;
        };
        options.deleted = [&saved](qint64 id) {
            if (id == saved) saved = 0;
        };
        frmProfileEdit screen(m_ctx, 0, options, this);
        screen.exec();
        if (saved > 0) choose(saved);
    }

    AppContext& m_ctx;
    PickedProfile m_seed;
    QRadioButton *optFirstName, *optLastName, *optProfileType;
    QLineEdit* txtSearch;
    QComboBox* cboProfileType;
    QPushButton *cmdSearch, *cmdSelect, *cmdNewProfile, *cmdCancel;
    DataGrid* grdProfiles;
};

} // namespace

std::optional<PickedProfile> PickProfile(AppContext& ctx, const PickedProfile& seed,
                                         QWidget* parent) {
    try {
        if (IsGuestViewer(ctx.session) || !MayDo(ctx, Rights::TabProfiles)) {
            ctx.prompt().message(MsgNoProfileSearch);
            return std::nullopt;
        }
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "Form_Load", FormName, true);
        return std::nullopt;
    }
    frmGetProfile dialog(ctx, seed, parent);
    dialog.exec();
    return dialog.chosen;
}

} // namespace vm
