// The SHOW tab's scenes and the RESET button against a fake link: what is
// stored, listed, recalled and sent, and what the user is told.

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>

#include "groups/group_store.h"
#include "link/commands.h"
#include "loopback.h"
#include "presets/name_dialog.h"
#include "skin/menu_resources.h"
#include "skin/text_field.h"
#include "system/scene_fixture.h"
#include "system/upload_all.h"
#include "system/upload_plan.h"

using namespace mixer;
using mixer::testing::SceneFixture;
using mixer::testing::WaitUntil;

namespace {

using Texts = std::vector<QString>;

bool SameState(const MixerState& a, const MixerState& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The plan's 283 commands, then the meter stream turned back on.
std::vector<std::string> UploadMessages(const MixerState& state) {
    std::vector<std::string> messages;
    for (const UploadStep& step : UploadAllPlan()) messages.push_back(BuildUploadMessage(state, step));
    messages.push_back(BuildQ(true));
    return messages;
}

class Scenes : public SceneFixture {};

TEST_F(Scenes, SaveOnAnEmptyTableStoresSceneOneWithItsWholeFile) {
    auto page = Open();
    EXPECT_TRUE(Captions(*page).empty());
    SetName(context.model.Mirror().strips[2].name, "Vox");
    page->SaveButton()->click();

    EXPECT_EQ(Captions(*page), Texts{"1:SAVE1"});
    const QByteArray file = SceneFile(1);
    ASSERT_EQ(file.size(), 17580);
    EXPECT_STREQ(file.constData() + 4 + 488 * 2 + 468, "Vox");
    EXPECT_STREQ(file.constData() + 9764 + 832 * 2 + 812, "AUX 1");
    const auto rows = presets->Query("SELECT FILENAME FROM DeviceDATA WHERE ID = 1");
    ASSERT_TRUE(rows && rows->size() == 1);
    EXPECT_EQ(rows->front()[0].toString(), dir.filePath("1.dat"));
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(Scenes, WithoutAPresetDatabaseYetSaveMakesOneAndListsTheScene) {
    ASSERT_TRUE(QFile::remove(dir.filePath(PresetStore::kFileName)));
    auto page = Open();
    page->SaveButton()->click();
    EXPECT_EQ(Captions(*page), Texts{"1:SAVE1"});
    EXPECT_EQ(SceneFile(1).size(), 17580);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(Scenes, DeletedIdsAreNotReusedAndTheFileGoesToTheTrash) {
    auto page = Open();
    for (int i = 0; i < 3; ++i) page->SaveButton()->click();
    Choose(*page, 1, kCmdFirstDelete);
    EXPECT_EQ(Captions(*page), (Texts{"1:SAVE1", "3:SAVE3"}));
    EXPECT_FALSE(QFile::exists(dir.filePath("2.dat")));
    EXPECT_TRUE(QFile::exists(dir.filePath("xdg/Trash/files/2.dat")));

    page->SaveButton()->click();
    EXPECT_EQ(Captions(*page), (Texts{"1:SAVE1", "3:SAVE3", "4:SAVE4"}));
}

// Whatever is already at a number's path, kept after a delete without a
// trash or put there by hand, stays as it is: the save takes a later number.
TEST_F(Scenes, SaveNeverReplacesAFileAlreadyThereAndTakesTheNextFreeNumber) {
    auto page = Open();
    for (int i = 0; i < 4; ++i) page->SaveButton()->click();
    qputenv("XDG_DATA_HOME", dir.filePath("blocker/share").toUtf8());
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Choose(*page, 3, kCmdFirstDelete);
    const QByteArray kept = SceneFile(4);
    ASSERT_EQ(kept.size(), 17580);
    ASSERT_TRUE(QDir(dir.path()).mkdir("5.dat"));
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), dir.filePath("6.dat")));
    context.model.Mirror().strips[0].level = 3;  // so that a file written over differs from the kept one

    page->SaveButton()->click();
    EXPECT_EQ(Captions(*page), (Texts{"1:SAVE1", "2:SAVE2", "3:SAVE3", "7:SAVE7"}));
    EXPECT_EQ(SceneFile(4), kept);
    EXPECT_EQ(SceneFile(7).size(), 17580);
    EXPECT_TRUE(QFileInfo(dir.filePath("5.dat")).isDir());
    EXPECT_TRUE(QFileInfo(dir.filePath("6.dat")).isSymLink());
    EXPECT_FALSE(QFile::exists(dir.filePath("nowhere")));
    ASSERT_EQ(notifier.messages.size(), 1u);  // the delete's word about the kept file

    // Numbers past 32 are not taken: with the rest held, nothing is saved.
    for (int id = 8; id <= 32; ++id) {
        QFile held(dir.filePath(QStringLiteral("%1.dat").arg(id)));
        ASSERT_TRUE(held.open(QIODevice::WriteOnly));
    }
    page->SaveButton()->click();
    EXPECT_EQ(Captions(*page).size(), 4u);
    EXPECT_FALSE(QFile::exists(dir.filePath("33.dat")));
    EXPECT_EQ(SceneFile(20).size(), 0);
}

TEST_F(Scenes, DeleteMakesTheDataFolderForTheTrashOrKeepsTheFileWhereThereIsNone) {
    // Whatever goes wrong must not land in the current directory.
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    auto page = Open();
    page->SaveButton()->click();
    page->SaveButton()->click();

    qputenv("XDG_DATA_HOME", dir.filePath("not-yet/share").toUtf8());
    Choose(*page, 0, kCmdFirstDelete);
    EXPECT_TRUE(QFile::exists(dir.filePath("not-yet/share/Trash/files/1.dat")));
    EXPECT_FALSE(QDir(dir.filePath("files")).exists());

    // A data folder that cannot exist: there is no trash.
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_DATA_HOME", dir.filePath("blocker/share").toUtf8());
    Choose(*page, 0, kCmdFirstDelete);
    QDir::setCurrent(cwd);

    EXPECT_TRUE(Captions(*page).empty());
    EXPECT_TRUE(QFile::exists(dir.filePath("2.dat")));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_NE(notifier.messages[0].text.find("no trash"), std::string::npos);
    EXPECT_NE(notifier.messages[0].text.find("2.dat"), std::string::npos);
}

TEST_F(Scenes, RenameThroughTheNameDialogTakesAnyName) {
    auto page = Open();
    for (int i = 0; i < 3; ++i) page->SaveButton()->click();
    for (const QString& name : {QStringLiteral("Live"), QStringLiteral("Bob's \"mix\"")}) {
        Choose(*page, 2, kCmdFirstName);
        CNameDlg* dialog = page->SceneNameDialog();
        ASSERT_NE(dialog, nullptr);
        dialog->Field()->setText(name);
        dialog->accept();
        EXPECT_EQ(Captions(*page).back(), "3:" + name);
    }
    EXPECT_TRUE(notifier.messages.empty());
}

// The caption stays "N:name" for the code that reads it; the button shows
// the number and as much of the name as fits, the tooltip all of it.
TEST_F(Scenes, AButtonShowsItsNumberAndTheNameAsFarAsItFits) {
    auto page = Open();
    for (int i = 0; i < 12; ++i) page->SaveButton()->click();
    for (const QString& name : {QStringLiteral("GHIJKLMIJKLMNOP"), QStringLiteral("左声道底鼓话筒"), QStringLiteral("A")}) {
        SCOPED_TRACE(name.toStdString());
        Choose(*page, 11, kCmdFirstName);
        page->SceneNameDialog()->Field()->setText(name);
        page->SceneNameDialog()->accept();
        CImageButton* button = page->SceneButton(11);
        EXPECT_EQ(button->text(), "12:" + name);
        EXPECT_EQ(button->toolTip(), button->text());
        const CImageButton::CaptionLayout caption = button->LayOutCaption();
        EXPECT_TRUE(caption.text.startsWith(QStringLiteral("12:"))) << caption.text.toStdString();
        EXPECT_GT(caption.text.size(), 3);
        EXPECT_TRUE(button->rect().contains(caption.bounds)) << caption.bounds.x() << "," << caption.bounds.width();
    }
}

TEST_F(Scenes, AFullTableSavesNothingAndSaysNothing) {
    auto page = Open();
    for (int i = 0; i < 33; ++i) page->SaveButton()->click();
    EXPECT_EQ(Captions(*page).size(), 32u);
    EXPECT_EQ(Captions(*page).back(), "32:SAVE32");
    EXPECT_FALSE(QFile::exists(dir.filePath("33.dat")));
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(Scenes, AFailedWriteIsReportedAndNotListed) {
    // A file in the scene folder's place: the scene cannot be written.
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    context.dataDir = dir.filePath("blocker/scenes");
    auto page = Open();
    page->SaveButton()->click();
    EXPECT_TRUE(Captions(*page).empty());
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_NE(notifier.messages[0].text.find("could not be written"), std::string::npos);
    EXPECT_TRUE(presets->Query("SELECT ID FROM DeviceDATA")->empty());
}

TEST_F(Scenes, RecallOfflineChangesTheStateSendsNothingAndKeepsTheLinkAsItWas) {
    auto page = Open();
    link.GoOnline();
    page->SaveButton()->click();  // the file says connected
    link.connected = false;
    const MixerState saved = context.model.Mirror();
    context.model.Mirror().strips[0].level = 5;
    context.model.Mirror().buses[3].busMode = 3;
    QSignalSpy replaced(page.get(), &CSystemDlg::stateReplaced);

    Choose(*page, 0, kCmdFirstRecall);
    EXPECT_TRUE(SameState(context.model.Mirror(), saved));
    EXPECT_TRUE(link.sent.empty());
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(replaced.count(), 1);
    EXPECT_EQ(link.heardMarks, 1);
}

TEST_F(Scenes, RecallWhileConnectedSendsTheWholeStateAndKeepsTheConnection) {
    auto page = Open();
    page->SaveButton()->click();  // the file says not connected
    const MixerState saved = context.model.Mirror();
    context.model.Mirror().strips[7].pan = 3;
    link.GoOnline();
    page->Upload()->SetInterval(std::chrono::milliseconds(0));
    QSignalSpy replaced(page.get(), &CSystemDlg::stateReplaced);
    QSignalSpy running(page.get(), &CSystemDlg::uploadRunning);

    Choose(*page, 0, kCmdFirstRecall);
    ASSERT_NE(page->UploadProgress(), nullptr);
    EXPECT_TRUE(page->UploadProgress()->isVisible());
    // The console holds its controls instead: a modal box would keep the window from closing.
    ASSERT_EQ(running.count(), 1);
    EXPECT_TRUE(running.at(0).at(0).toBool());
    // Neither Escape nor the title bar ends the box before the upload.
    QTest::keyClick(page->UploadProgress(), Qt::Key_Escape);
    page->UploadProgress()->close();
    ASSERT_NE(page->UploadProgress(), nullptr);
    EXPECT_TRUE(page->UploadProgress()->isVisible());
    EXPECT_EQ(replaced.count(), 0);
    ASSERT_TRUE(replaced.wait(5000));

    EXPECT_EQ(link.sent, UploadMessages(saved));
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(link.heardMarks, 1 + 97);
    EXPECT_TRUE(WaitUntil([&] { return page->UploadProgress() == nullptr; }));
    ASSERT_EQ(running.count(), 2);
    EXPECT_FALSE(running.at(1).at(0).toBool());
}

TEST_F(Scenes, SaveRecallSaveGivesTheSameFileWithTheCarriedRegions) {
    auto page = Open();
    SetName(context.model.Mirror().buses[5].name, "Wedge");
    context.model.Mirror().strips[12].gate[kGateAttack] = 77;
    page->SaveButton()->click();
    // A file from elsewhere may hold anything in the regions this editor carries.
    QByteArray first = SceneFile(1);
    for (int i = 8788; i < 9764; ++i) first[i] = static_cast<char>(i);
    for (int i = 16420; i < 17520; ++i) first[i] = static_cast<char>(i * 3);
    first[0] = 'K';
    {
        QFile file(dir.filePath("1.dat"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(first);
    }
    context.model.Mirror().buses[5].level = 1;

    Choose(*page, 0, kCmdFirstRecall);
    page->SaveButton()->click();
    EXPECT_EQ(SceneFile(2), first);
}

TEST_F(Scenes, ABadFileIsReportedAndLeavesTheStateAlone) {
    auto page = Open();
    page->SaveButton()->click();
    page->SaveButton()->click();
    context.model.Mirror().strips[0].level = 9;
    const MixerState before = context.model.Mirror();

    QFile::resize(dir.filePath("1.dat"), 17579);
    Choose(*page, 0, kCmdFirstRecall);
    QFile::remove(dir.filePath("2.dat"));
    Choose(*page, 1, kCmdFirstRecall);

    EXPECT_TRUE(SameState(context.model.Mirror(), before));
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_NE(notifier.messages[0].text.find("shorter than a scene"), std::string::npos);
    EXPECT_NE(notifier.messages[1].text.find("cannot be opened"), std::string::npos);
}

TEST_F(Scenes, AHostileFileIsClampedBeforeUse) {
    auto page = Open();
    page->SaveButton()->click();
    {
        QFile file(dir.filePath("1.dat"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(17580, '\x7F'));
    }
    Choose(*page, 0, kCmdFirstRecall);
    MixerState clamped = context.model.Mirror();
    ClampToRanges(clamped);
    EXPECT_TRUE(SameState(clamped, context.model.Mirror()));
    EXPECT_EQ(context.model.Mirror().strips[0].level, kLevelMax);
    EXPECT_EQ(context.model.Mirror().strips[0].name[kNameSize - 1], '\0');
}

class Reset : public SceneFixture {
protected:
    void SetUp() override {
        SceneFixture::SetUp();
        context.groups.mute[0].inputs[3] = 1;
        context.groups.mute[0].name = "Drums";
        context.groups.control[2].members[1] = 1;
        context.groups.control[2].count = 1;
        context.activeMuteGroup = 1;
        context.controlGroupEnabled[2] = 1;
        ASSERT_TRUE(SaveGroups(context.profileFile, context.groups));
        SetName(context.model.Mirror().strips[0].name, "Kick");
        context.model.Mirror().strips[0].level = 12;
        context.model.Mirror().buses[4].lim[kDynThreshold] = 9;
        expected = context.model.Mirror();
        ResetDefaults(expected);
    }

    MixerState expected;
};

TEST_F(Reset, OfflineRestoresTheDefaultsClearsTheGroupsAndSaysSo) {
    auto page = Open();
    QSignalSpy clearing(page.get(), &CSystemDlg::aboutToClearGroups);
    bool groupsKnownWhenLetGo = false;
    QObject::connect(page.get(), &CSystemDlg::aboutToClearGroups, page.get(),
            [&] { groupsKnownWhenLetGo = context.groups.mute[0].inputs[3] == 1; });
    page->ResetButton()->click();

    EXPECT_TRUE(SameState(context.model.Mirror(), expected));
    EXPECT_STREQ(context.model.Mirror().strips[0].name, "Kick");
    EXPECT_EQ(context.groups, GroupTables{});
    EXPECT_EQ(LoadGroups(context.profileFile), GroupTables{});
    EXPECT_EQ(context.activeMuteGroup, 0);
    EXPECT_EQ(context.controlGroupEnabled[2], 0);
    EXPECT_TRUE(groupsKnownWhenLetGo);
    EXPECT_TRUE(link.sent.empty());
    EXPECT_FALSE(context.updateBusy);
    EXPECT_EQ(notifier.Texts(), std::vector<std::string>{"Reset successfully."});
}

TEST_F(Reset, WhileBusyItOnlySaysSo) {
    auto page = Open(2);
    context.updateBusy = true;
    const MixerState before = context.model.Mirror();
    page->ResetButton()->click();
    EXPECT_TRUE(SameState(context.model.Mirror(), before));
    EXPECT_EQ(context.groups.mute[0].name, "Drums");
    EXPECT_EQ(notifier.Texts(), std::vector<std::string>{"正在复位设备......."});
    EXPECT_TRUE(context.updateBusy);
}

TEST_F(Reset, ConnectedItSendsTheWholeStateAndStaysBusyUntilDone) {
    auto page = Open(2);
    link.GoOnline();
    page->Upload()->SetInterval(std::chrono::milliseconds(1));
    QSignalSpy done(page->Upload(), &UploadAll::finished);
    page->ResetButton()->click();
    EXPECT_TRUE(context.updateBusy);
    EXPECT_TRUE(notifier.Texts().empty());
    ASSERT_TRUE(done.wait(5000));
    EXPECT_FALSE(context.updateBusy);

    EXPECT_EQ(link.sent, UploadMessages(expected));
    EXPECT_EQ(notifier.Texts(), std::vector<std::string>{"复位成功。"});
    EXPECT_TRUE(link.IsConnected());
}

TEST_F(Reset, ALinkThatDropsEndsTheUploadAndReleasesTheBusyFlag) {
    auto page = Open();
    link.GoOnline();
    page->Upload()->SetInterval(std::chrono::milliseconds(1));
    QObject::connect(page->Upload(), &UploadAll::progressed, page.get(), [&](int sent) {
        if (sent == 20) link.connected = false;
    });
    QSignalSpy done(page->Upload(), &UploadAll::finished);
    page->ResetButton()->click();
    ASSERT_TRUE(done.wait(5000));
    EXPECT_FALSE(context.updateBusy);

    EXPECT_EQ(link.sent.size(), 20u);
    // Not reported as a success: the mixer did not get every parameter.
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_NE(notifier.messages[0].text.find("connection ended"), std::string::npos);
}

}  // namespace

namespace {

TEST_F(Scenes, TheSafesGridTogglesCellsRowsAndKindsAndTheProfileKeepsThemForTheNextStart) {
    // In either language every name of the grid stays whole on one line.
    const auto namesFit = [](CSystemDlg& page) {
        std::vector<CImageButton*> names;
        for (int row = 0; row < kSafeRowCount; ++row) names.push_back(page.SafeRowAll(row));
        for (int kind = 0; kind < kSafeKindCount; ++kind) names.push_back(page.SafeKindAll(kind));
        for (CImageButton* name : names) {
            const CImageButton::CaptionLayout caption = name->LayOutCaption();
            EXPECT_TRUE(caption.flags & Qt::TextSingleLine) << name->text().toStdString();
            EXPECT_EQ(caption.text, name->text());
            EXPECT_TRUE(name->rect().contains(caption.bounds)) << name->text().toStdString();
        }
    };
    {
        auto page = Open(2);
        namesFit(*page);
        page->SafeRowAll(0)->click();
        page->SafeKindAll(kSafeEq)->click();
        page->SafeCell(kSafeMainRow, kSafeFader)->click();
        page->SafeCell(kDelayReturn, kSafePhantom)->click();  // means nothing there
        EXPECT_TRUE(page->SafeRowAll(0)->GetDown());
        EXPECT_TRUE(page->SafeKindAll(kSafeEq)->GetDown());
        EXPECT_TRUE(page->SafeCell(5, kSafeEq)->GetDown());
        EXPECT_FALSE(page->SafeCell(kDelayReturn, kSafePhantom)->isEnabled());
        EXPECT_EQ(page->SafeKindAll(kSafePhantom)->text(), QStringLiteral("幻象电源"));
        page->SafeCell(3, kSafeEq)->click();
        EXPECT_FALSE(page->SafeKindAll(kSafeEq)->GetDown());
    }
    RecallSafes wanted;
    wanted.ToggleRow(0);
    wanted.ToggleKind(kSafeEq);
    wanted.Set(3, kSafeEq, false);
    wanted.Set(kSafeMainRow, kSafeFader, true);
    auto page = Open();
    EXPECT_EQ(page->Safes(), wanted);
    EXPECT_TRUE(page->SafeCell(kSafeMainRow, kSafeFader)->GetDown());
    EXPECT_EQ(page->SafeKindAll(kSafePhantom)->text(), QStringLiteral("PHANTOM"));
    namesFit(*page);

    // A fade time out of range is taken as the nearest one.
    for (const auto& [typed, ms] : {std::pair{"2.5", 2500}, {"45", 30000}, {"-3", 0}, {"soon", 0}}) {
        page->FadeField()->setText(QString::fromLatin1(typed));
        EXPECT_EQ(page->FadeTime().count(), ms) << typed;
    }
    EXPECT_TRUE(notifier.messages.empty());
}

}  // namespace
