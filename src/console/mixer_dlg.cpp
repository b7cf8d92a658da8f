#include "console/mixer_dlg.h"

#include "presets/preset_store.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

#include "console/about_dlg.h"
#include "host/app_context.h"
#include "console/console_canvas.h"
#include "console/gesture_steps.h"
#include "host/console_link.h"
#include "host/gbk_text.h"
#include "host/language_choice.h"
#include "host/step_text.h"
#include "console/input_strip_dlg.h"
#include "console/navigation_bar.h"
#include "console/sync_mark_view.h"
#include "console/value_display_view.h"
#include "groups/group_edits.h"
#include "groups/group_page_base.h"
#include "groups/group_store.h"
#include "groups/phantom_dlg.h"
#include "console/view_group_layout.h"
#include "link/meter_report.h"
#include "link/notifier.h"
#include "link/reset_defaults.h"
#include "link/typed_entry.h"
#include "skin/image_button.h"
#include "skin/skin_images.h"
#include "skin/text_field.h"
#include "system/system_dlg.h"

namespace mixer {

namespace {

constexpr int kIconImage = 128;
constexpr int kTickMs = 50;
constexpr int kCloseMs = 100;

ScrollAction ActionFor(int sliderAction) {
    switch (sliderAction) {
    case QAbstractSlider::SliderSingleStepSub: return ScrollAction::LineUp;
    case QAbstractSlider::SliderSingleStepAdd: return ScrollAction::LineDown;
    case QAbstractSlider::SliderPageStepSub: return ScrollAction::PageUp;
    case QAbstractSlider::SliderPageStepAdd: return ScrollAction::PageDown;
    case QAbstractSlider::SliderToMinimum: return ScrollAction::Top;
    case QAbstractSlider::SliderToMaximum: return ScrollAction::Bottom;
    case QAbstractSlider::SliderMove: return ScrollAction::ThumbTrack;
    default: return ScrollAction::EndScroll;
    }
}

}  // namespace

CMixerDlg::CMixerDlg(AppContext& context, ConsoleLink& link, const PageFactory& createPages, QWidget* parent)
    : QWidget(parent), context_(context), link_(link) {
    setWindowTitle(QStringLiteral("VantorDIGITAL MIXER 1.1"));
    const SkinPixmap icon = LoadSkinPixmap(kIconImage);
    if (!icon.isNull()) {
        QIcon windowIcon(icon.normal);
        if (!icon.dense.isNull()) windowIcon.addPixmap(icon.dense);
        setWindowIcon(windowIcon);
    }

    viewport_ = new QWidget(this);
    canvas_ = new ConsoleCanvas(viewport_);
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    vbar_ = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {hbar_, vbar_}) {
        bar->setSingleStep(1);
        connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar](int action) { OnScrollAction(bar, action); });
        connect(bar, &QAbstractSlider::valueChanged, this, [this] { canvas_->move(-hbar_->value(), -vbar_->value()); });
    }
    // Desktops without a system menu reach the About box from the context menu.
    aboutAction_ = new QAction(QStringLiteral("ABOUT VantorDIGITAL MIXER1.1(&A)..."), this);
    connect(aboutAction_, &QAction::triggered, this, &CMixerDlg::ShowAbout);
    // Each language is named in its own words, so that either reader finds theirs.
    auto* languages = new QActionGroup(this);
    englishAction_ = languages->addAction(QStringLiteral("English"));
    chineseAction_ = languages->addAction(QStringLiteral("中文"));
    for (QAction* action : {englishAction_, chineseAction_}) action->setCheckable(true);
    connect(englishAction_, &QAction::triggered, this, [this] { ChooseLanguage(1); });
    connect(chineseAction_, &QAction::triggered, this, [this] { ChooseLanguage(2); });
    LayOutViewport();
    FirstPassMetrics(metrics_, ClientSize().width());

    InitialiseState(context_);
    ReadDeviceAddress(context_);
    context_.groups = LoadGroups(context_.profileFile);

    nav_ = std::make_unique<NavigationBar>(canvas_);
    for (int i = 0; i < 4; ++i) {
        connect(nav_->pageButtons[i], &QAbstractButton::clicked, this, [this, i] { OnPageButton(i + 1); });
    }
    connect(nav_->home, &QAbstractButton::clicked, this, &CMixerDlg::OnHome);
    connect(nav_->connection, &QAbstractButton::clicked, this, &CMixerDlg::OnConnectionButton);
    connect(&link_, &ConsoleLink::indicatorsChanged, this, &CMixerDlg::RefreshIndicators);
    connect(&link_, &ConsoleLink::meterReportApplied, this, &CMixerDlg::OnMeterReport);
    connect(&link_, &ConsoleLink::syncChanged, this, &CMixerDlg::RefreshIndicators);
    nav_->syncMark->SetTooltipSource([this] { return QString::fromStdString(SyncText(link_.Sync(), context_.language)); });
    // Edits go out through the link; every view follows the model.
    context_.model.SetSink(&link_);
    connect(&context_.model, &MixerModel::changed, this, &CMixerDlg::OnModelChanged);
    connect(&context_.model, &MixerModel::metersChanged, this, &CMixerDlg::ScheduleMeterFrame);
    for (CTextField* box : {nav_->valueBox1, nav_->valueBox2}) {
        connect(box, &CTextField::EnterPressed, this, &CMixerDlg::ApplyTypedValue);
    }
    // Each input of the user's in the window is one undo step.
    new GestureSteps(*this, context_.model);
    // The keys work anywhere in the window; RefreshUndoControls turns them
    // off while a text field has the focus, where they undo the typing.
    undoAction_ = new QAction(this);
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = new QAction(this);
    redoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addAction(undoAction_);
    addAction(redoAction_);
    connect(undoAction_, &QAction::triggered, this, &CMixerDlg::UndoStep);
    connect(redoAction_, &QAction::triggered, this, &CMixerDlg::RedoStep);
    connect(nav_->undo, &QAbstractButton::clicked, this, &CMixerDlg::UndoStep);
    connect(nav_->redo, &QAbstractButton::clicked, this, &CMixerDlg::RedoStep);
    connect(&context_.model, &MixerModel::historyChanged, this, &CMixerDlg::RefreshUndoControls);
    connect(&context_.model, &MixerModel::stepApplying, this, &CMixerDlg::OnStepApplying);
    connect(qApp, &QApplication::focusChanged, this, &CMixerDlg::RefreshUndoControls);
    meterFrame_.setSingleShot(true);
    connect(&meterFrame_, &QTimer::timeout, this, &CMixerDlg::OnMeterFrame);

    // The system page connects and disconnects through the link.
    context_.link = &link_;
    createPages(pages_, canvas_, context_, *this);
    ConnectGroupControls();
    if (auto* system = qobject_cast<CSystemDlg*>(pages_.system)) {
        connect(system, &CSystemDlg::leaveRequested, this, &CMixerDlg::OnHome);
        connect(system, &CSystemDlg::aboutToClearGroups, this, &CMixerDlg::ReleaseGroups);
        connect(system, &CSystemDlg::stateReplaced, this, &CMixerDlg::OnHome);
        connect(system, &CSystemDlg::uploadRunning, canvas_, [this](bool running) {
            canvas_->setEnabled(!running);
            RefreshUndoControls();
        });
        connect(system, &CSystemDlg::languageChosen, this, &CMixerDlg::ChooseLanguage);
    }
    SetLanguage(context_.language);
    ShowPage(page_, selectedOutput_, mode_);
    RefreshStripsFromState();
    RefreshIndicators();

    // The final pass sets the minimums; pages placed before it must follow.
    const LayoutMetrics placed = metrics_;
    FinalPassMetrics(metrics_, ClientSize().width(), ClientSize().height());
    if (metrics_ != placed) ShowPage(page_, selectedOutput_, mode_);

    tickTimer_.setInterval(kTickMs);
    connect(&tickTimer_, &QTimer::timeout, this, [this] { OnTimer(kTickTimer); });
    closeTimer_.setInterval(kCloseMs);
    connect(&closeTimer_, &QTimer::timeout, this, [this] { OnTimer(kCloseTimer); });
    tickTimer_.start();
    // Keys go to the console, not to a value box, until the user clicks into
    // one: a stray Enter must not re-send what the box holds.
    canvas_->setFocusPolicy(Qt::ClickFocus);
    canvas_->setFocus();
    initialised_ = true;
}

