#pragma once
// Where the user's data lives. Started from the build folder, the program
// keeps its data beside itself. Installed (its share/mixer-editor folder
// beside its bin folder holds the empty preset database), it keeps the data
// in the user's application data folder: the program's own folder belongs to
// the system and is often not writable. The preset database itself is made
// by the preset store, from the schema the program carries, wherever the
// data folder has none.

#include <QString>

namespace mixer {

// The installed program's share folder for a program in programDir, or an
// empty string when the program does not run installed.
QString InstalledShareDir(const QString& programDir);

struct DataDirChoice {
    QString dir;
    QString error;  // in the window's language; empty when all went well
};

// The data folder when none is given on the command line: programDir when the
// program does not run installed; otherwise userDataDir, created when missing.
DataDirChoice DefaultDataDir(const QString& programDir, const QString& userDataDir, int language);

}  // namespace mixer
