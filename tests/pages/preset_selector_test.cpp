// The preset selector of a page against a real preset database: save,
// recall, rename and delete as the user reaches them, menu and dialog
// included, without a nested event loop.

#include <QApplication>
#include <QTemporaryDir>

#include "page_fixture.h"
#include "pages/frame/preset_selector.h"
#include "pages/geq/geq_dlg.h"
#include "pages/peq/peq_dlg.h"
#include "presets/name_dialog.h"
#include "presets/preset_database.h"
#include "presets/preset_store.h"
#include "skin/bitmap_slider.h"
#include "skin/menu_ex.h"
#include "skin/text_field.h"

using namespace mixer;

namespace {

template <class Page>
class WithPresets : public mixer::testing::PageFixture<Page> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(CreatePresetDatabase(QStringLiteral(KORVEL_SCHEMA_PATH), dir.filePath(PresetStore::kFileName)).isEmpty());
        store = std::make_unique<PresetStore>(dir.path(), notifier);
        this->context.presets = store.get();
        mixer::testing::PageFixture<Page>::SetUp();
    }

    CPresetSelector& Selector() { return *this->page->PresetSelector(); }

    QTemporaryDir dir;
    RecordingNotifier notifier;
    std::unique_ptr<PresetStore> store;
};

using PeqPresets = WithPresets<CPeqDlg>;
using GeqPresets = WithPresets<CGeqDlg>;

TEST_F(PeqPresets, SaveThenRecallRestoresSendsAndPropagates) {
    page->SetChannel(2);
    StripRecord& r = state.strips[2];
    r.peqBands[1] = PeqBand{777, 200, 33, {0, 0}, 0};
    r.hpfOn = 1;
    Selector().Choose(0, {});
    ASSERT_EQ(Selector().count(), 2);
    EXPECT_EQ(Selector().itemText(1), "1:SAVE1");
    EXPECT_TRUE(host.sent.empty());
    // Another page of the same table sees it when shown.
    CPeqDlg other(context, host, nullptr);
    EXPECT_EQ(other.PresetSelector()->count(), 1);
    other.show();
    EXPECT_EQ(other.PresetSelector()->itemText(1), "1:SAVE1");

    page->OnReset();
    Link(2, {9});
    r.polarity = 1;
    host.sent.clear();
    Selector().Choose(1, {});
    EXPECT_TRUE(Selector().Menu()->isVisible());
    Selector().Menu()->hide();
    Selector().OnMenuCommand(kFirstPresetMenu.recall);
    EXPECT_EQ(r.peqBands[1].freq, 777);
    EXPECT_EQ(r.peqBands[1].gain2, 200);
    EXPECT_EQ(r.hpfOn, 1);
    EXPECT_EQ(r.polarity, 1);   // not part of a preset
    EXPECT_EQ(page->BandKnob(2, CPeqDlg::Knob::kGain)->GetPos(), 200);
    // What the recall changed on its own channel at once, the linked
    // channel's whole EQ paced.
    int own = 0, paced = 0;
    for (std::size_t k = 0; k < Sent().size(); ++k) {
        const bool isPaced = host.recorder.IsPaced(host.sent[k]);
        EXPECT_EQ(Sent()[k].code, isPaced ? 10 : 3) << k;
        ++(isPaced ? paced : own);
        if (!isPaced && Sent()[k].letter == 'G' && Sent()[k].values[1] == 2) {
            EXPECT_EQ(Sent()[k].values[3], 777);
        }
    }
    EXPECT_GT(own, 0);
    EXPECT_EQ(paced, 6);
    EXPECT_EQ(state.strips[9].peqBands[1].freq, 777);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(PeqPresets, RenameGoesThroughTheNameDialogAndCancelKeepsTheName) {
    page->SetChannel(0);
    Selector().Choose(0, {});
    Selector().Choose(1, {});
    Selector().OnMenuCommand(kFirstPresetMenu.name);
    auto* dialog = page->findChild<CNameDlg*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Field()->text(), "SAVE1");
    dialog->reject();
    QApplication::processEvents();
    EXPECT_EQ(Selector().itemText(1), "1:SAVE1");

    Selector().Choose(1, {});
    Selector().OnMenuCommand(kFirstPresetMenu.name);
    dialog = nullptr;
    for (CNameDlg* d : page->findChildren<CNameDlg*>()) {
        if (d->isVisible()) dialog = d;
    }
    ASSERT_NE(dialog, nullptr);
    dialog->Field()->setText(QStringLiteral("人声 'lead'"));
    dialog->accept();
    EXPECT_EQ(Selector().itemText(1), "1:人声 'lead'");

    Selector().Choose(1, {});
    Selector().OnMenuCommand(kFirstPresetMenu.remove);
    EXPECT_EQ(Selector().count(), 1);
    // A dismissed menu does nothing.
    Selector().Choose(0, {});
    Selector().Choose(1, {});
    Selector().OnMenuCommand(0);
    EXPECT_EQ(Selector().count(), 2);
}

TEST_F(GeqPresets, RecallOnMainWritesBothRecordsAndSendsThem) {
    page->SetChannel(0);
    state.buses[0].geqBands[12].gain2 = 20;
    state.buses[1].geqBands[12].gain2 = 20;
    Selector().Choose(0, {});
    page->OnReset();
    host.sent.clear();
    Selector().Choose(1, {});
    Selector().OnMenuCommand(kFirstPresetMenu.recall);
    EXPECT_EQ(state.buses[0].geqBands[12].gain2, 20);
    EXPECT_EQ(state.buses[1].geqBands[12].gain2, 20);
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[1].values[13], 10);
}

TEST(PresetSelectorWithoutDatabase, IsDisabledAndDoesNothing) {
    AppContext context;
    mixer::testing::FakeStripHost host;
    CPeqDlg page(context, host, nullptr);
    EXPECT_FALSE(page.PresetSelector()->isEnabled());
    page.PresetSelector()->Choose(0, {});
    EXPECT_EQ(page.PresetSelector()->count(), 1);
}

}  // namespace