CMixerDlg::~CMixerDlg() {
    // What the window shows must not follow the model or the focus while it
    // is being taken apart.
    disconnect(&context_.model, nullptr, this, nullptr);
    disconnect(qApp, nullptr, this, nullptr);
}

void CMixerDlg::ShowPage(int page, int selectedOutput, int mode) {
    page_ = page;
    selectedOutput_ = selectedOutput;
    mode_ = mode;
    context_.view = kViewConsole;
    const int viewGroup = context_.activeViewGroup;
    if (mode == kModeStrips && viewGroup >= 1 && viewGroup <= kGroupCount) {
        Apply(ArrangeViewGroup(metrics_, ViewGroupChannels(context_.groups.view[viewGroup - 1]), selectedOutput));
        return;
    }
    Apply(ArrangeConsole(metrics_, page, selectedOutput, mode));
}

void CMixerDlg::ShowInputDetail(int channel, int module) {
    const Arrangement arrangement = ArrangeInputDetail(metrics_, channel, module, selectedOutput_);
    if (arrangement.shown.empty()) return;
    context_.view = kViewInputDetail;
    detailIndex_ = channel;
    detailModule_ = module;
    Apply(arrangement);
}

void CMixerDlg::ShowOutputDetail(int output, int module) {
    const Arrangement arrangement = ArrangeOutputDetail(metrics_, output, module);
    if (arrangement.shown.empty()) return;
    context_.view = kViewOutputDetail;
    detailIndex_ = output;
    detailModule_ = module;
    Apply(arrangement);
}

