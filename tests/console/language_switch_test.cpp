// The window switched between its languages as a user switches it: every
// page reads in the new language at once, default names follow while given
// ones stay, the selectors keep their choices, and the profile keeps the
// language beside the address.

#include <QAction>
#include <QComboBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "console/fake_link.h"
#include "console/input_strip_dlg.h"
#include "console/mixer_dlg.h"
#include "console/navigation_bar.h"
#include "console/output_strip_dlg.h"
#include "groups/group_page_base.h"
#include "groups/group_panel_dlg.h"
#include "groups/phantom_dlg.h"
#include "host/app_context.h"
#include "pages/curves/eq_graph.h"
#include "pages/dynamics/dynamics_dlg.h"
#include "pages/dynamics/dynamics_panel.h"
#include "pages/effect/effect_dlg.h"
#include "pages/frame/preset_selector.h"
#include "pages/limiter/limiter_dlg.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"
#include "skin/menu_ex.h"
#include "skin/skin_label.h"
#include "system/system_dlg.h"

using namespace mixer;
using mixer::testing::FakeLink;

namespace {

struct Caption {
    const char* where;
    std::function<QString()> read;
    QString english;
    QString chinese;
};

QString MenuTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) texts << action->text();
    return texts.join(QLatin1Char('/'));
}

