#include "logbook/forms/EntryContactPanel.h"

#include "core/DataAccess.h"
#include "guests/ContactSearch.h"
#include "platform/forms/FormHelpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vm {

namespace {

// The guest's side of a contact: where it is, how to get there, what to know.
QString infoText(const ContactSummary& c) {
    QStringList parts;
    if (!c.crossStreets.trimmed().isEmpty()) parts << "Cross Streets: " + c.crossStreets.trimmed();
    if (!c.directions.trimmed().isEmpty()) parts << "Directions: " + c.directions.trimmed();
    if (!c.guestInfo.trimmed().isEmpty()) parts << "Guest Information: " + c.guestInfo.trimmed();
    QStringList restaurant;
    if (!c.cuisine.trimmed().isEmpty()) restaurant << "Cuisine: " + c.cuisine.trimmed();
    if (!c.price.trimmed().isEmpty()) restaurant << "Price Range: " + c.price.trimmed();
    if (!restaurant.isEmpty()) parts << restaurant.join("   ");
    return parts.join("\n");
}

} // namespace

EntryContactPanel::EntryContactPanel(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("EntryContactPanel");
    auto* g = new QGridLayout(this);
    g->setContentsMargins(0, 0, 0, 0);
    g->addWidget(new QLabel("Contact:"), 0, 0);
    g->addWidget(lblContactName = named(new QLabel, "lblContactName"), 0, 1);
    lblContactName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    g->addWidget(cmdPickContact = named(new QPushButton("Select Contact…"), "cmdPickContact"), 0,
                 2);
    cmdPickContact->setToolTip("Choose the contact of this entry (Ctrl+R opens it)");
    g->addWidget(cmdClearContact = named(new QPushButton("Clear Contact"), "cmdClearContact"), 0,
                 3);
    g->addWidget(txtContactInfo = named(new QPlainTextEdit, "txtContactInfo"), 1, 0, 1, 4);
    txtContactInfo->setReadOnly(true);
    txtContactInfo->setMaximumHeight(70);
    g->setColumnStretch(1, 1);
    connect(cmdPickContact, &QPushButton::clicked, this, &EntryContactPanel::pickClicked);
    connect(cmdClearContact, &QPushButton::clicked, this, &EntryContactPanel::clearClicked);
    showContact(0);
}

void EntryContactPanel::showContact(qint64 contactId) {
    m_contactId = contactId;
    lblContactName->clear();
    txtContactInfo->clear();
    txtContactInfo->setVisible(false);
    if (contactId > 0) {
        try {
            const std::optional<ContactSummary> c = GetTheContactD(m_ctx, contactId);
            if (!c) {
                lblContactName->setText("(Contact " + QString::number(contactId) +
                                        " is no longer in the directory)");
            } else {
                QStringList line{c->name.trimmed()};
                if (!c->address.trimmed().isEmpty()) line << c->address.trimmed();
                lblContactName->setText(line.join(", "));
                const QString info = infoText(*c);
                txtContactInfo->setPlainText(info);
                txtContactInfo->setVisible(!info.isEmpty());
            }
        } catch (const DbError& e) {
            ReportError(m_ctx.prompt(), e, "GetTheContactD", "modDatabase");
        }
    }
    applyButtons();
}

void EntryContactPanel::setReadOnly(bool readOnly, bool canPick) {
    m_readOnly = readOnly;
    m_canPick = canPick;
    applyButtons();
}

void EntryContactPanel::applyButtons() {
    cmdPickContact->setVisible(m_canPick && !m_readOnly);
    cmdClearContact->setVisible(!m_readOnly && m_contactId > 0);
}

} // namespace vm
