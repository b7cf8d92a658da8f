#pragma once
// Makes a new preset database file from the schema file, the way the build
// and the installation provide "Korvel.mdb".

#include <QString>

namespace mixer {

// Creates `databasePath` holding the empty tables of the schema file (SQL
// statements separated by ";", comment lines starting with "--"). The file
// is built under a temporary name and renamed when complete; an existing
// file is never replaced. Returns an empty text on success, else the error.
QString CreatePresetDatabase(const QString& schemaPath, const QString& databasePath);

}  // namespace mixer
