#pragma once
// What CsvImport needs of each kind of record: its fields, its database, and
// the tidying, checking and inserting of one row, done by the record's own
// rules and store.

#include "guests/import/CsvImport.h"

#include <optional>
#include <utility>

namespace vm {

// One row of the file: the mapped cells by field key.
struct ImportRow {
    int line = 0;
    QHash<QString, QString> values;

    QString operator[](const QString& key) const { return values.value(key); }
    bool has(const QString& key) const { return values.contains(key); }
    // A Yes/No cell as CsvImport has read it: "Yes", "No", or blank for the default.
    bool flag(const QString& key, bool byDefault) const;
};

// A refusal of one field: its key and the message.
using FieldRefusal = std::pair<QString, QString>;

class RecordImporter {
public:
    virtual ~RecordImporter() = default;
    virtual QString title() const = 0;
    virtual const std::vector<ImportField>& fields() const = 0;
    virtual QString table() const = 0;
    virtual Database& database(AppContext& ctx) const = 0;
    // The stored form of a text keeps '&' (else it becomes "and").
    virtual bool keepsAmpersand() const { return false; }

    // Before the rows: forgets the records kept, reads the settings the tidying uses.
    virtual void begin(AppContext& ctx) = 0;
    // Tidies the row's cells as the screen tidies what is typed (they then
    // show what will be stored), checks them by the record's rules, and keeps
    // the record (one per row, refused or not: nothing is written while any
    // row is refused).
    virtual void take(AppContext& ctx, ImportRow& row, std::vector<FieldRefusal>& refusals) = 0;
    // Stores the `index`-th record kept; a refusal when its store declines it.
    virtual std::optional<FieldRefusal> insert(AppContext& ctx, int index) = 0;
};

std::unique_ptr<RecordImporter> MakeContactImporter();
std::unique_ptr<RecordImporter> MakeEventImporter();
std::unique_ptr<RecordImporter> MakeProfileImporter();

// Shared by the kinds: one of `names` (any case) or its place in the list;
// nullopt for anything else.
std::optional<int> ChoiceIndex(const QString& cell, const QStringList& names, int firstNumber = 0);
QString MsgChoiceNotKnown(const QStringList& names);
// The choice in `field` of `row`: nullopt for a blank cell; a known choice is
// shown by its name; anything else is refused.
std::optional<int> TakeChoice(ImportRow& row, const QString& field, const QStringList& names,
                              std::vector<FieldRefusal>& refusals, int firstNumber = 0);

} // namespace vm
