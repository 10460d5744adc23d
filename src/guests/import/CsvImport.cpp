#include "guests/import/CsvImport.h"

#include "core/DataAccess.h"
#include "guests/import/CsvImportKinds.h"
#include "security/CardData.h"

#include <QSet>

namespace vm {

namespace {

const QString MsgFieldNotMapped =
    QStringLiteral("No column of the file is mapped to this field, which every record needs.");
const QString MsgFieldMappedTwice =
    QStringLiteral("Two columns of the file are mapped to this field.  Please ignore one of them.");
const QString MsgNotYesNo = QStringLiteral("Please enter Yes or No.");
const QString MsgCardNumber =
    QStringLiteral("A Credit Card Number may not be imported.  Please remove it from the file.");
const QString MsgNoRows = QStringLiteral("The file has no rows below its heading line.");
const QString MsgCheckStopped = QStringLiteral("The check was stopped before the end of the file.");
const QString MsgTooManyProblems = QStringLiteral(
    "The check stopped here: please correct the problems listed and choose the file again.");

// Yes/No as spreadsheets and other programs write it; nullopt for anything else.
std::optional<bool> ReadFlag(const QString& cell) {
    static const QStringList yes{"yes", "y", "true", "t", "1", "-1", "x", "on"};
    static const QStringList no{"no", "n", "false", "f", "0", "off"};
    const QString s = cell.trimmed().toLower();
    if (yes.contains(s)) return true;
    if (no.contains(s)) return false;
    return std::nullopt;
}

QString CellMismatch(int cells, int headings) {
    return "The line has " + QString::number(cells) + " cells where the heading line has " +
           QString::number(headings) + ".";
}

QString MsgTooLong(int size) {
    return "The text is longer than the " + QString::number(size) + " characters this field holds.";
}

} // namespace

QString MsgImported(ImportKind kind, int count) {
    const char* noun = kind == ImportKind::Contacts ? "contact"
                       : kind == ImportKind::Events ? "event"
                                                    : "profile";
    return QString::number(count) + " " + noun + (count == 1 ? " was" : "s were") + " imported.";
}

QString ImportProblem::text() const {
    return "Line " + QString::number(line) + (field.isEmpty() ? QString() : ", " + field) + ": " +
           message;
}

bool ImportRow::flag(const QString& key, bool byDefault) const {
    const QString v = values.value(key).trimmed();
    return v.isEmpty() ? byDefault : ReadFlag(v).value_or(false);
}

std::optional<int> ChoiceIndex(const QString& cell, const QStringList& names, int firstNumber) {
    const QString s = cell.trimmed();
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(s, Qt::CaseInsensitive) == 0) return i;
    bool isNumber = false;
    const int n = s.toInt(&isNumber);
    if (isNumber && n >= firstNumber && n < firstNumber + names.size()) return n - firstNumber;
    return std::nullopt;
}

QString MsgChoiceNotKnown(const QStringList& names) {
    return "Please enter one of: " + names.join(", ") + ".";
}

std::optional<int> TakeChoice(ImportRow& row, const QString& field, const QStringList& names,
                              std::vector<FieldRefusal>& refusals, int firstNumber) {
    if (row[field].trimmed().isEmpty()) return std::nullopt;
    const auto i = ChoiceIndex(row[field], names, firstNumber);
    if (i)
        row.values[field] = names[*i];
    else
        refusals.push_back({field, MsgChoiceNotKnown(names)});
    return i;
}

CsvImport::CsvImport(ImportKind kind) : m_kindId(kind) {
    switch (kind) {
    case ImportKind::Contacts:
        m_kind = MakeContactImporter();
        break;
    case ImportKind::Events:
        m_kind = MakeEventImporter();
        break;
    case ImportKind::Profiles:
        m_kind = MakeProfileImporter();
        break;
    }
}

CsvImport::~CsvImport() = default;

QString CsvImport::title() const {
    return m_kind->title();
}

const std::vector<ImportField>& CsvImport::fields() const {
    return m_kind->fields();
}

const ImportField* CsvImport::field(const QString& key) const {
    for (const ImportField& f : fields())
        if (f.key == key) return &f;
    return nullptr;
}