void CMixerDlg::Apply(const Arrangement& arrangement) {
    for (PageId kind : arrangement.hidden) {
        for (PageView* view : pages_.All(kind)) view->hide();
    }
    if (arrangement.sidePanelToMainLevel) pages_.sidePanel->RefreshPanel(1);
    for (const Placement& place : arrangement.shown) {
        PageView* view = pages_.View(place.page, place.index);
        if (!view) continue;
        if (place.page == PageId::DetailInput || place.page == PageId::DetailOutput) {
            static_cast<StripView*>(view)->SetIndex(place.index);
        } else if (auto* channelPage = dynamic_cast<ChannelPageView*>(view)) {
            channelPage->SetChannel(place.index);
        }
        view->setGeometry(place.rect.x, place.rect.y, place.rect.width, place.rect.height);
        view->show();
    }
    if (arrangement.pressedPageButton != 0) nav_->SetPressedPage(arrangement.pressedPageButton);
}

void CMixerDlg::RearrangeCurrentView() {
    // The console view places the side panel too, so the detail views are
    // arranged over it.
    const int view = context_.view;
    ShowPage(page_, selectedOutput_, mode_);
    if (view == kViewInputDetail) ShowInputDetail(detailIndex_, detailModule_);
    if (view == kViewOutputDetail) ShowOutputDetail(detailIndex_, detailModule_);
}

void CMixerDlg::SetLanguage(int language) {
    if (language != 1 && language != 2) return;
    nav_->SetCaptions(language);
    nav_->SetStatus(language, link_.StatusOnline());
    for (PageView* page : pages_.InLabelOrder()) page->SetLabels(language);
    // The captions above reset the value display to its first parameter.
    RefreshValueDisplay();
    RefreshUndoControls();
    LanguageAction(language)->setChecked(true);
}

void CMixerDlg::ChooseLanguage(int language) {
    if (language != 1 && language != 2) return;
    const int previous = context_.language;
    context_.language = language;
    link_.SetLanguage(language);
    // The default names are the window's words; the names the user gave stay.
    context_.model.Change([&](MixerState& s) { SwitchDefaultNames(s, previous, language); });
    SetLanguage(language);
    // The switch serves this session either way; the user must know that the
    // next start will not find it.
    if (!StoreProfileLanguage(context_.profileFile, language) && context_.notifier) {
        const QString english = QStringLiteral("The language could not be saved in %1").arg(context_.profileFile);
        const QString chinese = QStringLiteral("语言设置无法保存到 %1").arg(context_.profileFile);
        context_.notifier->Show((language == 1 ? english : chinese).toStdString(), {});
    }
}

void CMixerDlg::OnPageButton(int page) {
    if (context_.activeViewGroup != 0) return;
    ResetScrollPositions();
    ShowPage(page, selectedOutput_, kModeStrips);
}

void CMixerDlg::OnHome() {
    // HOME leaves a view group too: one press back to the page's strips.
    LeaveViewGroup();
    ResetScrollPositions();
    ShowPage(page_, selectedOutput_, kModeStrips);
    pages_.sidePanel->SetSystemDown(false);
    pages_.sidePanel->SetPhantomDown(false);
    pages_.sidePanel->RefreshPanel(1);
}

