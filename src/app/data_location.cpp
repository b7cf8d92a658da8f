#include "app/data_location.h"

#include <QDir>
#include <QFileInfo>

namespace mixer {

namespace {

const char kDatabaseName[] = "Korvel.mdb";

QString Text(int language, const char* english, const char* chinese, const QString& path) {
    return QString::fromUtf8(language == 2 ? chinese : english).arg(QDir::toNativeSeparators(path));
}

}  // namespace

QString InstalledShareDir(const QString& programDir) {
    const QDir program(programDir);
    if (program.dirName() != QLatin1String("bin")) return {};
    const QString share = QDir::cleanPath(program.filePath(QStringLiteral("../share/mixer-editor")));
    return QFileInfo(QDir(share).filePath(QString::fromLatin1(kDatabaseName))).isFile() ? share : QString();
}

DataDirChoice DefaultDataDir(const QString& programDir, const QString& userDataDir, int language) {
    if (InstalledShareDir(programDir).isEmpty()) return {programDir, {}};
    DataDirChoice choice{userDataDir, {}};
    if (!QDir().mkpath(userDataDir))
        choice.error = Text(language, "Cannot create the data folder %1.", "无法创建数据文件夹 %1。", userDataDir);
    return choice;
}

}  // namespace mixer