bool CsvImport::load(const QString& path, const CsvLimits& limits) {
    const CsvContent content = CsvReader::readFile(path, limits);
    return loadData({}, limits, &content);
}

bool CsvImport::loadData(const QByteArray& bytes, const CsvLimits& limits) {
    return loadData(bytes, limits, nullptr);
}

bool CsvImport::loadData(const QByteArray& bytes, const CsvLimits& limits, const CsvContent* read) {
    m_error.clear();
    m_header.clear();
    m_rows.clear();
    m_mapping.clear();
    m_problems.clear();
    m_preview.clear();
    m_validated = false;
    const CsvContent content = read ? CsvContent{} : CsvReader::parse(bytes, limits);
    const CsvContent& c = read ? *read : content;
    if (!c.ok()) {
        const CsvFault& f = c.fault;
        // A cell's fault names the column by its heading once the heading is known.
        QString where;
        if (f.column >= 0 && !c.records.empty() && f.column < c.records.front().cells.size())
            where = c.records.front().cells[f.column].trimmed();
        else if (f.column >= 0)
            where = "Column " + QString::number(f.column + 1);
        m_error = f.line > 0 ? ImportProblem{f.line, where, f.text}.text() : f.text;
        return false;
    }
    if (c.records.empty()) {
        m_error = QStringLiteral("The file is empty.");
        return false;
    }
    m_header = c.records.front().cells;
    for (QString& h : m_header)
        h = h.trimmed();
    for (size_t i = 1; i < c.records.size(); ++i) {
        const CsvRecord& r = c.records[i];
        bool empty = true;
        for (const QString& cell : r.cells)
            if (!cell.trimmed().isEmpty()) empty = false;
        if (!empty) m_rows.push_back(r);
    }
    if (m_rows.empty()) {
        m_error = MsgNoRows;
        return false;
    }
    autoMap();
    return true;
}

void CsvImport::autoMap() {
    m_mapping.clear();
    QSet<QString> taken;
    for (const QString& heading : m_header) {
        QString key;
        for (const ImportField& f : fields()) {
            if (taken.contains(f.key)) continue;
            if (heading.compare(f.caption, Qt::CaseInsensitive) == 0 ||
                heading.compare(f.key, Qt::CaseInsensitive) == 0) {
                key = f.key;
                break;
            }
        }
        if (!key.isEmpty()) taken.insert(key);
        m_mapping << key;
    }
    m_validated = false;
}

void CsvImport::setMapping(int column, const QString& key) {
    if (column < 0 || column >= m_mapping.size()) return;
    m_mapping[column] = field(key) ? key : QString();
    m_validated = false;
}

QStringList CsvImport::mappedKeys() const {
    QStringList keys;
    for (const ImportField& f : fields())
        if (m_mapping.contains(f.key)) keys << f.key;
    return keys;
}

