#include "app/editor_link.h"

#include <QTextStream>

#include "app/offline_link.h"

namespace mixer {

EditorLink BuildEditorLink(AppContext&, EditorOptions& options) {
    EditorLink built;
    if (options.demo) PointAtDemoMixer(options);
    built.link = std::make_unique<OfflineLink>();
    if (options.connect || options.demo) {
        QTextStream(stderr) << "mixer-editor: this build has no device link yet, so "
                            << (options.demo ? "--demo" : "--connect")
                            << " cannot connect; the console starts offline.\n";
        options.connect = false;
    }
    return built;
}

}  // namespace mixer
