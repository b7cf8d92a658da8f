#pragma once
// The console window: owns every page, arranges them in the three views,
// keeps the navigation bar and the value display, scrolls its content and
// drives start-up and the orderly close through the device link.

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "console/console_pages.h"
#include "console/layout.h"
#include "host/page_request.h"
#include "console/scroll.h"
#include "host/strip_host.h"
#include "model/change_set.h"
#include "model/undo_history.h"

class QAction;
class QScrollBar;

namespace mixer {

struct AppContext;
struct NavigationBar;
class ConsoleCanvas;
class ConsoleLink;

class CMixerDlg : public QWidget, public StripHost {
    Q_OBJECT

public:
    static constexpr int kTickTimer = 1;   // drives the link every 50 ms
    static constexpr int kCloseTimer = 2;  // polls the receiver every 100 ms while closing
    // Meter reports may come 100 times a second; the meters are redrawn at
    // most once in this many milliseconds. While reports stream, the link
    // reads them on its 50 ms tick, so the meters move 20 times a second:
    // as smoothly to the eye as 50, at less than half the painting.
    static constexpr int kMeterFrameMs = 40;

    // Runs the window's initialisation: state and names, the profile's
    // address, the pages, the labels and the first arrangement, timer 1.
    CMixerDlg(AppContext& context, ConsoleLink& link, const PageFactory& createPages = CreateConsolePages,
              QWidget* parent = nullptr);
    ~CMixerDlg() override;

    // The console view: the strips of page 1..4, the selected output strip
    // (1 MAIN, 3..8 AUX 1..6, 2 none) and the page of `mode` over the strips.
    // While a view group is active its strips stand in place of the page's.
    void ShowPage(int page, int selectedOutput, int mode);
    // Input detail: channel 0..17 with module 1 gate/compressor, 2 PEQ, 3 effect, 4 sends.
    void ShowInputDetail(int channel, int module);
    // Output detail: output 0..7 with module 1 limiter, 2 graphic EQ.
    void ShowOutputDetail(int output, int module);
    // The page --page asks for, opened as its button would open it.
    void OpenRequestedPage(const PageRequest& request);
    // Navigation captions for language 1 or 2, then every page's labels, the
    // value display and the context menu's check mark.
    void SetLanguage(int language);
    // The user's switch to language 1 or 2, from the context menu or the
    // system page: the context, the link and every page follow at once, and
    // the profile keeps it for the next start. Other values change nothing.
    void ChooseLanguage(int language);

    // Commands of the navigation bar.
    void OnPageButton(int page);
    void OnHome();
    void OnConnectionButton();
    // Mute group button k (1..4): engages group k, or releases it when engaged.
    void OnMuteGroupButton(int k);
    // Control group button k (1..4): switches group k on or off.
    void OnControlGroupButton(int k);

    // The strips of control group g (0..3) tied or untied as its enable says.
    void ApplyControlGroup(int g);
    // Every mute group released and every control group switched off, as
    // before the group tables are cleared.
    void ReleaseGroups();
    // View group 1..4 in place of the strips; 0 returns to the page.
    void ShowViewGroup(int g);
    // No view group is shown any more, and the panel's VIEW buttons say so.
    void LeaveViewGroup();
    // Every mute or solo of the console cleared, and sent while connected.
    void ClearMutes();
    void ClearSolos();
    // The output strip at the right: 1 MAIN, 3..8 AUX 1..6.
    void SelectOutput(int selectedOutput);

    void ResetScrollPositions();
    // The page buttons' overviews from the state: mute marks, and bars that
    // show the faders, or the live meters while the mixer streams them.
    void RefreshPageOverviews();
    bool OverviewShowsMeters() const { return metersInOverview_; }
    // Every strip and the overviews from the state, at start-up; later the
    // views follow the model's reports.
    void RefreshStripsFromState();
    void ShowAbout();

    // The value display from its channel and kind, the state and the language.
    void RefreshValueDisplay();
    // Enter in value box 0 or 1: the typed text stored into the parameter the
    // display shows (every view follows, the change goes out while connected)
    // and the display showing the value as stored. True when a value was stored.
    bool ApplyTypedValue(int box);
    // The meters of every visible strip and, unless told not to, the page
    // overviews from the state.
    void UpdateMeters(bool overviews = true);

