// What reaches the simulated mixer: every message changes something there,
// a storm of edits loses none, and a whole EQ for a linked channel comes one
// command at a time.

#include <QElapsedTimer>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "app/end_to_end_fixture.h"
#include "link/command_apply.h"
#include "console/output_strip_dlg.h"
#include "model/target.h"
#include "pages/peq/peq_edits.h"

using namespace mixer;
using mixer::testing::EndToEnd;
using mixer::testing::WaitUntil;

namespace {

class Wire : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        clock.start();
        QObject::connect(&Mixer(), &SimulatedMixer::received, [this](const QString& text) {
            const std::string message = text.toStdString();
            if (message.size() < 2 || message[1] == 'Q' || message[1] == 'Z') return;
            MixerState after = Mixer().State();
            ApplyCommand(message, after);
            heard.push_back({clock.elapsed(), message, std::memcmp(&after, &Mixer().State(), sizeof after) != 0});
        });
    }

    // Waits until the link has sent everything it queued and the mixer read it.
    void Drain() {
        ASSERT_TRUE(WaitUntil([&] { return built.mixerLink->QueuedCount() == 0; }));
        QTest::qWait(30);
    }

    std::vector<std::string> Unchanging() const {
        std::vector<std::string> out;
        for (const Heard& h : heard) {
            if (!h.changes) out.push_back(h.message);
        }
        return out;
    }

    struct Heard {
        qint64 at;
        std::string message;
        bool changes;
    };
    QElapsedTimer clock;
    std::vector<Heard> heard;
};

