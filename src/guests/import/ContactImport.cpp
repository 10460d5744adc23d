// Contacts from a file: the contact screen's fields and checks, stored by InsertContact.

#include "core/Settings.h"
#include "guests/Contacts.h"
#include "guests/import/CsvImportKinds.h"

namespace vm {

namespace {

// The texts of a contact by field key.
QList<QPair<QString, QString*>> ContactTexts(Contact& c) {
    return {{"ContactName", &c.name},
            {"NickName", &c.nickName},
            {"Address", &c.address},
            {"CrossStreets", &c.crossStreets},
            {"City", &c.city},
            {"State", &c.state},
            {"Country", &c.country},
            {"PostalCode", &c.postalCode},
            {"KeywordSet", &c.keywordSet},
            {"Affiliation", &c.affiliation},
            {"DocumentLink", &c.area},
            {"Proximity", &c.proximity},
            {"GraphicFile", &c.graphicFile},
            {"GuestInfo", &c.guestInfo},
            {"Notes", &c.notes},
            {"Directions", &c.directions},
            {"GuestListText", &c.guestListText}};
}

QList<QPair<QString, bool*>> ContactFlags(Contact& c) {
    return {{"PublicPrivate", &c.isPrivate},
            {"Commissionable", &c.printOnGuestList},
            {"IsReserved", &c.colorCode},
            {"IsClosed", &c.isClosed}};
}

class ContactImporter : public RecordImporter {
public:
    QString title() const override { return QStringLiteral("Contacts"); }
    QString table() const override { return QStringLiteral("Contact"); }
    Database& database(AppContext& ctx) const override { return ctx.contactsDb(); }

    const std::vector<ImportField>& fields() const override {
        static const std::vector<ImportField> f{
            {"ContactName", "Contact Name", FieldType::Text, true},
            {"NickName", "Nick Name"},
            {"Address", "Address"},
            {"CrossStreets", "Cross Streets"},
            {"City", "City"},
            {"State", "State"},
            {"PostalCode", "Postal Code"},
            {"Country", "Country"},
            {"KeywordSet", "Keywords", FieldType::Text, true},
            {"Affiliation", "Log Type"},
            {"DocumentLink", "Area"},
            {"CommissionType", "Language", FieldType::Value},
            {"Rating", "Rating", FieldType::Value},
            {"Ranking", "Rank", FieldType::Value},
            {"Proximity", "Proximity"},
            {"PublicPrivate", "Private", FieldType::Flag},
            {"Commissionable", "Print on Guest List", FieldType::Flag},
            {"IsReserved", "Color Code", FieldType::Flag},
            {"IsClosed", "Closed", FieldType::Flag},
            {"GraphicFile", "Graphic File"},
            {"GuestInfo", "Guest Information"},
            {"Notes", "Notes", FieldType::Note},
            {"Directions", "Directions", FieldType::Note},
            {"GuestListText", "Guest List Information", FieldType::Note}};
        return f;
    }

    void begin(AppContext& ctx) override {
        m_contacts.clear();
        m_defaultCountry = GetTextSetting(ctx.db(), "DefaultCountry").trimmed();
    }

    void take(AppContext& ctx, ImportRow& row, std::vector<FieldRefusal>& refusals) override {
        Contact c;
        for (auto& [key, text] : ContactTexts(c))
            *text = row[key];
        for (auto& [key, flag] : ContactFlags(c))
            *flag = row.flag(key, false);
        // A new contact on the screen starts in the working language and the
        // property's country.
        if (c.country.trimmed().isEmpty() && !m_defaultCountry.isEmpty()) {
            c.country = m_defaultCountry;
            if (row.has("Country")) row.values["Country"] = m_defaultCountry;
        }
        c.language = ctx.session.language;
        if (const auto i = TakeChoice(row, "CommissionType", ContactLanguages(), refusals))
            c.language = *i;
        if (const auto i = TakeChoice(row, "Rating", {"0", "1", "2", "3", "4", "5"}, refusals))
            c.rating = *i;
        if (const auto i = TakeChoice(row, "Ranking", ContactRankings(), refusals, 1))
            c.ranking = *i;
        if (const QString refusal = CheckContact(ctx, c, std::nullopt); !refusal.isEmpty())
            refusals.push_back(
                {refusal == MsgContactNameMissing ? "ContactName" : "KeywordSet", refusal});
        m_contacts.push_back(c);
    }

    std::optional<FieldRefusal> insert(AppContext& ctx, int index) override {
        InsertContact(ctx, m_contacts[size_t(index)]);
        return std::nullopt;
    }

private:
    std::vector<Contact> m_contacts;
    QString m_defaultCountry;
};

} // namespace

std::unique_ptr<RecordImporter> MakeContactImporter() {
    return std::make_unique<ContactImporter>();
}

} // namespace vm
