#pragma once
// Where the user's data lives. Started from the build folder, the program
// keeps its data beside itself. Installed (its share/mixer-editor folder
// beside its bin folder holds the empty preset database), it keeps the data
// in the user's application data folder: the program's own folder belongs to
// the system and is often not writable.

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
// program does not run installed; otherwise userDataDir, created when missing
// and given a copy of the installed empty database when it has none (a
// database already there holds the user's presets and is kept).
DataDirChoice DefaultDataDir(const QString& programDir, const QString& userDataDir, int language);

}  // namespace mixer