void CMixerDlg::OnConnectionButton() {
    if (link_.ConnectionLit()) return;
    ResetScrollPositions();
    pages_.sidePanel->SetSystemDown(true);
    pages_.sidePanel->SetPhantomDown(false);
    ShowPage(page_, selectedOutput_, kModeSystem);
}

void CMixerDlg::ResetScrollPositions() {
    hbar_->setValue(0);
    vbar_->setValue(0);
}

void CMixerDlg::RefreshPageOverviews() {
    const OverviewSource source = metersInOverview_ ? OverviewSource::Meters : OverviewSource::Faders;
    for (int page = kPageCh1To8; page <= kPageAux; ++page) {
        nav_->SetOverview(page, PageOverview(context_.state, page, source));
    }
}

void CMixerDlg::RefreshStripsFromState() {
    // Hidden strips too, so that a page shows current values the moment it is switched to.
    for (PageId kind : {PageId::InputStrip, PageId::OutputStrip, PageId::DetailInput, PageId::DetailOutput}) {
        for (PageView* view : pages_.All(kind)) static_cast<StripView*>(view)->RefreshFromState();
    }
    RefreshPageOverviews();
}

void CMixerDlg::OnModelChanged(const ChangeSet& changes) {
    if (changes.Any(kPartLevel | kPartMute | kPartMeter)) RefreshPageOverviews();
    if (changes.Channel(valueChannel_)) RefreshValueDisplay();
    // The tooltips name the channels as they are called now.
    if (changes.Any(kPartName)) RefreshUndoControls();
    // The pages over the strips show channel names and phantom flags.
    if (!changes.Any(kPartName | kPartInput)) return;
    if (auto* phantom = dynamic_cast<CPhantomDlg*>(pages_.phantom); phantom && phantom->isVisible()) {
        phantom->ShowPhantomPage();
    }
    for (PageView* view : {pages_.muteGroups, pages_.viewGroups, pages_.controlGroups}) {
        if (auto* page = dynamic_cast<GroupPageBase*>(view); page && page->isVisible()) page->RefreshPage();
    }
}

void CMixerDlg::ShowValue(int channel, int kind) {
    valueChannel_ = channel;
    valueKind_ = kind;
    RefreshValueDisplay();
    // What a gesture shows is what it changed: its step takes the name.
    if (kind != 0) context_.model.NameStep({StepAction::Parameter, channel, kind});
}

void CMixerDlg::RefreshValueDisplay() {
    if (valueChannel_ < 0 || valueChannel_ >= kDisplayChannelCount) return;
    ShowValueDisplay(*nav_, FormatValueDisplay(context_.state, valueChannel_, valueKind_, context_.language));
}

bool CMixerDlg::ApplyTypedValue(int box) {
    if (box != 0 && box != 1) return false;
    TypedEntryResult result;
    const StepScope step(context_.model, {StepAction::Parameter, valueChannel_, valueKind_});
    context_.model.Edit([&](MixerState& s) {
        result = mixer::ApplyTypedValue(s, valueChannel_, valueKind_, box, TypedText(*nav_, box));
        return result.commands;
    });
    // The box shows the value as stored (clamped), or the unchanged value
    // when the text meant nothing for this parameter, selected so that the
    // next value typed replaces it.
    RefreshValueDisplay();
    (box == 0 ? nav_->valueBox1 : nav_->valueBox2)->selectAll();
    return result.stored;
}

void CMixerDlg::UndoStep() { ApplyStep(true); }

void CMixerDlg::RedoStep() { ApplyStep(false); }

void CMixerDlg::ApplyStep(bool undo) {
    // The console takes no edits while the whole state is uploaded.
    if (!canvas_->isEnabled()) return;
    const std::optional<StepLabel> label = undo ? context_.model.Undo() : context_.model.Redo();
    if (!label || label->channel < 0) return;
    ShowValue(label->channel, label->action == StepAction::Parameter ? label->kind : 0);
}

void CMixerDlg::OnStepApplying(const StepLabel& label, bool undo) {
    if (label.action != StepAction::MuteGroup) return;
    context_.activeMuteGroup = undo ? label.switchBefore : label.switchAfter;
    for (int i = 0; i < kGroupCount; ++i) nav_->muteGroupButtons[i]->SetDown(i + 1 == context_.activeMuteGroup);
}

