#pragma once
// Makes a new preset database file from the schema file, the way the build,
// the installation and the program itself provide "Korvel.mdb", and checks
// that a database holds what the schema makes.

#include <QString>
#include <QStringList>

namespace mixer {

// The schema the program carries inside itself.
inline constexpr char kPresetSchemaResource[] = ":/presets/korvel_schema.sql";

// Creates `databasePath` holding the empty tables of the schema file (SQL
// statements separated by ";", comment lines starting with "--"). The file
// is built under a temporary name and renamed when complete; an existing
// file is never replaced. Returns an empty text on success, else the error.
QString CreatePresetDatabase(const QString& schemaPath, const QString& databasePath);

struct SchemaCheck {
    QString error;        // the schema or the database could not be read
    // Each schema table the database lacks, and "table.column" for each
    // column missing from a table it has.
    QStringList missing;
};

// Compares the open database of Qt SQL connection `connectionName` with the
// tables and columns the schema file makes (names compared as SQLite does,
// without regard to case). Extra tables and columns are no concern.
SchemaCheck CheckPresetDatabase(const QString& schemaPath, const QString& connectionName);

}  // namespace mixer
