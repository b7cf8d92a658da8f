#include "presets/module_presets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "link/random_state.h"
#include "preset_test_support.h"
#include "presets/preset_codec.h"

using namespace mixer;
using mixer::testing::FakeNamePrompt;
using mixer::testing::FakePresetMenu;
using mixer::testing::MakeDatabase;
using mixer::testing::RandomState;
using mixer::testing::SameState;

namespace {

class ModulePresetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(MakeDatabase(dir).toStdString(), "");
        std::mt19937 rng(1);
        state = RandomState(rng);
    }

    ModulePresets Presets(PresetModule module) { return {module, state, store, notifier, prompt, menu}; }

    QStringList Names(PresetModule module) {
        QStringList names;
        const QString table = QString::fromLatin1(TableInfo(module).table);
        const auto rows = store.Query(QStringLiteral("select NAME from \"%1\" order by ID").arg(table));
        for (const auto& row : rows.value()) names << row[0].toString();
        return names;
    }

    void Insert(PresetModule module, int id, const QString& name, const QString& data) {
        const QString table = QString::fromLatin1(TableInfo(module).table);
        ASSERT_TRUE(store.Execute(QStringLiteral("insert into \"%1\" values(?, ?, ?)").arg(table), {id, name, data}));
    }

    QTemporaryDir dir;
    RecordingNotifier notifier;
    PresetStore store{dir.path(), notifier};
    FakeNamePrompt prompt;
    FakePresetMenu menu;
    MixerState state;
};

}  // namespace

