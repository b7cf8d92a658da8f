#pragma once
// The SHOW tab's recall safes as the profile keeps them (section "SHOW",
// key "safes"), so that a show's safes are there again at the next start.

#include <QString>

#include "system/recall_safes.h"

namespace mixer {

// None safe when the profile has none or there is no profile.
RecallSafes ProfileRecallSafes(const QString& profileFile);
// False when the file could not be written.
bool StoreProfileRecallSafes(const QString& profileFile, const RecallSafes& safes);

}  // namespace mixer