void CMixerDlg::RefreshUndoControls() {
    const int language = context_.language;
    const auto tip = [&](const StepLabel* label, bool undo) {
        if (!label) {
            if (language == 1) return undo ? QStringLiteral("Nothing to undo") : QStringLiteral("Nothing to redo");
            return undo ? QStringLiteral("没有可撤销的操作") : QStringLiteral("没有可重做的操作");
        }
        const StepText text = DescribeStep(context_.state, *label, language);
        QString verb = language == 1 ? (undo ? QStringLiteral("Undo") : QStringLiteral("Redo"))
                                     : (undo ? QStringLiteral("撤销") : QStringLiteral("重做"));
        const QString name = DecodeGbk(QByteArrayView(text.channelName.data(), text.channelName.size()));
        if (!name.isEmpty()) verb += u' ' + name;
        return verb + u' ' + QString::fromStdString(text.what);
    };
    const UndoHistory& history = context_.model.History();
    nav_->undo->setEnabled(history.UndoLabel() != nullptr);
    nav_->redo->setEnabled(history.RedoLabel() != nullptr);
    nav_->undo->setToolTip(tip(history.UndoLabel(), true));
    nav_->redo->setToolTip(tip(history.RedoLabel(), false));
    // A text field with the focus keeps the keys for its own typing.
    const bool typing = qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr;
    const bool keys = canvas_->isEnabled() && !typing;
    undoAction_->setEnabled(keys && history.UndoLabel());
    redoAction_->setEnabled(keys && history.RedoLabel());
}

void CMixerDlg::OnMeterReport() {
    // While the link is online the page buttons show the meters; a report
    // that comes before the full state proves nothing about the connection.
    if (link_.StatusOnline() && !metersInOverview_) {
        metersInOverview_ = true;
        overviewFrame_ = false;  // the next frame turns the bars to the meters
    }
    ScheduleMeterFrame();
}

void CMixerDlg::ScheduleMeterFrame() {
    if (meterFrame_.isActive()) return;
    const qint64 since = sinceMeterFrame_.isValid() ? sinceMeterFrame_.elapsed() : kMeterFrameMs;
    meterFrame_.start(static_cast<int>(std::max<qint64>(0, kMeterFrameMs - since)));
}

void CMixerDlg::OnMeterFrame() {
    sinceMeterFrame_.start();
    // The page buttons' bars sum up eight channels in a few dozen pixels: a
    // glance, for which every other frame is enough at half the painting.
    overviewFrame_ = !overviewFrame_;
    UpdateMeters(overviewFrame_);
}

void CMixerDlg::UpdateMeters(bool overviews) {
    // Hidden strips are brought up to date when they are shown or refreshed.
    for (PageId kind : {PageId::InputStrip, PageId::OutputStrip, PageId::DetailInput, PageId::DetailOutput}) {
        for (PageView* view : pages_.All(kind)) {
            if (!view->isHidden()) static_cast<StripView*>(view)->UpdateMeters();
        }
    }
    for (ChannelPageView* page : {pages_.gateComp, pages_.limiter}) {
        if (!page->isHidden()) page->UpdateMeters();
    }
    if (overviews) RefreshPageOverviews();
}

void CMixerDlg::OpenInputDetail(int channel, int module) {
    ResetScrollPositions();
    ShowInputDetail(channel, module);
    ShowValue(channel, 0);
}

void CMixerDlg::OpenOutputDetail(int output, int module) {
    ResetScrollPositions();
    ShowOutputDetail(output, module);
    ShowValue(output + kFirstOutputChannel, 0);
}

void CMixerDlg::OpenRequestedPage(const PageRequest& request) {
    switch (request.view) {
    case PageRequest::View::InputDetail: OpenInputDetail(request.index, request.module); break;
    case PageRequest::View::OutputDetail: OpenOutputDetail(request.index, request.module); break;
    case PageRequest::View::Console:
        ResetScrollPositions();
        ShowPage(page_, selectedOutput_, request.mode);
        pages_.sidePanel->PressForMode(request.mode);
        if (auto* system = qobject_cast<CSystemDlg*>(pages_.system); system && request.mode == kModeSystem)
            system->ShowTab(request.tab);
        break;
    }
}

StripLinks CMixerDlg::InputLinks(int channel) {
    const auto* strip = dynamic_cast<const CInputStripDlg*>(InputStrip(channel));
    return strip ? strip->Links() : StripLinks{};
}

StripView* CMixerDlg::InputStrip(int channel) { return channel >= 0 && channel < kStripCount ? pages_.inputs[channel] : nullptr; }

