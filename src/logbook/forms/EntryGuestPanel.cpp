#include "logbook/forms/EntryGuestPanel.h"

#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace vm {

EntryGuestPanel::EntryGuestPanel(bool residential, QWidget* parent) : QGroupBox("Guest", parent) {
    auto* form = new QFormLayout(this);
    form->addRow("Last Name:", txtLastName = named(new QLineEdit, "txtLastName"));
    form->addRow("First Name:", txtFirstName = named(new QLineEdit, "txtFirstName"));
    form->addRow(residential ? "Unit:" : "Room:",
                 txtRoomNumber = named(new QLineEdit, "txtRoomNumber"));
    form->addRow("Guest ID:", txtGuestID = named(new QLineEdit, "txtGuestID"));
    form->addRow("Group:", cboGroup = named(new QComboBox, "cboGroup"));
    auto* profile = new QHBoxLayout;
    profile->addWidget(cmdShowProfile = named(new QPushButton("Profile..."), "cmdShowProfile"));
    profile->addWidget(cmdDeselectProfile =
                           named(new QPushButton("Deselect"), "cmdDeselectProfile"));
    cmdDeselectProfile->setToolTip("Take the profile off this entry");
    profile->addWidget(cmdItinerary = named(new QPushButton("Itinerary..."), "cmdItinerary"));
    cmdItinerary->setToolTip("Create an Itinerary for the Guest with this Guest ID");
    cmdItinerary->setEnabled(false);
    profile->addStretch();
    form->addRow(profile);
    cboGroup->addItem(QString(), 0);

    for (QLineEdit* e : {txtLastName, txtFirstName, txtRoomNumber, txtGuestID})
        connect(e, &QLineEdit::textEdited, this, &EntryGuestPanel::edited);
    connect(cboGroup, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_showing) Q_EMIT edited();
    });
    connect(cmdShowProfile, &QPushButton::clicked, this, &EntryGuestPanel::profileClicked);
    connect(cmdDeselectProfile, &QPushButton::clicked, this, &EntryGuestPanel::deselectClicked);
    connect(txtGuestID, &QLineEdit::textChanged, this,
            [this](const QString& id) { cmdItinerary->setEnabled(!id.trimmed().isEmpty()); });
    connect(cmdItinerary, &QPushButton::clicked, this, &EntryGuestPanel::itineraryClicked);
}

void EntryGuestPanel::fillGroups(const std::vector<std::pair<qint64, QString>>& groups) {
    m_showing = true;
    cboGroup->clear();
    cboGroup->addItem(QString(), 0);
    for (const auto& [id, name] : groups)
        cboGroup->addItem(name, id);
    m_showing = false;
}

void EntryGuestPanel::show(const LogEntry& e) {
    m_showing = true;
    txtLastName->setText(e.lastName);
    txtFirstName->setText(e.firstName);
    txtRoomNumber->setText(e.roomNumber);
    txtGuestID->setText(e.guestId);
    const int group = cboGroup->findData(e.groupId);
    cboGroup->setCurrentIndex(group < 0 ? 0 : group);
    m_showing = false;
}

void EntryGuestPanel::prefill(const LogEntry& v) {
    m_showing = true;
    if (!v.lastName.isEmpty()) txtLastName->setText(v.lastName);
    if (!v.firstName.isEmpty()) txtFirstName->setText(v.firstName);
    if (!v.roomNumber.isEmpty()) txtRoomNumber->setText(v.roomNumber);
    if (!v.guestId.isEmpty()) txtGuestID->setText(v.guestId);
    if (v.groupId > 0) {
        const int group = cboGroup->findData(v.groupId);
        if (group >= 0) cboGroup->setCurrentIndex(group);
    }
    m_showing = false;
}

void EntryGuestPanel::showPicked(const PickedProfile& p) {
    txtLastName->setText(p.lastName);
    txtFirstName->setText(p.firstName);
    if (!p.roomNumber.isEmpty()) txtRoomNumber->setText(p.roomNumber);
    if (!p.guestId.isEmpty()) txtGuestID->setText(p.guestId);
}

void EntryGuestPanel::gather(LogEntry& e) const {
    e.lastName = txtLastName->text().trimmed();
    e.firstName = txtFirstName->text().trimmed();
    e.roomNumber = txtRoomNumber->text().trimmed();
    e.guestId = txtGuestID->text().trimmed();
    e.groupId = cboGroup->currentData().toLongLong();
}

QString EntryGuestPanel::guestId() const {
    return txtGuestID->text();
}

void EntryGuestPanel::setReadOnly(bool readOnly) {
    for (QLineEdit* e : {txtLastName, txtFirstName, txtRoomNumber, txtGuestID})
        e->setReadOnly(readOnly);
    for (QWidget* w : std::initializer_list<QWidget*>{cboGroup, cmdShowProfile, cmdDeselectProfile})
        w->setEnabled(!readOnly);
}

} // namespace vm
