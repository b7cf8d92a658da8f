#pragma once
// Keeps the group definitions in the profile (section "GROUPS"), so that the
// groups a user set up are there again after a restart.

#include <QString>

#include "model/group_tables.h"

namespace mixer {

// The tables as the profile holds them, normalised; groups the profile does
// not name stay empty. Nothing is read without a profile path.
GroupTables LoadGroups(const QString& profileFile);
// Writes every group; false when the profile could not be written. Nothing
// is written without a profile path.
bool SaveGroups(const QString& profileFile, const GroupTables& groups);

}  // namespace mixer
