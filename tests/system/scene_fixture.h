#pragma once
// A system page on its SHOW tab with a fresh preset database, a fake link
// and a trash of its own, all in a temporary data directory.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include "host/app_context.h"
#include "console/fake_link.h"
#include "link/notifier.h"
#include "link/reset_defaults.h"
#include "presets/preset_database.h"
#include "presets/preset_store.h"
#include "skin/image_button.h"
#include "skin/menu_ex.h"
#include "system/system_dlg.h"

namespace mixer::testing {

// A system page shown with its labels in `language`, at a size that holds every tab.
inline std::unique_ptr<CSystemDlg> OpenSystemPage(AppContext& context, int language) {
    auto page = std::make_unique<CSystemDlg>(context);
    page->SetLabels(language);
    page->resize(1400, 700);
    page->show();
    return page;
}

class SceneFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // Deleted scenes go to a trash inside the test's directory.
        qputenv("XDG_DATA_HOME", dir.filePath("xdg").toUtf8());
        QDir(dir.path()).mkpath("xdg");
        context.dataDir = dir.path();
        context.profileFile = dir.filePath("mixer-editor.ini");
        context.link = &link;
        context.notifier = &notifier;
        ASSERT_TRUE(CreatePresetDatabase(QStringLiteral(KORVEL_SCHEMA_PATH), dir.filePath(PresetStore::kFileName))
                        .isEmpty());
        presets = std::make_unique<PresetStore>(dir.path(), notifier);
        context.presets = presets.get();
        ResetDefaults(context.model.Mirror());
        SetDefaultNames(context.model.Mirror(), 1);
    }

    std::unique_ptr<CSystemDlg> Open(int language = 1) {
        auto page = OpenSystemPage(context, language);
        page->ShowTab(kTabShow);
        return page;
    }

    static std::vector<QString> Captions(const CSystemDlg& page) {
        std::vector<QString> captions;
        for (int k = 0; k < CSystemDlg::kSceneSlots; ++k) {
            if (page.SceneButton(k)->isVisible()) captions.push_back(page.SceneButton(k)->text());
        }
        return captions;
    }

    // Clicks scene button `slot` and picks `command` from its menu.
    static void Choose(CSystemDlg& page, int slot, int command) {
        page.SceneButton(slot)->click();
        ASSERT_EQ(page.SceneMenuSlot(), slot);
        for (QAction* action : page.SceneMenu()->actions()) {
            if (CMenuEx::CommandOf(action) == command) {
                action->trigger();
                page.SceneMenu()->hide();
                return;
            }
        }
        FAIL() << "no menu command " << command;
    }

    QByteArray SceneFile(int id) const {
        QFile file(dir.filePath(QStringLiteral("%1.dat").arg(id)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    AppContext context;
    FakeLink link;
    RecordingNotifier notifier;
    std::unique_ptr<PresetStore> presets;
};

}  // namespace mixer::testing
