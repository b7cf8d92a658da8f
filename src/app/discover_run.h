#pragma once
// mixer-editor --discover: the search of the system page without a window,
// for scripts.

#include <QTextStream>

#include "host/editor_options.h"
#include "system/device_discovery.h"

namespace mixer {

// Searches the network of the options' bind address (or of this computer's
// first network interface that is up and not loopback), writes one line per
// mixer to out as it answers, its dotted address first, and returns 0 once
// the scan is over and late answers have had their time. Returns 1 with a
// message on err when there is no address to search from or the port cannot
// be bound. Needs a running Qt application object; the interfaces come from
// source.
int RunDiscovery(const EditorOptions& options, QTextStream& out, QTextStream& err,
                 DeviceDiscovery::InterfaceSource source = SystemInterfaces);

}  // namespace mixer