// A socket on 127.0.0.3 that notes when each datagram arrived by the
// kernel's clock, so that the event loop's timing cannot blur the gaps.
class ArrivalClock {
public:
    explicit ArrivalClock(quint16 port) : fd_(socket(AF_INET, SOCK_DGRAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(0x7F000003);
        const int on = 1;
        bound = fd_ >= 0 && setsockopt(fd_, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on) == 0 &&
                bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~ArrivalClock() {
        if (fd_ >= 0) close(fd_);
    }

    // Milliseconds of arrival and text of every datagram waiting.
    std::vector<std::pair<double, std::string>> ReadAll() {
        std::vector<std::pair<double, std::string>> out;
        for (;;) {
            char data[kMaxDatagram + 1];
            char control[CMSG_SPACE(sizeof(timespec))];
            iovec io{data, kMaxDatagram};
            msghdr header{};
            header.msg_iov = &io;
            header.msg_iovlen = 1;
            header.msg_control = control;
            header.msg_controllen = sizeof control;
            const ssize_t got = recvmsg(fd_, &header, MSG_DONTWAIT);
            if (got < 0) return out;
            for (cmsghdr* c = CMSG_FIRSTHDR(&header); c; c = CMSG_NXTHDR(&header, c)) {
                if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_TIMESTAMPNS) continue;
                timespec at;
                std::memcpy(&at, CMSG_DATA(c), sizeof at);
                out.emplace_back(at.tv_sec * 1e3 + at.tv_nsec / 1e6, std::string(data, static_cast<std::size_t>(got)));
            }
        }
    }

    bool bound = false;

private:
    int fd_;
};

// A press and release where the control stands, as a hand that only looks.
void Click(QWidget* control, QPoint at) {
    QTest::mousePress(control, Qt::LeftButton, {}, at);
    QTest::mouseRelease(control, Qt::LeftButton, {}, at);
}

TEST_F(Wire, AClickWithoutMovementOnAnySliderKnobOrHandleSendsNothing) {
    std::vector<CBitmapSlider*> sliders;
    for (int c : {0, 7, kDelayReturn}) sliders.insert(sliders.end(), {Input(c).Fader(), Input(c).PanSlider()});
    auto& main = *static_cast<COutputStripDlg*>(window->Pages().outputs[0]);
    sliders.insert(sliders.end(), {main.Fader(), main.BalanceSlider()});

    window->OpenInputDetail(2, kModulePeq);
    for (int band = 1; band <= kPeqBandCount; ++band) {
        for (auto knob : {CPeqDlg::Knob::kGain, CPeqDlg::Knob::kFreq, CPeqDlg::Knob::kQ})
            sliders.push_back(Peq().BandKnob(band, knob));
    }
    sliders.push_back(Peq().FilterKnob(PeqFilter::kHighPass));
    for (CBitmapSlider* slider : sliders) Click(slider, slider->ThumbRect().center());
    for (int point = 0; point < Peq().Graph()->PointCount(); ++point) Click(Peq().Graph(), Peq().Graph()->PointPixel(point));

    const auto clickPage = [&](auto knobs) {
        for (CBitmapSlider* knob : knobs) Click(knob, knob->ThumbRect().center());
    };
    window->OpenInputDetail(3, kModuleSends);
    clickPage(std::vector{Sends().Knob(1), Sends().Knob(6), Sends().Knob(kSendRowReverb)});
    window->OpenInputDetail(kDelayReturn, kModuleEffect);
    clickPage(std::vector{EffectPage().LevelKnob(Effect::kDelay, false), EffectPage().LevelKnob(Effect::kReverb, true),
                          EffectPage().ParamKnob(Effect::kDelay, kFeedback), EffectPage().ParamKnob(Effect::kReverb, kRevTime)});
    window->OpenInputDetail(4, kModuleGateComp);
    for (int row = 0; row < 3; ++row) clickPage(std::vector{Dynamics().GatePanel()->Knob(row), Dynamics().CompPanel()->Knob(row)});
    window->OpenOutputDetail(0, kModuleLimiter);
    clickPage(std::vector{Limiter().Panel()->Knob(0), Limiter().Panel()->Knob(1)});
    Drain();
    EXPECT_TRUE(heard.empty()) << heard.front().message;

    // The same controls moved: every message changes the mixer, none twice in vain.
    Input(0).Fader()->setFocus();
    QTest::keyClick(Input(0).Fader(), Qt::Key_Home);
    QTest::keyClick(Input(0).Fader(), Qt::Key_Home);
    Tie(0, 1, kLinkMatrix);
    window->OpenInputDetail(0, kModuleSends);
    CBitmapSlider* aux = Sends().Knob(3);
    const QPoint from = aux->ThumbRect().center();
    QTest::mousePress(aux, Qt::LeftButton, {}, from);
    for (int dx = 0; dx <= 60; dx += 3) QTest::mouseMove(aux, from + QPoint(dx, 0));
    for (int dx = 60; dx >= 30; dx -= 3) QTest::mouseMove(aux, from + QPoint(dx, 0));
    QTest::mouseRelease(aux, Qt::LeftButton, {}, from + QPoint(30, 0));
    Drain();
    EXPECT_FALSE(heard.empty());
    EXPECT_TRUE(Unchanging().empty()) << Unchanging().front();
    EXPECT_EQ(Mixer().State().strips[1].auxSend[2], context.state.strips[0].auxSend[2]);
}

TEST_F(Wire, AStormOfFreehandStrokesLosesNoEditAndTheLastStrokeArrivesOnBothMainRecords) {
    window->OpenOutputDetail(0, kModuleGeq);
    QTest::mouseClick(Geq().DrawButton(), Qt::LeftButton);
    CEqGraph* graph = Geq().Graph();
    const int left = graph->PointPixel(0).x();
    const int right = graph->PointPixel(kGeqBandCount - 1).x();
    const int top = graph->PointPixel(0).y() - 120;
    const int bottom = graph->PointPixel(0).y() + 120;
    std::size_t mostQueued = 0;
    QTest::mousePress(graph, Qt::LeftButton, {}, QPoint(left, top));
    QElapsedTimer scribble;
    scribble.start();
    for (int k = 0; scribble.elapsed() < 6000; ++k) {
        // Back and forth across every band, up and down.
        const int x = left + (k * 37) % (right - left + 1);
        QTest::mouseMove(graph, QPoint(x, k % 2 ? top : bottom));
        if (k % 20 == 0) QCoreApplication::processEvents();
        mostQueued = std::max(mostQueued, built.mixerLink->QueuedCount());
    }
    // One straight stroke at +6 dB across the whole graph.
    const int level = graph->PointPixel(0).y() - (graph->PointPixel(0).y() - top) * 6 / 15;
    for (int x = left; x <= right; x += 4) QTest::mouseMove(graph, QPoint(x, level));
    QTest::mouseRelease(graph, Qt::LeftButton, {}, QPoint(right, level));

    // Only MAIN's two records wait, whatever came before: two datagrams, 20 ms of wire.
    EXPECT_LE(built.mixerLink->QueuedCount(), 2u);
    EXPECT_LE(mostQueued, 2u);
    const BusRecord& shown = context.state.buses[0];
    for (const GeqBand& band : shown.geqBands) EXPECT_EQ(band.gain2, shown.geqBands[0].gain2);
    ASSERT_TRUE(WaitUntil([&] {
        for (int bus : {0, 1}) {
            for (int b = 0; b < kGeqBandCount; ++b) {
                if (Mixer().State().buses[bus].geqBands[b].gain2 / 2 != shown.geqBands[b].gain2 / 2) return false;
            }
        }
        return true;
    }));
    EXPECT_TRUE(Unchanging().empty()) << Unchanging().front();
}

TEST_F(Wire, AWholeEqForALinkedChannelLeavesAHundredMillisecondsBetweenCommandsAtTheMixer) {
    Tie(2, 5, kLinkEq);
    window->OpenInputDetail(2, kModulePeq);
    // Both channels far from a reset EQ, in the mixer too.
    context.model.Edit([](MixerState& s) {
        Commands sent;
        for (int c : {2, 5}) {
            for (int band = 1; band <= kPeqBandCount; ++band) {
                for (const std::string& m : WritePeqBandGain(s, c, band, 40)) sent.push_back(m);
            }
            for (PeqFilter f : {PeqFilter::kHighPass, PeqFilter::kLowPass}) {
                for (const std::string& m : TogglePeqFilter(s, c, f)) sent.push_back(m);
            }
        }
        return sent;
    });
    Drain();
    // From here on the mixer is a socket that notes arrival times.
    ArrivalClock arrivals(options.port);
    ASSERT_TRUE(arrivals.bound);
    built.mixerLink->SetDeviceAddress("127.0.0.3");
    QTest::mouseClick(Peq().ResetButton(), Qt::LeftButton);
    Drain();
    std::vector<double> linked;
    int own = 0;
    for (const auto& [at, text] : arrivals.ReadAll()) {
        const auto target = TargetOf(text);
        ASSERT_TRUE(target) << text;
        if (target->index == 6) linked.push_back(at);
        else ++own;
    }
    EXPECT_EQ(own, 6);
    ASSERT_EQ(linked.size(), 6u);
    for (std::size_t k = 1; k < linked.size(); ++k) EXPECT_GE(linked[k] - linked[k - 1], 100.0) << k;
}

}  // namespace