    // Undo or redo of the last step (the buttons and keys): the value display
    // then shows the parameter the step changed with its value now.
    void UndoStep();
    void RedoStep();
    // The undo and redo buttons, their tooltips and the keys, from the history.
    void RefreshUndoControls();
    QAction* UndoAction() const { return undoAction_; }
    QAction* RedoAction() const { return redoAction_; }

    // What the strips ask of the window.
    void ShowValue(int channel, int kind) override;
    void OpenInputDetail(int channel, int module) override;
    void OpenOutputDetail(int output, int module) override;
    StripView* InputStrip(int channel) override;
    StripLinks InputLinks(int channel) override;
    int ValueDisplayChannel() const { return valueChannel_; }
    int ValueDisplayKind() const { return valueKind_; }

    // The window's timers: 1 ticks the link, 2 ends the window once the
    // receiver has stopped.
    void OnTimer(int id);
    bool IsTimerActive(int id) const;

    int Page() const { return page_; }
    int SelectedOutput() const { return selectedOutput_; }
    int Mode() const { return mode_; }
    const LayoutMetrics& Metrics() const { return metrics_; }
    ConsolePages& Pages() { return pages_; }
    NavigationBar& Navigation() { return *nav_; }
    ConsoleCanvas* Canvas() const { return canvas_; }
    QScrollBar* HorizontalBar() const { return hbar_; }
    QScrollBar* VerticalBar() const { return vbar_; }
    // The About entry of the window's context menu.
    QAction* AboutAction() const { return aboutAction_; }
    // The context menu's entry that switches to language 1 (English) or 2 (Chinese).
    QAction* LanguageAction(int language) const { return language == 1 ? englishAction_ : chineseAction_; }
    // The area the content is seen through: the window less its scroll bars.
    QSize ClientSize() const;

    bool IsClosing() const { return closing_; }
    bool HasEnded() const { return ended_; }

signals:
    // The close sequence has finished: the receiver has stopped and the window is closed.
    void ended();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Apply(const Arrangement& arrangement);
    void RearrangeCurrentView();
    void LayOutViewport();
    void OnSizeChange(int clientWidth, int clientHeight);
    void OnScrollAction(QScrollBar* bar, int action);
    void RefreshIndicators();
    void ConnectGroupControls();
    void OnMeterReport();
    // The next meter frame: at once when the last is a frame's time ago, so
    // that a report is drawn in the turn it arrives in, else when it is due.
    void ScheduleMeterFrame();
    void OnMeterFrame();
    // The value display, the overviews and the pages over the strips follow a change.
    void OnModelChanged(const ChangeSet& changes);
    void ApplyStep(bool undo);
    // The engaged mute group follows an undo or redo of its button's step.
    void OnStepApplying(const StepLabel& label, bool undo);

    AppContext& context_;
    ConsoleLink& link_;

    LayoutMetrics metrics_;
    int page_ = kPageCh1To8;
    int selectedOutput_ = 1;
    int mode_ = kModeStrips;
    // The detail view shown last, so that a size change can arrange it again.
    int detailIndex_ = 0;
    int detailModule_ = 0;
    // What the value display shows: channel 0..25 and parameter kind.
    int valueChannel_ = 0;
    int valueKind_ = 1;
    // Set by a meter report that comes while the link is online, cleared when
    // the link goes offline: what the page buttons' bars show.
    bool metersInOverview_ = false;
    bool initialised_ = false;
    bool closing_ = false;
    bool ended_ = false;

    QWidget* viewport_;
    ConsoleCanvas* canvas_;
    QScrollBar* hbar_;
    QScrollBar* vbar_;
    QAction* aboutAction_;
    QAction* englishAction_;
    QAction* chineseAction_;
    QAction* undoAction_;
    QAction* redoAction_;
    std::unique_ptr<NavigationBar> nav_;
    ConsolePages pages_;
    QTimer tickTimer_;
    QTimer closeTimer_;
    QTimer meterFrame_;
    QElapsedTimer sinceMeterFrame_;
    bool overviewFrame_ = false;  // this frame draws the page overviews
};

}  // namespace mixer
