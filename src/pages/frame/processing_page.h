#pragma once
// CProcessingPage: what every processing page (parametric and graphic EQ,
// dynamics, limiter, effects, sends) shares. A page is created once, shown in
// the console's detail area for one channel or output at a time and re-shown
// for another. The base gives it:
//
//   - the drag throttle: ThrottlePoint() after a dragged graph point was
//     stored; the page's SendPoint() is called when the point is to go out,
//     at most once per span time while the button is held, and by the 50 ms
//     page timer for the last position of a drag;
//   - the propagation helper: Propagate() copies the changed part of the
//     channel's record to every channel its control group ties for the
//     page's function and sends it there, paced for a whole record;
//   - the preset selector of the page's module;
//   - the page background, frame and title.
//
// Edits go through the model, which shows them on every view (this page
// too) and queues what must go out: write, tell the value display, then
// Propagate(). The page refreshes when the model reports a change of what it
// shows, whoever made it.

#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <initializer_list>

#include "host/page_views.h"
#include "host/strip_links.h"
#include "link/channel_edits.h"
#include "link/monotonic_clock.h"
#include "model/change_set.h"
#include "model/mixer_model.h"
#include "pages/frame/drag_throttle.h"
#include "presets/preset_tables.h"

namespace mixer {

struct AppContext;
class StripHost;
class CPresetSelector;
class CImageButton;

class CProcessingPage : public ChannelPageView {
    Q_OBJECT

public:
    static constexpr int kTitleHeight = 40;
    static constexpr int kMargin = 12;
    static constexpr int kKeyWidth = 96;
    static constexpr int kKeyHeight = 26;
    static constexpr int kSelectorWidth = 180;

    CProcessingPage(AppContext& context, StripHost& host, PresetModule module, QWidget* parent);

    // Shows the page for a channel or output: a drag still pending on the
    // previous one is sent first, then the controls show the state. The page
    // checks the range itself; showing the page reads the preset list again.
    void SetChannel(int channel) override;
    int Channel() const override { return channel_; }

    // Replaces the steady clock of the drag throttle (tests).
    void SetClock(const MonotonicClock& clock);

    // The page timer, every 50 ms while the page is shown.
    void OnPageTimer();
    bool PageTimerActive() const { return pageTimer_.isActive(); }

    CPresetSelector* PresetSelector() const { return presets_; }
    // The caption painted at the page's top left.
    QString PageTitle() const { return title_; }

protected:
    // One part of a record as linked channels receive it.
    struct LinkedEdit {
        LinkFunction function;
        // Copies the part from channel `from` to channel `to`.
        std::function<void(MixerState&, int from, int to)> copy;
        // The commands that carry the part of `channel`.
        std::function<Commands(const MixerState&, int channel)> commands;
        // A whole record: the mixer needs a pause after each command.
        bool paced = false;
    };

    // The page's channel is valid for the page.
    virtual bool ValidChannel(int channel) const = 0;
    // A change touches what the page shows for its channel.
    virtual bool Shows(const ChangeSet& changes) const = 0;
    // Sends graph point `point` of the page's channel as it is stored, and
    // propagates it.
    virtual void SendPoint(int point) = 0;
    // A preset was stored into the channel's record: refresh, send, propagate.
    virtual void OnPresetRecalled() = 0;

    // A graph point of the page's channel was stored: sends it through
    // SendPoint now or leaves it to the throttle.
    void ThrottlePoint(int point, bool held);
    // Writes through the model; a dragged point's write waits for its turn
    // (Sending::Later) and goes out with Send().
    void Edit(const MixerModel::Write& write, Sending sending = Sending::Now);
    void Send(const Commands& commands);
    // Repeats an edit of `source` on its linked channels.
    void Propagate(int source, const LinkedEdit& edit);

    // A key of the page's look: a push button, or a two-state one the page sets.
    CImageButton* MakeKey(bool twoState);
    // The preset selector at the top right, then `keys` from right to left.
    void PlaceTopRow(std::initializer_list<QWidget*> keys);
    // The same for another selector, at height `top`.
    void PlaceKeyRow(QWidget* selector, int top, std::initializer_list<QWidget*> keys);

    void SetTitle(const QString& title);

    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    AppContext& context_;
    StripHost& host_;
    int channel_ = 0;
    CPresetSelector* presets_;

private:
    void FlushPendingPoint();

    SteadyClock steadyClock_;
    DragThrottle throttle_;
    QTimer pageTimer_;
    QString title_;
};

}  // namespace mixer