TEST_F(ModulePresetsTest, SavingIntoAnEmptyTableCreatesSave1WithTheModuleText) {
    ModulePresets peq = Presets(PresetModule::kPeq);
    peq.SetIndex(4);
    peq.Fill();
    EXPECT_EQ(peq.Entries(), QStringList{"SAVE PRESET"});

    EXPECT_EQ(peq.Select(0), PresetAction::kSaved);
    EXPECT_EQ(peq.Entries(), (QStringList{"SAVE PRESET", "1:SAVE1"}));
    const auto rows = store.Query(QStringLiteral("select ID, NAME, PEQDATA from \"PEQ\""));
    ASSERT_EQ(rows->size(), 1u);
    EXPECT_EQ((*rows)[0][0].toInt(), 1);
    EXPECT_EQ((*rows)[0][1].toString(), "SAVE1");
    EXPECT_EQ((*rows)[0][2].toString().toStdString(), EncodePreset(PresetModule::kPeq, state, 4));
    EXPECT_TRUE(menu.shown.empty());
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(ModulePresetsTest, NextIdIsHighestPlusOneSoDeletingTheHighestFreesIt) {
    ModulePresets noise = Presets(PresetModule::kNoise);
    noise.Fill();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(noise.Save());
    EXPECT_EQ(noise.Entries(), (QStringList{"SAVE PRESET", "1:SAVE1", "2:SAVE2", "3:SAVE3"}));

    menu.choice = kFirstPresetMenu.remove;
    EXPECT_EQ(noise.Select(3), PresetAction::kDeleted);
    EXPECT_EQ(noise.Entries(), (QStringList{"SAVE PRESET", "1:SAVE1", "2:SAVE2"}));
    ASSERT_TRUE(noise.Save());
    EXPECT_EQ(noise.Entries().last(), "3:SAVE3");

    // A gap below the highest stays a gap.
    EXPECT_EQ(noise.Select(1), PresetAction::kDeleted);
    ASSERT_TRUE(noise.Save());
    EXPECT_EQ(noise.Entries(), (QStringList{"SAVE PRESET", "2:SAVE2", "3:SAVE3", "4:SAVE4"}));
    EXPECT_EQ(menu.shown.size(), 2u);
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(ModulePresetsTest, EntriesFollowAscendingIdsWhateverTheRowOrder) {
    Insert(PresetModule::kGeq, 9, "nine", "");
    Insert(PresetModule::kGeq, 2, "two", "");
    Insert(PresetModule::kGeq, 40, QString(), "");
    ModulePresets geq = Presets(PresetModule::kGeq);
    geq.Fill();
    EXPECT_EQ(geq.Entries(), (QStringList{"SAVE PRESET", "2:two", "9:nine", "40:"}));
    ASSERT_TRUE(geq.Save());
    EXPECT_EQ(geq.Entries().last(), "41:SAVE41");
}

TEST_F(ModulePresetsTest, RecalledPeqRestoresBandsAndFiltersAndLeavesPolarityAlone) {
    ModulePresets peq = Presets(PresetModule::kPeq);
    peq.SetIndex(2);
    peq.Fill();
    ASSERT_TRUE(peq.Save());
    const StripRecord saved = state.strips[2];

    std::mt19937 rng(99);
    const MixerState other = RandomState(rng);
    state.strips[2] = other.strips[2];
    state.strips[2].polarity = !saved.polarity;
    const MixerState beforeRecall = state;

    menu.choice = kFirstPresetMenu.recall;
    EXPECT_EQ(peq.Select(1), PresetAction::kRecalled);
    const StripRecord& r = state.strips[2];
    for (int b = 0; b < kPeqBandCount; ++b) {
        EXPECT_EQ(r.peqBands[b].freq, saved.peqBands[b].freq);
        EXPECT_EQ(r.peqBands[b].gain2, saved.peqBands[b].gain2);
        EXPECT_EQ(r.peqBands[b].q, saved.peqBands[b].q);
        EXPECT_EQ(r.peqBands[b].type, saved.peqBands[b].type);
    }
    EXPECT_EQ(std::memcmp(&r.hpfFreq, &saved.hpfFreq, 8 * sizeof(int32_t)), 0);
    EXPECT_EQ(r.polarity, !saved.polarity);
    // Nothing outside the channel's PEQ changed.
    MixerState rest = state;
    std::memcpy(rest.strips[2].peqBands, beforeRecall.strips[2].peqBands, sizeof rest.strips[2].peqBands);
    std::memcpy(&rest.strips[2].hpfFreq, &beforeRecall.strips[2].hpfFreq, 8 * sizeof(int32_t));
    EXPECT_TRUE(SameState(rest, beforeRecall));
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(ModulePresetsTest, RenameWithCancelChangesNothing) {
    ModulePresets rev = Presets(PresetModule::kRev);
    rev.Fill();
    ASSERT_TRUE(rev.Save());
    menu.choice = kFirstPresetMenu.name;
    prompt.answer.reset();
    EXPECT_EQ(rev.Select(1), PresetAction::kNone);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0], "SAVE1");
    EXPECT_EQ(rev.Entries(), (QStringList{"SAVE PRESET", "1:SAVE1"}));
    EXPECT_EQ(Names(PresetModule::kRev), QStringList{"SAVE1"});
}

TEST_F(ModulePresetsTest, NamesAreStoredAndListedAsTyped) {
    const QString typed = QStringLiteral("O'Brien \"live\" 现场");
    ModulePresets comp = Presets(PresetModule::kCompressor);
    comp.Fill();
    ASSERT_TRUE(comp.Save());
    ASSERT_TRUE(comp.Save());
    menu.choice = kSecondPresetMenu.name;
    prompt.answer = typed;
    EXPECT_EQ(comp.Select(2), PresetAction::kRenamed);
    EXPECT_EQ(comp.Entries(), (QStringList{"SAVE PRESET", "1:SAVE1", "2:" + typed}));
    EXPECT_EQ(Names(PresetModule::kCompressor), (QStringList{"SAVE1", typed}));

    prompt.answer = QStringLiteral("x' where 1=1; --");
    EXPECT_EQ(comp.Select(1), PresetAction::kRenamed);
    EXPECT_EQ(Names(PresetModule::kCompressor), (QStringList{"x' where 1=1; --", typed}));
    EXPECT_EQ(prompt.asked, (std::vector<QString>{"SAVE2", "SAVE1"}));

    ModulePresets again = Presets(PresetModule::kCompressor);
    again.Fill();
    EXPECT_EQ(again.Entries(), comp.Entries());
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(ModulePresetsTest, DismissedMenuAndEntriesOutsideTheListDoNothing) {
    ModulePresets lim = Presets(PresetModule::kLimit);
    lim.Fill();
    ASSERT_TRUE(lim.Save());
    const MixerState before = state;
    menu.choice = 0;
    EXPECT_EQ(lim.Select(1), PresetAction::kNone);
    menu.choice = kSecondPresetMenu.remove;  // not this table's menu
    EXPECT_EQ(lim.Select(1), PresetAction::kNone);
    EXPECT_EQ(lim.Select(2), PresetAction::kNone);
    EXPECT_EQ(lim.Select(-1), PresetAction::kNone);
    EXPECT_EQ(menu.shown.size(), 2u);
    EXPECT_EQ(lim.Entries().size(), 2);
    EXPECT_TRUE(SameState(state, before));
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(ModulePresetsTest, EveryTableSavesAndRecallsThroughItsOwnColumnAndMenu) {
    std::mt19937 rng(17);
    for (PresetModule m : kPresetModules) {
        SCOPED_TRACE(TableInfo(m).table.data());
        const bool bus = m == PresetModule::kLimit || m == PresetModule::kGeq;
        ModulePresets presets = Presets(m);
        presets.SetIndex(bus ? 3 : 5);
        presets.Fill();
        ASSERT_TRUE(presets.Save());
        const std::string text = EncodePreset(m, state, bus ? 3 : 5);

        const QString statement = QStringLiteral("select \"%1\" from \"%2\"")
                                      .arg(QLatin1StringView(TableInfo(m).dataColumn), QLatin1StringView(TableInfo(m).table));
        const auto rows = store.Query(statement);
        ASSERT_TRUE(rows);
        ASSERT_EQ(rows->size(), 1u);
        EXPECT_EQ((*rows)[0][0].toString().toStdString(), text);

        state = RandomState(rng);
        menu.shown.clear();
        menu.choice = TableInfo(m).menu.recall;
        ASSERT_EQ(presets.Select(1), PresetAction::kRecalled);
        EXPECT_EQ(EncodePreset(m, state, bus ? 3 : 5), text);
        ASSERT_EQ(menu.shown.size(), 1u);
        EXPECT_EQ(menu.shown[0].recall, TableInfo(m).menu.recall);
    }
    EXPECT_EQ(TableInfo(PresetModule::kPeq).menu.name, 32771);
    EXPECT_EQ(TableInfo(PresetModule::kCompressor).menu.name, 32775);
    EXPECT_EQ(TableInfo(PresetModule::kDelay).menu.remove, 32777);
    EXPECT_EQ(TableInfo(PresetModule::kRev).menu.recall, 32773);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(ModulePresetsTest, DamagedRowsAreRefusedOrLimitedWithAMessage) {
    Insert(PresetModule::kNoise, 1, "short", "013C0A");
    Insert(PresetModule::kNoise, 2, "not hex", "013C0AZZ");
    Insert(PresetModule::kNoise, 3, "wide", "05FF00FF");
    Insert(PresetModule::kNoise, 4, "null", QString());
    ModulePresets noise = Presets(PresetModule::kNoise);
    noise.SetIndex(6);
    noise.Fill();
    const MixerState before = state;

    EXPECT_FALSE(noise.Recall(1));
    EXPECT_FALSE(noise.Recall(2));
    EXPECT_FALSE(noise.Recall(4));
    EXPECT_TRUE(SameState(state, before));
    ASSERT_EQ(notifier.messages.size(), 3u);
    EXPECT_EQ(notifier.messages[0].text, "预设数据已损坏，未调用任何设置。");

    noise.SetLabels(1);
    EXPECT_TRUE(noise.Recall(3));
    ASSERT_EQ(notifier.messages.size(), 4u);
    EXPECT_EQ(notifier.messages[3].text, "Some values of the preset were out of range and have been limited.");
    EXPECT_EQ(state.strips[6].gateOn, 1);
    EXPECT_EQ(state.strips[6].gate[kGateThreshold], 60);
    EXPECT_EQ(state.strips[6].gate[kGateAttack], 1);
    EXPECT_EQ(state.strips[6].gate[kGateRelease], 250);

    noise.SetLabels(7);
    EXPECT_FALSE(noise.Recall(42));
    EXPECT_EQ(notifier.messages.back().text, "The preset no longer exists.");
    EXPECT_EQ(notifier.messages.back().caption, "");
}

TEST_F(ModulePresetsTest, ADamagedDatabaseIsToldOnceWhateverThePagesAskAndLeavesOnlyTheSaveEntry) {
    QTemporaryDir other;
    QFile garbage(QDir(other.path()).filePath(PresetStore::kFileName));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    PresetStore damaged(other.path(), notifier);
    ModulePresets peq(PresetModule::kPeq, state, damaged, notifier, prompt, menu);
    ModulePresets geq(PresetModule::kGeq, state, damaged, notifier, prompt, menu);
    for (int pass = 0; pass < 3; ++pass) {
        peq.Fill();
        geq.Fill();
    }
    EXPECT_EQ(peq.Select(0), PresetAction::kNone);
    EXPECT_FALSE(geq.Recall(1));

    EXPECT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(peq.Entries(), QStringList{"SAVE PRESET"});
    EXPECT_EQ(geq.Entries(), QStringList{"SAVE PRESET"});
    EXPECT_EQ(QFileInfo(garbage).size(), 4096);
}

TEST_F(ModulePresetsTest, AThousandPresetsListInOrder) {
    // Inserted in a scrambled order: 7919 is prime to 1000.
    ASSERT_TRUE(store.Execute(QStringLiteral("with recursive n(i) as (select 0 union all select i + 1 from n where i < 999) "
                                             "insert into \"PEQ\" select (i * 7919) % 1000 + 1, 'P' || i, ? from n"),
                              {QString::fromStdString(EncodePreset(PresetModule::kPeq, state, 0))}));
    ModulePresets peq = Presets(PresetModule::kPeq);
    peq.Fill();
    ASSERT_EQ(peq.Entries().size(), 1001);
    for (int i = 1; i <= 1000; ++i) ASSERT_TRUE(peq.Entries()[i].startsWith(QString::number(i) + ':')) << i;
    ASSERT_TRUE(peq.Save());
    EXPECT_EQ(peq.Entries().last(), "1001:SAVE1001");
    menu.choice = kFirstPresetMenu.recall;
    EXPECT_EQ(peq.Select(500), PresetAction::kRecalled);
    EXPECT_TRUE(notifier.messages.empty());
}
