#include "guests/forms/frmGetContact.h"

#include "core/DataAccess.h"
#include "core/Settings.h"
#include "guests/ContactSearch.h"
#include "guests/Keywords.h"
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

const QString FormName = QStringLiteral("frmGetContact");
const QString MsgNoSearch = QStringLiteral("You are not authorized to Search for Contacts.");

class frmGetContact : public QDialog {
public:
    frmGetContact(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
        setObjectName(FormName);
        setWindowTitle("Select Contact to Display");
        auto* top = new QVBoxLayout(this);
        auto* modes = new QHBoxLayout;
        modes->addWidget(new QLabel("Select by"));
        modes->addWidget(optName = named(new QRadioButton("Primary Name"), "optName"));
        modes->addWidget(optKeyword = named(new QRadioButton("Keyword"), "optKeyword"));
        modes->addWidget(optAddress = named(new QRadioButton("Address"), "optAddress"));
        modes->addStretch();
        top->addLayout(modes);
        auto* input = new QHBoxLayout;
        input->addWidget(lblPrompt = named(new QLabel, "lblPrompt"));
        input->addWidget(txtSearch = named(new QLineEdit, "txtSearch"), 1);
        input->addWidget(cboKeyword = named(new QComboBox, "cboKeyword"), 1);
        input->addWidget(cmdSearch = named(new QPushButton("Search"), "cmdSearch"));
        top->addLayout(input);
        top->addWidget(grdContacts = named(new DataGrid, "grdContacts"), 1);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(cmdSelect = named(new QPushButton("Select"), "cmdSelect"));
        buttons->addWidget(cmdCancel = named(new QPushButton("Cancel"), "cmdCancel"));
        top->addLayout(buttons);
        resize(800, 500);

        bool crossStreets = false;
        try {
            crossStreets = GetBooleanSetting(ctx.db(), "CrossStreets");
            cboKeyword->addItem(QString());
            cboKeyword->addItems(GetAllKeywords(ctx));
        } catch (const DbError& e) {
            ReportError(ctx.prompt(), e, "GetAllKeywords", FormName, true);
        }
        QStringList headers{"Primary Name", "Contact Data", "Address"};
        if (crossStreets) headers << "Cross Streets";
        headers << "City"
                << "Keyword Set";
        grdContacts->setHeaders(headers);
        m_crossStreets = crossStreets;

        optName->setChecked(true);
        modeChanged();
        for (QRadioButton* b : {optName, optKeyword, optAddress})
            connect(b, &QRadioButton::toggled, this, [this] { modeChanged(); });
        connect(cmdSearch, &QPushButton::clicked, this, [this] { search(); });
        connect(txtSearch, &QLineEdit::returnPressed, this, [this] { search(); });
        connect(cmdSelect, &QPushButton::clicked, this,
                [this] { choose(grdContacts->currentKey()); });
        connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(grdContacts, &DataGrid::rowActivated, this, [this](qint64 key) { choose(key); });
    }

    std::optional<qint64> chosen;

private:
    PickBy by() const {
        return optKeyword->isChecked()   ? PickBy::Keyword
               : optAddress->isChecked() ? PickBy::Address
                                         : PickBy::PrimaryName;
    }

    void modeChanged() {
        const PickBy b = by();
        lblPrompt->setText(b == PickBy::Keyword   ? "Select Keyword:"
                           : b == PickBy::Address ? "Enter Address Data:"
                                                  : "Enter Primary Name:");
        txtSearch->setVisible(b != PickBy::Keyword);
        cboKeyword->setVisible(b == PickBy::Keyword);
    }

    void search() {
        const PickBy b = by();
        const PickerSelection s = BuildPickerSelection(
            m_ctx.contactsDb().engine(), b,
            b == PickBy::Keyword ? cboKeyword->currentText() : txtSearch->text());
        if (!s.refusal.isEmpty()) {
            m_ctx.prompt().message(s.refusal);
            return;
        }
        try {
            const QColor reserved =
                DataGrid::colorFromSetting(GetTextSetting(m_ctx.db(), "ColorProfile"));
            grdContacts->clearRows();
            for (const PickerRow& r : GetTheContactsB(m_ctx, s.filter)) {
                QStringList cells{r.name, r.contactData, r.address};
                if (m_crossStreets) cells << r.crossStreets;
                cells << r.city << r.keywordSet;
                grdContacts->setRow(r.id, cells,
                                    r.closed     ? QColor(Qt::red)
                                    : r.reserved ? reserved
                                                 : QColor());
            }
        } catch (const DbError& e) {
            ReportError(m_ctx.prompt(), e, "GetTheContactsB", "modDatabase");
        }
    }

    void choose(qint64 key) {
        if (key <= 0) {
            m_ctx.prompt().message("Please select the Contact you wish to use.  Thank you.");
            return;
        }
        chosen = key;
        accept();
    }

    AppContext& m_ctx;
    bool m_crossStreets = false;
    QRadioButton *optName, *optKeyword, *optAddress;
    QLabel* lblPrompt;
    QLineEdit* txtSearch;
    QComboBox* cboKeyword;
    QPushButton *cmdSearch, *cmdSelect, *cmdCancel;
    DataGrid* grdContacts;
};

} // namespace

std::optional<qint64> PickContact(AppContext& ctx, QWidget* parent) {
    try {
        // The picker searches: the Guest Viewer and members without the right are refused.
        if (IsGuestViewer(ctx.session) || !MayDo(ctx, Rights::ContactsSearch)) {
            ctx.prompt().message(MsgNoSearch);
            return std::nullopt;
        }
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "Form_Load", FormName, true);
        return std::nullopt;
    }
    frmGetContact dialog(ctx, parent);
    dialog.exec();
    return dialog.chosen;
}

} // namespace vm