const std::vector<ImportProblem>& CsvImport::validate(AppContext& ctx,
                                                      const ImportProgress& progress) {
    m_problems.clear();
    m_preview.clear();
    m_validated = true;
    if (m_header.isEmpty()) return m_problems;
    for (const ImportField& f : fields()) {
        const auto uses = m_mapping.count(f.key);
        if (f.required && uses == 0) m_problems.push_back({1, f.caption, MsgFieldNotMapped});
        if (uses > 1) m_problems.push_back({1, f.caption, MsgFieldMappedTwice});
    }
    // Rows checked against a wrong mapping would only repeat its problem.
    if (!m_problems.empty()) return m_problems;

    Database& db = m_kind->database(ctx);
    QHash<QString, int> sizes;
    for (const ImportField& f : fields())
        if (f.type == FieldType::Text && m_mapping.contains(f.key))
            if (const auto col = db.column(m_kind->table(), f.key); col && col->textSize > 0)
                sizes.insert(f.key, col->textSize);

    m_kind->begin(ctx);
    const int total = rowCount();
    const auto captionOf = [&](const QString& key) {
        const ImportField* f = field(key);
        return f ? f->caption : key;
    };
    for (int i = 0; i < total; ++i) {
        if (int(m_problems.size()) >= MaxProblems) {
            m_problems.push_back({m_rows[size_t(i)].line, {}, MsgTooManyProblems});
            break;
        }
        if (progress && i % 50 == 0 && !progress(i, total)) {
            m_problems.push_back({m_rows[size_t(i)].line, {}, MsgCheckStopped});
            break;
        }
        const CsvRecord& record = m_rows[size_t(i)];
        ImportRow row{record.line, {}};
        if (record.cells.size() != m_header.size())
            m_problems.push_back(
                {record.line, {}, CellMismatch(int(record.cells.size()), int(m_header.size()))});
        for (int col = 0; col < m_mapping.size(); ++col)
            if (!m_mapping[col].isEmpty())
                row.values.insert(m_mapping[col],
                                  col < record.cells.size() ? record.cells[col] : QString());
        for (const ImportField& f : fields()) {
            if (f.type != FieldType::Flag || !row.has(f.key)) continue;
            QString& cell = row.values[f.key];
            const std::optional<bool> yes =
                cell.trimmed().isEmpty() ? std::optional<bool>(f.byDefault) : ReadFlag(cell);
            if (!yes) m_problems.push_back({record.line, f.caption, MsgNotYesNo});
            cell = yes.value_or(false) ? "Yes" : "No";
        }
        std::vector<FieldRefusal> refusals;
        m_kind->take(ctx, row, refusals);
        for (const auto& [key, message] : refusals)
            m_problems.push_back({record.line, captionOf(key), message});
        for (const ImportField& f : fields()) {
            if (!row.has(f.key) || (f.type != FieldType::Text && f.type != FieldType::Note))
                continue;
            const QString value = row[f.key].trimmed();
            // Parcel tracking numbers look like card numbers and are kept, as on the screens.
            if (!value.contains("Tracking Number") && CheckForCCNumber(value))
                m_problems.push_back({record.line, f.caption, MsgCardNumber});
            const int size = sizes.value(f.key);
            const QString stored =
                m_kind->keepsAmpersand() ? CleanSqlTextKeepAmp(value) : CleanSqlText(value);
            if (size > 0 && stored.size() > size)
                m_problems.push_back({record.line, f.caption, MsgTooLong(size)});
        }
        if (i < PreviewRows) m_preview.push_back(row);
    }
    if (progress && int(m_problems.size()) <= MaxProblems) progress(total, total);
    return m_problems;
}

bool CsvImport::ready() const {
    return m_validated && m_problems.empty() && !m_rows.empty();
}

QStringList CsvImport::previewHeaders() const {
    QStringList headers;
    for (const QString& key : mappedKeys())
        headers << field(key)->caption;
    return headers;
}

std::vector<QStringList> CsvImport::preview(int maxRows) const {
    std::vector<QStringList> rows;
    const QStringList keys = mappedKeys();
    for (const ImportRow& row : m_preview) {
        if (int(rows.size()) >= maxRows) break;
        QStringList cells;
        for (const QString& key : keys) {
            const ImportField* f = field(key);
            const QString v = row[key];
            switch (f->type) {
            case FieldType::Text:
                cells << StoredText(m_kind->keepsAmpersand() ? CleanSqlTextKeepAmp(v)
                                                             : CleanSqlText(v));
                break;
            case FieldType::Note:
                cells << StoredText(CleanSqlTextKeepAmp(v));
                break;
            case FieldType::Flag:
            case FieldType::Value:
                cells << v;
                break;
            }
        }
        rows.push_back(cells);
    }
    return rows;
}

ImportOutcome CsvImport::write(AppContext& ctx, const ImportProgress& progress) {
    ImportOutcome out;
    if (!ready()) return out;
    struct Abandoned {};
    const int total = rowCount();
    Database& db = m_kind->database(ctx);
    try {
        db.transaction([&] {
            for (int i = 0; i < total; ++i) {
                if (const auto refused = m_kind->insert(ctx, i)) {
                    const ImportField* f = field(refused->first);
                    out.problems.push_back(
                        {m_rows[size_t(i)].line, f ? f->caption : refused->first, refused->second});
                    throw Abandoned{};
                }
                if (progress && (i % 50 == 0 || i + 1 == total) && !progress(i + 1, total)) {
                    out.cancelled = true;
                    throw Abandoned{};
                }
            }
        });
    } catch (const Abandoned&) {
        return out;
    }
    out.imported = total;
    m_validated = false; // written once: a second write would store every row again
    return out;
}

} // namespace vm
