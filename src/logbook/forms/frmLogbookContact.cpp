// The entry screen's contact: the picker chooses it, the clear button drops
// it; either way the entry has changed and the contact's notes are read again.

#include "logbook/forms/DesignFieldsPanel.h"
#include "logbook/forms/EntryContactPanel.h"
#include "logbook/forms/EntryLinksPanel.h"
#include "logbook/forms/frmLogbook.h"

namespace vm {

void frmLogbook::cmdPickContact_Click() {
    if (m_readOnly || !m_hooks.selectContact) return;
    const std::optional<qint64> chosen = m_hooks.selectContact(this);
    if (!chosen || *chosen <= 0 || *chosen == m_entry.contactId) return;
    contactChosen(*chosen);
}

void frmLogbook::cmdClearContact_Click() {
    if (m_readOnly || m_entry.contactId <= 0) return;
    contactChosen(0);
}

void frmLogbook::contactChosen(qint64 contactId) {
    m_entry.contactId = contactId;
    markChanged();
    m_contact->showContact(contactId);
    // The custom form's contact line takes the new contact's details while it is empty.
    DesignFieldsPanel* design = m_links->design();
    const int line = design->contactLine();
    if (contactId > 0 && line >= 0 && m_hooks.contactDetails &&
        design->values().value(line).trimmed().isEmpty())
        design->setValue(line, m_hooks.contactDetails(contactId));
    showContactNotes();
}

} // namespace vm