TEST(LanguageSwitch, EveryPageFollowsBothWaysAndTheProfileKeepsIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    AppContext context;
    context.profileFile = dir.filePath("mixer-editor.ini");
    context.dataDir = dir.path();
    context.language = 1;
    QSettings(context.profileFile, QSettings::IniFormat).setValue("U_FONT_SECTION/hostip", "127.0.0.9");
    FakeLink link;
    CMixerDlg window(context, link);
    window.resize(1680, 1050);
    window.show();
    QCoreApplication::processEvents();
    // Buses 3 and 4 (AUX 2 and 3) send from after the fader and before the DSP.
    context.model.Change([](MixerState& s) {
        s.buses[3].busMode = 2;
        s.buses[4].busMode = 3;
    });

    ConsolePages& pages = window.Pages();
    static_cast<CEffectDlg*>(pages.effect)->HoldSelector(Effect::kDelay)->setCurrentIndex(1);
    static_cast<CInputStripDlg*>(pages.inputs[1])->ApplyName(QStringLiteral("Kick"));
    auto* input = static_cast<CInputStripDlg*>(pages.inputs[0]);
    auto* detailInput = static_cast<CInputStripDlg*>(pages.detailInput);
    auto output = [&](int bus) { return static_cast<COutputStripDlg*>(pages.outputs[bus]); };
    auto* detailOutput = static_cast<COutputStripDlg*>(pages.detailOutput);
    auto* dynamics = static_cast<CDynamicsDlg*>(pages.gateComp);
    auto* limiter = static_cast<CLimiterDlg*>(pages.limiter);
    auto* effect = static_cast<CEffectDlg*>(pages.effect);
    auto* system = static_cast<CSystemDlg*>(pages.system);
    auto* panel = static_cast<CGroupPanelDlg*>(pages.sidePanel);
    auto title = [](ChannelPageView* page) { return static_cast<CProcessingPage*>(page)->PageTitle(); };
    auto groupName = [](PageView* page) { return static_cast<GroupPageBase*>(page)->NameCaption()->DisplayText(); };
    const QString names = QStringLiteral("NAME/RECALL/DELETE");
    const QString chineseNames = QStringLiteral("命名/调用/删除");

    const std::vector<Caption> captions = {
        {"page button", [&] { return window.Navigation().pageLabels[0]->DisplayText(); }, "CH1-8", "通道1-8"},
        {"value display", [&] { return window.Navigation().parameterName->DisplayText(); }, "MUTE", "静音"},
        {"status", [&] { return window.Navigation().connectionLabel->DisplayText(); }, "OFFLINE", "离线"},
        {"default name", [&] { return input->NameText(); }, "CH 1", "通道 1"},
        {"given name", [&] { return static_cast<CInputStripDlg*>(pages.inputs[1])->NameText(); }, "Kick", "Kick"},
        {"bus name", [&] { return output(0)->NameText(); }, "MAIN", "主音量"},
        {"input dynamics", [&] { return input->DynamicsButton()->text(); }, "GATE/COMP", "噪声门/压缩器"},
        {"input meter", [&] { return input->Meter()->PeakCaption(); }, "Peak", "峰值"},
        {"name menu", [&] { return MenuTexts(input->NameMenu()); }, "NAME", "命名"},
        {"detail input", [&] { return detailInput->DynamicsButton()->text(); }, "GATE/COMP", "噪声门/压缩器"},
        {"output limiter", [&] { return output(3)->LimiterButton()->text(); }, "LIMIT", "压缩器"},
        {"main meter", [&] { return output(0)->RightMeter()->PeakCaption(); }, "Peak", "峰值"},
        {"detail output", [&] { return detailOutput->LimiterButton()->text(); }, "LIMIT", "压缩器"},
        {"send point 2", [&] { return output(3)->SendPointSelector()->currentText(); }, "POST FADER", "推子后"},
        {"send point 3", [&] { return output(4)->SendPointSelector()->currentText(); }, "PRE DSP", "DSP前"},
        {"send point 1", [&] { return output(5)->SendPointSelector()->currentText(); }, "PRE FADER", "推子前"},
        {"dynamics title", [&] { return title(pages.gateComp); }, "NOISE GATE", "噪声门"},
        {"transfer input", [&] { return dynamics->GatePanel()->Graph()->XCaption(); }, "INPUT", "输入"},
        {"transfer output", [&] { return dynamics->CompPanel()->Graph()->YCaption(); }, "OUTPUT", "输出"},
        {"dynamics meter", [&] { return dynamics->GatePanel()->Meter()->PeakCaption(); }, "Peak", "峰值"},
        {"save preset", [&] { return dynamics->PresetSelector()->itemText(0); }, "SAVE PRESET", "保存预设"},
        {"preset menu", [&] { return MenuTexts(dynamics->CompPresetSelector()->Menu()); }, names, chineseNames},
        {"limiter title", [&] { return title(pages.limiter); }, "COMP", "压缩器"},
        {"limiter graph", [&] { return limiter->Panel()->Graph()->XCaption(); }, "INPUT", "输入"},
        {"peq title", [&] { return title(pages.peq); }, "PEG", "参量均衡"},
        {"geq title", [&] { return title(pages.geq); }, "GEQ", "增益均衡"},
        {"geq preset", [&] { return static_cast<CProcessingPage*>(pages.geq)->PresetSelector()->itemText(0); },
         "SAVE PRESET", "保存预设"},
        {"sends title", [&] { return title(pages.sends); }, "SENDS", "发送"},
        {"effect meter", [&] { return effect->Meter()->PeakCaption(); }, "Peak", "峰值"},
        {"delay presets", [&] { return MenuTexts(effect->DelayPresets()->Menu()); }, names, chineseNames},
        {"delay hold", [&] { return effect->HoldSelector(Effect::kDelay)->currentText(); }, "30s", "30秒"},
        {"mute groups", [&] { return groupName(pages.muteGroups); }, "MUTE GROUP NAME", "静音分组名称"},
        {"view groups", [&] { return groupName(pages.viewGroups); }, "VIEW GROUP NAME", "视图分组名称"},
        {"control groups", [&] { return groupName(pages.controlGroups); }, "CONTROL GROUP NAME", "控制分组名称"},
        {"phantom", [&] { return static_cast<CPhantomDlg*>(pages.phantom)->Title()->DisplayText(); }, "PHANTOM",
         "幻象电源"},
        {"side panel", [&] { return panel->MuteButton()->text(); }, "MUTE", "静音分组"},
        {"connect tab", [&] { return system->TabButton(0)->text(); }, "CONNECT", "连接"},
        {"help tab", [&] { return system->TabButton(3)->text(); }, "HELP", "帮助"},
        {"language", [&] { return system->LanguageCaption()->DisplayText(); }, "LANGUAGE:", "语言:"},
        {"scene save", [&] { return system->SaveButton()->text(); }, "SAVE", "保存"},
        {"scene menu", [&] { return MenuTexts(system->SceneMenu()); }, names, chineseNames},
    };

    // The user's ways to switch: the context menu, then the CONNECT tab.
    const std::vector<std::pair<int, std::function<void()>>> steps = {
        {2, [&] { window.LanguageAction(2)->trigger(); }},
        {1,
         [&] {
             window.OnConnectionButton();
             QCoreApplication::processEvents();
             ASSERT_TRUE(system->LanguageButton(1)->isVisible());
             QTest::mouseClick(system->LanguageButton(1), Qt::LeftButton);
         }},
    };
    for (const auto& [language, pick] : steps) {
        SCOPED_TRACE(language);
        pick();
        for (const Caption& c : captions) EXPECT_EQ(c.read(), language == 1 ? c.english : c.chinese) << c.where;
        EXPECT_EQ(context.language, language);
        EXPECT_EQ(link.language, language);
        EXPECT_TRUE(window.LanguageAction(language)->isChecked());
        EXPECT_TRUE(system->LanguageButton(language)->GetDown());
        EXPECT_FALSE(system->LanguageButton(3 - language)->GetDown());
        const QSettings profile(context.profileFile, QSettings::IniFormat);
        EXPECT_EQ(profile.value("U_FONT_SECTION/language").toInt(), language);
        EXPECT_EQ(profile.value("U_FONT_SECTION/hostip").toString(), "127.0.0.9");
    }
}

}  // namespace
