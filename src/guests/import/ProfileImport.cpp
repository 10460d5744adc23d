// Guest profiles from a file: the profile screen's fields, tidying and
// checks, stored by InsertProfile.

#include "core/Settings.h"
#include "guests/PhoneFormat.h"
#include "guests/Profiles.h"
#include "guests/import/CsvImportKinds.h"

namespace vm {

namespace {

const QStringList PrimaryAddressNames{"Home", "Business", "Other"};

QList<QPair<QString, QString*>> ProfileTexts(Profile& p) {
    QList<QPair<QString, QString*>> t{
        {"FirstName", &p.firstName},         {"LastName", &p.lastName},
        {"Salutation", &p.salutation},       {"DocumentLink", &p.unit},
        {"EmailAddress", &p.email},          {"EmailAddressB", &p.emailB},
        {"HomePhone", &p.homePhone},         {"BusinessPhone", &p.businessPhone},
        {"CellPhone", &p.cellPhone},         {"FaxPhone", &p.faxPhone},
        {"OtherPhone", &p.otherPhone},       {"Title", &p.title},
        {"CompanyName", &p.company},         {"AsstName", &p.asstName},
        {"AsstEmailAddress", &p.asstEmail},  {"AsstBusinessPhone", &p.asstBusinessPhone},
        {"AsstCellPhone", &p.asstCellPhone}, {"AsstFaxPhone", &p.asstFaxPhone},
        {"ProfileType", &p.profileType},     {"Notes", &p.notes}};
    const auto address = [&](ProfileAddress& a, const QString& suffix) {
        t << QPair<QString, QString*>{"Address" + (suffix.isEmpty() ? "" : "1" + suffix), &a.line1}
          << QPair<QString, QString*>{"Address2" + suffix, &a.line2}
          << QPair<QString, QString*>{"City" + suffix, &a.city}
          << QPair<QString, QString*>{"State" + suffix, &a.state}
          << QPair<QString, QString*>{"Country" + suffix, &a.country}
          << QPair<QString, QString*>{"PostalCode" + suffix, &a.postalCode};
    };
    address(p.home, "");
    address(p.business, "2");
    address(p.other, "3");
    return t;
}

QList<QPair<QString, bool*>> ProfileFlags(Profile& p) {
    return {{"PublicPrivate", &p.isPrivate},    {"DNUSnailMail", &p.dnuSnailMail},
            {"DNUEmail", &p.dnuEmail},          {"DNUEmailB", &p.dnuEmailB},
            {"DNUHomePhone", &p.dnuHomePhone},  {"DNUBusinessPhone", &p.dnuBusinessPhone},
            {"DNUCellPhone", &p.dnuCellPhone},  {"DNUFaxPhone", &p.dnuFaxPhone},
            {"DNUOtherPhone", &p.dnuOtherPhone}};
}

// The numbers the screen tidies when the box is left.
const QStringList TidiedPhones{"HomePhone",  "BusinessPhone", "CellPhone",         "FaxPhone",
                               "OtherPhone", "AsstCellPhone", "AsstBusinessPhone", "AsstFaxPhone"};

std::vector<ImportField> ProfileFields() {
    std::vector<ImportField> f{{"FirstName", "First Name", FieldType::Text, true},
                               {"LastName", "Last Name", FieldType::Text, true},
                               {"Salutation", "Salutation"},
                               {"DocumentLink", "Unit"}};
    for (const auto& [suffix, label] :
         {std::pair{"", ""}, std::pair{"2", "Business "}, std::pair{"3", "Other "}}) {
        const QString s = QString::fromLatin1(suffix), l = QString::fromLatin1(label);
        f.push_back({"Address" + (s.isEmpty() ? s : "1" + s), l + "Address"});
        f.push_back({"Address2" + s, l + "Address 2"});
        f.push_back({"City" + s, l + "City"});
        f.push_back({"State" + s, l + "State"});
        f.push_back({"Country" + s, l + "Country"});
        f.push_back({"PostalCode" + s, l + "Postal Code"});
    }
    const std::vector<ImportField> rest{
        {"PrimaryAddress", "Primary Address", FieldType::Value},
        {"EmailAddress", "Email"},
        {"EmailAddressB", "Email B"},
        {"HomePhone", "Home Phone"},
        {"BusinessPhone", "Business Phone"},
        {"CellPhone", "Cell Phone"},
        {"FaxPhone", "Fax Phone"},
        {"OtherPhone", "Other Phone"},
        {"Title", "Title"},
        {"CompanyName", "Company"},
        {"AsstName", "Assistant Name"},
        {"AsstEmailAddress", "Assistant Email"},
        {"AsstBusinessPhone", "Assistant Business Phone"},
        {"AsstCellPhone", "Assistant Cell Phone"},
        {"AsstFaxPhone", "Assistant Fax Phone"},
        {"ProfileType", "Profile Type"},
        {"PublicPrivate", "Private", FieldType::Flag},
        {"DNUSnailMail", "Do Not Use Mail", FieldType::Flag},
        {"DNUEmail", "Do Not Use Email", FieldType::Flag},
        {"DNUEmailB", "Do Not Use Email B", FieldType::Flag},
        {"DNUHomePhone", "Do Not Use Home Phone", FieldType::Flag},
        {"DNUBusinessPhone", "Do Not Use Business Phone", FieldType::Flag},
        {"DNUCellPhone", "Do Not Use Cell Phone", FieldType::Flag},
        {"DNUFaxPhone", "Do Not Use Fax Phone", FieldType::Flag},
        {"DNUOtherPhone", "Do Not Use Other Phone", FieldType::Flag},
        {"Notes", "Notes", FieldType::Note}};
    f.insert(f.end(), rest.begin(), rest.end());
    return f;
}

class ProfileImporter : public RecordImporter {
public:
    QString title() const override { return QStringLiteral("Profiles"); }
    QString table() const override { return QStringLiteral("Profile"); }
    Database& database(AppContext& ctx) const override { return ctx.db(); }

