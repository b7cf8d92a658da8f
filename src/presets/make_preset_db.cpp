// Build and install step: provides the empty preset database next to the
// program. An existing database holds the user's presets and is kept.
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include "presets/preset_database.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "usage: make_preset_db <schema.sql> <Korvel.mdb>\n";
        return 2;
    }
    if (QFile::exists(args[2])) return 0;
    const QString error = mixer::CreatePresetDatabase(args[1], args[2]);
    if (!error.isEmpty()) {
        err << error << '\n';
        return 1;
    }
    return 0;
}
