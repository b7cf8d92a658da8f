#pragma once
// A fresh preset database made from the schema file in a temporary data
// directory, and fakes of what the pages will show the user.

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

#include "link/notifier.h"
#include "presets/name_prompt.h"
#include "presets/preset_database.h"
#include "presets/preset_menu.h"
#include "presets/preset_store.h"

// Lets failing expectations print texts instead of bytes.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace mixer::testing {

inline QString MakeDatabase(const QTemporaryDir& dir) {
    return CreatePresetDatabase(QStringLiteral(KORVEL_SCHEMA_PATH), dir.filePath(PresetStore::kFileName));
}

class FakeNamePrompt : public NamePrompt {
public:
    std::optional<QString> AskName(const QString& current) override {
        asked.push_back(current);
        return answer;
    }

    std::optional<QString> answer;
    std::vector<QString> asked;
};

class FakePresetMenu : public PresetMenu {
public:
    int ShowPresetMenu(const PresetMenuIds& ids) override {
        shown.push_back(ids);
        return choice;
    }

    int choice = 0;
    std::vector<PresetMenuIds> shown;
};

}  // namespace mixer::testing
