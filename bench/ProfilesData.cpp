#include "ProfilesData.h"
#include "BenchSelections.h"
#include "EngineFloor.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStringList>
#include <cstdio>

namespace vm::bench {

namespace {

// Indicator types with the values guests give them.
const struct {
    const char* type;
    double share; // of the profiles carrying it
    QStringList values;
} Indicators[] = {
    {"Pillow", 0.30, {"Foam", "Feather", "Down", "Buckwheat", "Latex", "Firm", "Soft", "Extra"}},
    {"Newspaper", 0.25, {"Times", "Journal", "Herald", "Gazette", "Post", "Le Monde", "None"}},
    {"Room Preference",
     0.40,
     {"High Floor", "Low Floor", "Quiet", "Near Elevator", "Sea View", "Garden View", "Connecting",
      "Accessible"}},
    {"Allergy",
     0.05,
     {"Shellfish", "Peanuts", "Gluten", "Dairy", "Feathers", "Latex", "Pollen", "Penicillin",
      "Eggs", "Soy", "Sesame", "Tree Nuts"}},
    {"Drink",
     0.20,
     {"Still Water", "Sparkling Water", "Champagne", "Red Wine", "White Wine", "Green Tea",
      "Espresso", "Orange Juice", "Whisky", "Gin and Tonic"}},
    {"Spouse Name",
     0.15,
     {"Alex", "Sam", "Pat", "Chris", "Robin", "Jamie", "Taylor", "Morgan", "Casey", "Jordan",
      "Riley", "Avery"}},
    {"Arrival Date", 0.20, {"2026/03/14", "2026/03/15", "2026/03/16", "2026/03/20"}},
};
const QStringList ContactTypes = {"Phone", "Email", "Letter", "Visit"};
const QStringList Results = {"", "Booked", "No Answer", "Declined", "Sent"};

// Addresses, phones, groups, colours and private flags for every profile, the
// indicator types, and the indicators and contact history of each guest.
void enrich(EngineFloor& e) {
    if (e.run("SELECT 1 FROM \"ProfilePI\" LIMIT 1") > 0) return;
    std::fprintf(stderr, "Giving the bench profiles their details ...\n");
    QRandomGenerator rng(20260315);
    e.run("BEGIN");
    for (int g = 1; g <= ProfileGroupCount; ++g)
        e.run("INSERT INTO \"Group\" (\"GroupID\", \"GroupName\") VALUES (?, ?)",
              {g, "Group " + QString::number(g)});
    e.run("UPDATE \"Profile\" SET \"Salutation\" = CASE \"ProfileID\" % 4 WHEN 0 THEN 'Mr.' "
          "WHEN 1 THEN 'Ms.' WHEN 2 THEN 'Dr.' ELSE '' END, \"Address1S\" = (\"ProfileID\" % "
          "997) || ' Harbor Blvd', \"CityS\" = 'City ' || (\"ProfileID\" % 400), \"StateS\" = "
          "substr('MANYCATXFLILWAORNJPA', 1 + 2 * (\"ProfileID\" % 10), 2), \"PostalCodeS\" = "
          "printf('%05d', \"ProfileID\" % 99991), \"HomePhone\" = printf('(617) 555-%04d', "
          "\"ProfileID\" % 10000), \"FaxPhone\" = '', \"EmailAddress\" = lower(\"FirstName\") "
          "|| \"ProfileID\" || '@example.com', \"DocumentLink\" = '', \"GroupID\" = CASE WHEN "
          "\"ProfileID\" % 5 = 0 THEN 1 + (\"ProfileID\" / 5) % 2000 ELSE 0 END, "
          "\"PublicPrivate\" = (\"ProfileID\" % 50 = 0), \"ColorCode\" = (\"ProfileID\" % 20 = "
          "0), \"ProfileColor\" = '&H0000C000&', \"DNUHomePhone\" = (\"ProfileID\" % 30 = 0), "
          "\"DNUFaxPhone\" = 0, \"DNUEmail\" = (\"ProfileID\" % 40 = 0)");
    int sequence = 10;
    for (const auto& i : Indicators)
        e.run("INSERT INTO \"ProfileTS\" (\"PreferenceType\", \"EntryHint\", \"EmailAddress\", "
              "\"PublicPrivate\", \"SequenceNo\") VALUES (?, '', '', 0, ?)",
              {QString(i.type), sequence += 10});
    for (int id = 1; id <= ProfileCount; ++id) {
        int at = 10;
        for (const auto& i : Indicators) {
            at += 10;
            if (rng.generateDouble() >= i.share) continue;
            const QString value = i.values[int(rng.bounded(qsizetype(i.values.size())))];
            e.run("INSERT INTO \"ProfilePI\" (\"ProfileID\", \"PublicPrivate\", \"SequenceNo\", "
                  "\"PreferenceType\", \"PreferenceSelection\") VALUES (?, 0, ?, ?, ?)",
                  {id, at, QString(i.type), value});
        }
        const int contacts = int(rng.bounded(4));
        for (int c = 0; c < contacts; ++c)
            e.run("INSERT INTO \"ProfileCH\" (\"ProfileID\", \"ContactDate\", \"ContactType\", "
                  "\"ContactResult\") VALUES (?, ?, ?, ?)",
                  {id, Today.addDays(-int(rng.bounded(1100))),
                   ContactTypes[int(rng.bounded(qsizetype(ContactTypes.size())))],
                   Results[int(rng.bounded(qsizetype(Results.size())))]});
    }
    e.run("COMMIT");
    e.run("ANALYZE");
}

} // namespace

QString ProfilesDataFolder(const QString& byDefault) {
    QString dir = qEnvironmentVariable("VELMORA_PROFILES_BENCH_DIR");
    if (dir.isEmpty()) dir = byDefault;
    if (dir.isEmpty()) dir = QDir::tempPath() + "/velmora-profiles-bench";
    QDir().mkpath(dir);
    return QDir(dir).absolutePath();
}

BenchProperty PrepareProfilesProperty(const QString& dataFolder, Prompt& prompt) {
    BenchProperty p = PrepareProperty(dataFolder, prompt);
    EngineFloor writer(p.databaseFolder + "VelmP.db");
    enrich(writer);
    return p;
}

} // namespace vm::bench
