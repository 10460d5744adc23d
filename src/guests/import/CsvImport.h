#pragma once
// Importing contacts, events or guest profiles from a comma-separated file.
// The file's first line names its columns; each column is mapped to a field
// of the record (or ignored).  Every row is tidied and checked as the
// record's own screen tidies and checks what is typed, and only a file
// without a single problem is written: all its rows in one transaction,
// through the stores' own insert procedures, or nothing at all.

#include "core/AppContext.h"
#include "platform/CsvReader.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace vm {

enum class ImportKind { Contacts, Events, Profiles };

// How a field's cell is read.
enum class FieldType {
    Text,  // a text column of the record's table: its declared size is the limit
    Note,  // a long text kept in pieces (notes, directions)
    Flag,  // Yes/No
    Value, // read by the record's rules: a date, a price, one of a list
};

struct ImportField {
    QString key;     // the column name (or the text's name for notes)
    QString caption; // as the record's screen labels it
    FieldType type = FieldType::Text;
    bool required = false;  // a column of the file must be mapped to it
    bool byDefault = false; // a Flag's value when its cell is blank
};

struct ImportProblem {
    int line = 0;  // the file's line (1 = the heading line)
    QString field; // the field's caption, or the file's column heading
    QString message;
    // "Line N, <field>: <message>"
    QString text() const;
};

// Answers false to stop (the work is then undone).
using ImportProgress = std::function<bool(int done, int total)>;

struct ImportOutcome {
    int imported = 0;
    bool cancelled = false;
    std::vector<ImportProblem> problems; // a row refused while writing
};

// "3 contacts were imported." (one contact, event or profile: "was").
QString MsgImported(ImportKind kind, int count);

class RecordImporter; // one per kind (CsvImportKinds.h)
struct ImportRow;

class CsvImport {
public:
    explicit CsvImport(ImportKind kind);
    ~CsvImport();
    CsvImport(const CsvImport&) = delete;
    CsvImport& operator=(const CsvImport&) = delete;

    ImportKind kind() const { return m_kindId; }
    // "Contacts", "Events", "Profiles".
    QString title() const;
    const std::vector<ImportField>& fields() const;
    const ImportField* field(const QString& key) const;

    // Reads the file and maps its columns by their headings; false (and
    // error() says why, naming the line) when the file cannot be used.
    bool load(const QString& path, const CsvLimits& limits = {});
    bool loadData(const QByteArray& bytes, const CsvLimits& limits = {});
    QString error() const { return m_error; }

    const QStringList& header() const { return m_header; }
    // Rows below the heading (rows of empty cells left out).
    int rowCount() const { return int(m_rows.size()); }

    // The field key each column of the file is mapped to ("" = ignored).
    const QStringList& mapping() const { return m_mapping; }
    void setMapping(int column, const QString& key);
    // Each column whose heading is a field's caption or column name (any
    // case, blanks around it ignored) goes to that field.
    void autoMap();

    // Checks the mapping and every row; answers the problems found (empty:
    // ready to import).  A stopped check leaves a problem saying so.
    const std::vector<ImportProblem>& validate(AppContext& ctx,
                                               const ImportProgress& progress = {});
    const std::vector<ImportProblem>& problems() const { return m_problems; }
    // Validated, without problems, with at least one row.
    bool ready() const;

    // The mapped fields' captions, and the first rows as they will be stored.
    QStringList previewHeaders() const;
    std::vector<QStringList> preview(int maxRows) const;

    // Writes every row in one transaction.  An engine failure raises DbError
    // (nothing written); a row refused by its store or a stop by `progress`
    // leaves nothing written either.  Once written, the file is no longer ready.
    ImportOutcome write(AppContext& ctx, const ImportProgress& progress = {});

    // The most problems listed; the check stops there.
    static constexpr int MaxProblems = 200;
    // The rows kept for the preview.
    static constexpr int PreviewRows = 20;

private:
    bool loadData(const QByteArray& bytes, const CsvLimits& limits, const CsvContent* read);
    QStringList mappedKeys() const;

    ImportKind m_kindId;
    std::unique_ptr<RecordImporter> m_kind;
    QString m_error;
    QStringList m_header;
    std::vector<CsvRecord> m_rows;
    QStringList m_mapping;
    std::vector<ImportProblem> m_problems;
    std::vector<ImportRow> m_preview; // the first rows, tidied
    bool m_validated = false;
};

} // namespace vm
