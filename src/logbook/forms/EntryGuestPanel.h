#pragma once
// The entry screen's guest: names, room, guest id, group, and the way to the
// guest's profile.

#include "logbook/LogEntry.h"
#include "logbook/forms/LogbookScreenHooks.h"

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vm {

class EntryGuestPanel : public QGroupBox {
    Q_OBJECT
public:
    // `residential`: the room is a unit.
    explicit EntryGuestPanel(bool residential, QWidget* parent = nullptr);

    void fillGroups(const std::vector<std::pair<qint64, QString>>& groups);
    void show(const LogEntry& e);
    // Only the values another screen handed over.
    void prefill(const LogEntry& values);
    void showPicked(const PickedProfile& p);
    void gather(LogEntry& e) const;
    QString guestId() const;
    void setReadOnly(bool readOnly);

Q_SIGNALS:
    void edited();
    void profileClicked();
    void deselectClicked();
    // The guest's itinerary (enabled while a guest id is shown).
    void itineraryClicked();

private:
    QLineEdit *txtLastName, *txtFirstName, *txtRoomNumber, *txtGuestID;
    QComboBox* cboGroup;
    QPushButton *cmdShowProfile, *cmdDeselectProfile, *cmdItinerary;
    bool m_showing = false;
};

} // namespace vm
