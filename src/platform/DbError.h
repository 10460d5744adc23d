#pragma once
#include <QString>
#include <stdexcept>

namespace vm {

// Error numbers that the desk's messages react to.  Other engine errors keep
// the engine's own code.
namespace DbErrorNumber {
constexpr int DamagedFile = 3343;    // not a database, or a damaged one
constexpr int NoAccess = 3051;       // no rights, read-only, or opened exclusively elsewhere
constexpr int CommonDatabase = 9411; // the shared contacts/events database could not be opened
constexpr int General = 3000;        // anything the engine did not number
} // namespace DbErrorNumber

class DbError : public std::runtime_error {
public:
    DbError(int number, const QString& description, const QString& statement = {})
        : std::runtime_error(description.toStdString()), m_number(number),
          m_description(description), m_statement(statement) {}
    int number() const { return m_number; }
    QString description() const { return m_description; }
    QString statement() const { return m_statement; }

private:
    int m_number;
    QString m_description;
    QString m_statement;
};

} // namespace vm
