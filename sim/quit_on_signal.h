#pragma once

#include <QObject>

namespace mixer {

// Makes SIGINT and SIGTERM end the application's event loop, so that the
// program leaves main() and closes its socket like on any other exit.
void QuitOnSignal(QObject* owner);

}  // namespace mixer