    const std::vector<ImportField>& fields() const override {
        static const std::vector<ImportField> f = ProfileFields();
        return f;
    }

    void begin(AppContext& ctx) override {
        m_profiles.clear();
        Database& db = ctx.db();
        m_properCase = GetBooleanSetting(db, "ProperCaseName");
        m_country = GetTextSetting(db, "DefaultCountry").trimmed();
        m_areaCode = GetTextSetting(db, "DefaultAreaCode").trimmed();
    }

    void take(AppContext&, ImportRow& row, std::vector<FieldRefusal>& refusals) override {
        if (m_properCase)
            for (const QString& key : {QStringLiteral("FirstName"), QStringLiteral("LastName")})
                if (row.has(key)) row.values[key] = ProperCaseName(row[key].trimmed());
        for (const QString& key : TidiedPhones)
            if (row.has(key) && !row[key].trimmed().isEmpty())
                row.values[key] = FormatPhoneNumber(row[key], m_country, m_areaCode);
        Profile p;
        for (auto& [key, text] : ProfileTexts(p))
            *text = row[key];
        for (auto& [key, flag] : ProfileFlags(p))
            *flag = row.flag(key, false);
        if (const auto i = TakeChoice(row, "PrimaryAddress", PrimaryAddressNames, refusals))
            p.primaryAddress = *i;
        if (const QString refusal = CheckProfile(p); !refusal.isEmpty())
            refusals.push_back({refusal == MsgProfileLastName ? "LastName" : "FirstName", refusal});
        m_profiles.push_back(p);
    }

    std::optional<FieldRefusal> insert(AppContext& ctx, int index) override {
        InsertProfile(ctx, m_profiles[size_t(index)]);
        return std::nullopt;
    }

private:
    std::vector<Profile> m_profiles;
    bool m_properCase = false;
    QString m_country, m_areaCode;
};

} // namespace

std::unique_ptr<RecordImporter> MakeProfileImporter() {
    return std::make_unique<ProfileImporter>();
}

} // namespace vm
