#include "console/console_pages.h"

#include "host/app_context.h"
#include "console/input_strip_dlg.h"
#include "console/output_strip_dlg.h"
#include "groups/control_group_dlg.h"
#include "groups/group_panel_dlg.h"
#include "groups/mute_group_dlg.h"
#include "groups/phantom_dlg.h"
#include "groups/view_group_dlg.h"
#include "pages/effect/effect_dlg.h"
#include "pages/dynamics/dynamics_dlg.h"
#include "pages/geq/geq_dlg.h"
#include "pages/limiter/limiter_dlg.h"
#include "pages/peq/peq_dlg.h"
#include "pages/sends/sends_dlg.h"
#include "system/system_dlg.h"

namespace mixer {

std::vector<PageView*> ConsolePages::All(PageId page) const {
    switch (page) {
    case PageId::InputStrip: return {inputs.begin(), inputs.end()};
    case PageId::OutputStrip: return {outputs.begin(), outputs.end()};
    default: return {View(page, 0)};
    }
}

PageView* ConsolePages::View(PageId page, int strip) const {
    switch (page) {
    case PageId::InputStrip: return strip >= 0 && strip < kStripCount ? inputs[strip] : nullptr;
    case PageId::OutputStrip: return strip >= 0 && strip < kBusCount ? outputs[strip] : nullptr;
    case PageId::DetailInput: return detailInput;
    case PageId::DetailOutput: return detailOutput;
    case PageId::SidePanel: return sidePanel;
    case PageId::System: return system;
    case PageId::Phantom: return phantom;
    case PageId::MuteGroups: return muteGroups;
    case PageId::ViewGroups: return viewGroups;
    case PageId::ControlGroups: return controlGroups;
    case PageId::Sends: return sends;
    case PageId::GateComp: return gateComp;
    case PageId::Peq: return peq;
    case PageId::Effect: return effect;
    case PageId::Limiter: return limiter;
    case PageId::Geq: return geq;
    }
    return nullptr;
}

std::vector<PageView*> ConsolePages::InLabelOrder() const {
    std::vector<PageView*> order = {sidePanel, phantom, muteGroups, viewGroups, controlGroups};
    order.insert(order.end(), inputs.begin(), inputs.end());
    order.insert(order.end(), outputs.begin(), outputs.end());
    order.insert(order.end(), {detailInput, detailOutput, gateComp, peq, effect, sends, geq, limiter, system});
    return order;
}

void CreateConsolePages(ConsolePages& pages, QWidget* parent, AppContext& context, StripHost& host) {
    for (int i = 0; i < kStripCount; ++i) {
        pages.inputs[i] = new CInputStripDlg(context, host, i, false, parent);
        pages.inputs[i]->setObjectName(QStringLiteral("Input  %1").arg(i + 1));
    }
    for (int i = 0; i < kBusCount; ++i) {
        pages.outputs[i] = new COutputStripDlg(context, host, i, parent);
        pages.outputs[i]->setObjectName(QStringLiteral("Output  %1").arg(i + 1));
    }
    pages.detailInput = new CInputStripDlg(context, host, 0, true, parent);
    pages.detailInput->setObjectName(QStringLiteral("Input"));
    pages.detailOutput = new COutputStripDlg(context, host, 0, parent);
    pages.detailOutput->setObjectName(QStringLiteral("Output"));

    pages.sidePanel = new CGroupPanelDlg(parent);
    pages.system = new CSystemDlg(context, parent);
    pages.system->setObjectName(QStringLiteral("System"));
    pages.phantom = new CPhantomDlg(context, host, parent);
    pages.muteGroups = new CMuteGroupDlg(context, parent);
    pages.viewGroups = new CViewGroupDlg(context, parent);
    pages.controlGroups = new CControlGroupDlg(context, parent);
    pages.sends = new CSendsDlg(context, host, parent);
    pages.gateComp = new CDynamicsDlg(context, host, parent);
    pages.peq = new CPeqDlg(context, host, parent);
    pages.effect = new CEffectDlg(context, host, parent);
    pages.limiter = new CLimiterDlg(context, host, parent);
    pages.geq = new CGeqDlg(context, host, parent);

    for (PageView* page : pages.InLabelOrder()) page->hide();
}

}  // namespace mixer