void CMixerDlg::RefreshIndicators() {
    if (!link_.StatusOnline()) {
        // Nothing is measured any more: a meter left standing would tell of
        // signal that nobody knows about.
        const bool showedMeters = metersInOverview_;
        metersInOverview_ = false;
        bool cleared = false;
        context_.model.EditMeters([&](MixerState& s) { return cleared = ClearMeterLevels(s); });
        if (cleared) UpdateMeters();
        else if (showedMeters) RefreshPageOverviews();
    }
    nav_->connection->SetDown(link_.ConnectionLit());
    nav_->home->SetDown(link_.HomeActive());
    nav_->SetStatus(context_.language, link_.StatusOnline());
    nav_->syncMark->SetMark(MarkOf(link_.Sync(), link_.StatusOnline()));
}

void CMixerDlg::ShowAbout() {
    // Modal to the window but without a nested event loop, so that a close
    // request (a signal at log-out) is never held up behind the box.
    auto* about = new CAboutDlg(context_.language, this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

void CMixerDlg::OnTimer(int id) {
    if (id == kTickTimer && !closing_) link_.OnTick();
    if (id == kCloseTimer && closing_ && !ended_ && !link_.IsReceiving()) {
        ended_ = true;
        closeTimer_.stop();
        close();
        emit ended();
    }
}

bool CMixerDlg::IsTimerActive(int id) const {
    if (id == kTickTimer) return tickTimer_.isActive();
    if (id == kCloseTimer) return closeTimer_.isActive();
    return false;
}

QSize CMixerDlg::ClientSize() const { return viewport_->size(); }

void CMixerDlg::LayOutViewport() {
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool needH = false;
    bool needV = false;
    int cw = width();
    int ch = height();
    // A bar takes room from the client, which may then need the other bar.
    for (int pass = 0; pass < 3; ++pass) {
        cw = width() - (needV ? extent : 0);
        ch = height() - (needH ? extent : 0);
        needH = ScrollRange{0, kHorizontalScrollMax, cw}.Highest() > 0;
        needV = ScrollRange{0, kVerticalScrollMax, ch}.Highest() > 0;
    }
    viewport_->setGeometry(0, 0, cw, ch);
    // On a screen wider or taller than the content's usual extent the strips
    // stand beyond it: the content grows with the window so that none is cut.
    canvas_->resize(std::max(ConsoleCanvas::kWidth, cw), std::max(ConsoleCanvas::kHeight, ch));
    hbar_->setGeometry(0, ch, cw, extent);
    vbar_->setGeometry(cw, 0, extent, ch);
    hbar_->setVisible(needH);
    vbar_->setVisible(needV);
    hbar_->setRange(0, ScrollRange{0, kHorizontalScrollMax, cw}.Highest());
    hbar_->setPageStep(cw);
    vbar_->setRange(0, ScrollRange{0, kVerticalScrollMax, ch}.Highest());
    vbar_->setPageStep(ch);
}

void CMixerDlg::OnSizeChange(int clientWidth, int clientHeight) {
    ResetScrollPositions();
    if (ApplySizeChange(metrics_, clientWidth, clientHeight)) RearrangeCurrentView();
}

void CMixerDlg::OnScrollAction(QScrollBar* bar, int action) {
    const bool horizontal = bar == hbar_;
    const ScrollRange range{0, horizontal ? kHorizontalScrollMax : kVerticalScrollMax, bar->pageStep()};
    bar->setSliderPosition(NextScrollPosition(range, bar->value(), ActionFor(action), bar->sliderPosition()));
}

void CMixerDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutViewport();
    if (initialised_) OnSizeChange(ClientSize().width(), ClientSize().height());
}

void CMixerDlg::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    // The window stays until the receiver has closed its socket; timer 2 watches for it.
    event->ignore();
    if (closing_) return;
    closing_ = true;
    tickTimer_.stop();
    if (auto* system = qobject_cast<CSystemDlg*>(pages_.system)) system->StopUpload();
    link_.Shutdown();
    closeTimer_.start();
    if (context_.presets) context_.presets->Close();
}

void CMixerDlg::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(aboutAction_);
    menu->addSeparator();
    menu->addAction(englishAction_);
    menu->addAction(chineseAction_);
    menu->popup(event->globalPos());
}

void CMixerDlg::wheelEvent(QWheelEvent* event) {
    if (vbar_->isVisible()) QCoreApplication::sendEvent(vbar_, event);
}

}  // namespace mixer
