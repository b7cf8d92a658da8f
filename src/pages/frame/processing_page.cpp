#include "pages/frame/processing_page.h"

#include <QPaintEvent>
#include <QPainter>

#include "host/app_context.h"
#include "host/strip_host.h"
#include "pages/frame/preset_selector.h"
#include "skin/image_button.h"
#include "skin/skin_font.h"
#include "skin/skin_images.h"

namespace mixer {

namespace {

constexpr int kPageBackground = 171;
constexpr int kKeyUp = 165;
constexpr int kKeyDown = 166;
constexpr int kTopRow = 10;
constexpr int kKeyGap = 8;

}  // namespace

CProcessingPage::CProcessingPage(AppContext& context, StripHost& host, PresetModule module, QWidget* parent)
    : ChannelPageView(parent),
      context_(context),
      host_(host),
      presets_(new CPresetSelector(module, context, this)),
      throttle_(steadyClock_) {
    // Every pixel is painted here: nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    pageTimer_.setInterval(DragThrottle::kTick);
    connect(&pageTimer_, &QTimer::timeout, this, &CProcessingPage::OnPageTimer);
    connect(presets_, &CPresetSelector::recalled, this, [this] { OnPresetRecalled(); });
    connect(&context_.model, &MixerModel::changed, this, [this](const ChangeSet& changes) {
        if (ValidChannel(channel_) && Shows(changes)) RefreshFromState();
    });
}

void CProcessingPage::SetClock(const MonotonicClock& clock) { throttle_.SetClock(clock); }

void CProcessingPage::SetChannel(int channel) {
    if (channel != channel_) FlushPendingPoint();
    channel_ = channel;
    presets_->SetIndex(channel);
    if (ValidChannel(channel_)) RefreshFromState();
}

void CProcessingPage::FlushPendingPoint() {
    if (const auto point = throttle_.TakePending(); point && ValidChannel(channel_)) SendPoint(*point);
}

void CProcessingPage::OnPageTimer() {
    if (const auto point = throttle_.OnTick(); point && ValidChannel(channel_)) SendPoint(*point);
}

void CProcessingPage::ThrottlePoint(int point, bool held) {
    if (throttle_.OnMove(point, held, context_.spanTimeMs)) SendPoint(point);
}

void CProcessingPage::Edit(const MixerModel::Write& write, Sending sending) { context_.model.Edit(write, sending); }

void CProcessingPage::Send(const Commands& commands) { context_.model.Send(commands); }

void CProcessingPage::Propagate(int source, const LinkedEdit& edit) {
    const std::vector<int> targets = LinkedTargets(host_.InputLinks(source), source, edit.function);
    if (targets.empty()) return;
    Edit(
        [&](MixerState& s) {
            Commands commands;
            for (int target : targets) {
                edit.copy(s, source, target);
                const Commands carried = edit.commands(s, target);
                commands.insert(commands.end(), carried.begin(), carried.end());
            }
            return commands;
        },
        edit.paced ? Sending::Paced : Sending::Now);
}

CImageButton* CProcessingPage::MakeKey(bool twoState) {
    auto* key = new CImageButton(this);
    key->SetBehaviour(twoState ? CImageButton::kTwoState : CImageButton::kPush);
    key->resize(kKeyWidth, kKeyHeight);
    key->LoadImages(kKeyUp, kKeyDown);
    return key;
}

void CProcessingPage::PlaceTopRow(std::initializer_list<QWidget*> keys) { PlaceKeyRow(presets_, kTopRow, keys); }

void CProcessingPage::PlaceKeyRow(QWidget* selector, int top, std::initializer_list<QWidget*> keys) {
    int x = width() - kMargin - kSelectorWidth;
    selector->setGeometry(x, top, kSelectorWidth, kKeyHeight);
    x -= 2 * kKeyGap;
    for (QWidget* key : keys) {
        x -= key->width();
        key->move(x, top);
        x -= kKeyGap;
    }
}

void CProcessingPage::SetTitle(const QString& title) {
    title_ = title;
    update();
}

void CProcessingPage::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (!PaintTiled(p, rect(), LoadBackground(kPageBackground), event->region())) p.fillRect(rect(), QColor(34, 37, 44));
    PaintFrame(p, rect(), event->region());
    p.setPen(QColor(235, 240, 248));
    p.setFont(SkinFontPoints(15));
    p.drawText(QRect(16, 4, width() / 2, kTitleHeight), Qt::AlignLeft | Qt::AlignVCenter, title_);
}

void CProcessingPage::showEvent(QShowEvent*) {
    // The list is the module's, whichever channel is shown: read once per
    // showing, not at every re-arrangement of the console.
    presets_->Fill();
    pageTimer_.start();
}

void CProcessingPage::hideEvent(QHideEvent*) {
    // The last position of a drag must reach the mixer even when the page
    // closes within the 200 ms the timer would have waited.
    FlushPendingPoint();
    pageTimer_.stop();
}

}  // namespace mixer
