#include "pages/peq/peq_dlg.h"

#include <QComboBox>
#include <QPainter>
#include <QPainterPath>

#include "host/app_context.h"
#include "host/strip_host.h"
#include "pages/curves/graph_setup.h"
#include "pages/frame/page_knob.h"
#include "pages/frame/preset_selector.h"
#include "pages/peq/peq_mapping.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/skin_font.h"
#include "skin/skin_label.h"

namespace mixer {

namespace {

constexpr int kSmallKeyUp = 220;
constexpr int kSmallKeyDown = 219;

constexpr int kGraphTop = CProcessingPage::kTitleHeight + 8;
constexpr int kControlsHeight = 200;   // headings, three knob rows, the filter row
constexpr int kLabelColumn = 110;
constexpr int kRowHeight = 36;
constexpr int kShelfWidth = 38;

// Value display kinds: band gain, frequency, Q of band b are 5, 6, 7 + 3(b - 1).
constexpr int kFirstBandKind = 5;
constexpr int kHighPassKind = 20;
constexpr int kLowPassKind = 21;
constexpr int kFirstPointKind = 22;   // 22..25 bands, then 27 and 28 for the filters
constexpr int kHighPassPointKind = 27;
constexpr int kLowPassPointKind = 28;

int BandKind(int band, CPeqDlg::Knob knob) { return kFirstBandKind + 3 * (band - 1) + static_cast<int>(knob); }

int PointKind(int point) {
    if (point == kPointHighPass) return kHighPassPointKind;
    if (point == kPointLowPass) return kLowPassPointKind;
    return kFirstPointKind + point;
}

const QStringList& SlopeTexts() {
    static const QStringList texts = {"-12dB/Oct", "-18dB/Oct", "-24dB/Oct", "-30dB/Oct",
                                      "-36dB/Oct", "-42dB/Oct", "-48dB/Oct"};
    return texts;
}

}  // namespace

CPeqDlg::CPeqDlg(AppContext& context, StripHost& host, QWidget* parent)
    : CProcessingPage(context, host, PresetModule::kPeq, parent), graph_(new CEqGraph(this)) {
    graph_->SetMargin(true);
    graph_->SetUnitText(QStringLiteral(" :db"));
    graph_->SetYRange(-15, 15);
    connect(graph_, &CEqGraph::pointMoved, this,
            [this](int point, double x, double y, int held) { OnPointMoved(point, x, y, held); });
    connect(graph_, &CEqGraph::pointDoubleClicked, this, [this](int point) { OnPointDoubleClicked(point); });

    for (CSkinLabel*& label : rowLabels_) label = MakePageCaption(this);
    for (int b = 1; b <= kPeqBandCount; ++b) {
        BandControls& band = bands_[b - 1];
        band.heading = new CSkinLabel(this);
        band.heading->SetFontSize(11);
        band.heading->SetTextColour(QColor(120, 205, 255));
        const std::array<std::pair<int, int>, 3> ranges = {
            std::pair{0, kGainKnobMax}, std::pair{kFreqKnobMin, kFreqKnobMax}, std::pair{0, kQKnobMax}};
        for (int k = 0; k < 3; ++k) {
            const auto knob = static_cast<Knob>(k);
            band.knobs[k] = MakePageKnob(this, ranges[k].first, ranges[k].second);
            band.values[k] = MakePageValueBox(this);
            connect(band.knobs[k], &CBitmapSlider::Moving, this, [this, b, knob](int, int p) { OnBandKnob(b, knob, p, false); });
            connect(band.knobs[k], &CBitmapSlider::Moved, this, [this, b, knob](int, int p) { OnBandKnob(b, knob, p, true); });
        }
    }
    for (PeqFilter f : {PeqFilter::kHighPass, PeqFilter::kLowPass}) {
        FilterControls& filter = Filter(f);
        filter.button = MakeKey(true);
        connect(filter.button, &QAbstractButton::clicked, this, [this, f] { OnFilterButton(f); });
        filter.knob = MakePageKnob(this, kFreqKnobMin, kFreqKnobMax);
        connect(filter.knob, &CBitmapSlider::Moving, this, [this, f](int, int p) { OnFilterKnob(f, p, false); });
        connect(filter.knob, &CBitmapSlider::Moved, this, [this, f](int, int p) { OnFilterKnob(f, p, true); });
        filter.value = MakePageValueBox(this);
        filter.slope = new QComboBox(this);
        filter.slope->addItems(SlopeTexts());
        filter.slope->setFont(SkinFontPoints(9));
        filter.slope->setFocusPolicy(Qt::NoFocus);
        connect(filter.slope, &QComboBox::activated, this, [this, f](int index) { OnSlope(f, index); });
    }
    for (CImageButton** shelf : {&lowShelf_, &highShelf_}) {
        *shelf = new CImageButton(this);
        (*shelf)->SetBehaviour(CImageButton::kTwoState);
        (*shelf)->SetShowCaption(false);
        (*shelf)->resize(kShelfWidth, 24);
        (*shelf)->LoadImages(kSmallKeyUp, kSmallKeyDown);
    }
    connect(lowShelf_, &QAbstractButton::clicked, this, [this] { OnShelf(1); });
    connect(highShelf_, &QAbstractButton::clicked, this, [this] { OnShelf(kPeqBandCount); });
    polarity_ = MakeKey(true);
    bypassButton_ = MakeKey(true);
    reset_ = MakeKey(false);
    connect(polarity_, &QAbstractButton::clicked, this, &CPeqDlg::OnPolarity);
    connect(bypassButton_, &QAbstractButton::clicked, this, &CPeqDlg::OnBypass);
    connect(reset_, &QAbstractButton::clicked, this, &CPeqDlg::OnReset);
    connect(&context_.model, &MixerModel::stepApplying, this, &CPeqDlg::OnStepApplying);
    SetLabels(context.language);
}

void CPeqDlg::SetLabels(int language) {
    if (language != 1 && language != 2) return;
    const bool en = language == 1;
    SetTitle(en ? QStringLiteral("PEG") : QStringLiteral("参量均衡"));
    rowLabels_[0]->SetText(en ? QStringLiteral("GAIN") : QStringLiteral("增益"));
    rowLabels_[1]->SetText(en ? QStringLiteral("FREQUENCY") : QStringLiteral("频率"));
    rowLabels_[2]->SetText(en ? QStringLiteral("Q") : QStringLiteral("Q值"));
    for (int b = 1; b <= kPeqBandCount; ++b) {
        bands_[b - 1].heading->SetText((en ? QStringLiteral("BAND %1") : QStringLiteral("频段 %1")).arg(b));
    }
    bypassButton_->setText(en ? QStringLiteral("BYPASS") : QStringLiteral("直通"));
    reset_->setText(en ? QStringLiteral("RESET") : QStringLiteral("复位"));
    polarity_->setText(en ? QStringLiteral("POLAR") : QStringLiteral("极性"));
    Filter(PeqFilter::kHighPass).button->setText(en ? QStringLiteral("HPF") : QStringLiteral("高通"));
    Filter(PeqFilter::kLowPass).button->setText(en ? QStringLiteral("LPF") : QStringLiteral("低通"));
    lowShelf_->setToolTip(en ? QStringLiteral("LOW SHELF") : QStringLiteral("低架"));
    highShelf_->setToolTip(en ? QStringLiteral("HIGH SHELF") : QStringLiteral("高架"));
    presets_->SetLabels(language);
}

CBitmapSlider* CPeqDlg::BandKnob(int band, Knob knob) const {
    if (band < 1 || band > kPeqBandCount) return nullptr;
    return bands_[band - 1].knobs[static_cast<int>(knob)];
}

CBitmapSlider* CPeqDlg::FilterKnob(PeqFilter filter) const { return Filter(filter).knob; }
CImageButton* CPeqDlg::FilterButton(PeqFilter filter) const { return Filter(filter).button; }
QComboBox* CPeqDlg::SlopeSelector(PeqFilter filter) const { return Filter(filter).slope; }

CImageButton* CPeqDlg::ShelfButton(int band) const {
    if (band == 1) return lowShelf_;
    return band == kPeqBandCount ? highShelf_ : nullptr;
}

QString CPeqDlg::KnobText(int band, Knob knob) const {
    if (band < 1 || band > kPeqBandCount) return {};
    return bands_[band - 1].values[static_cast<int>(knob)]->DisplayText();
}

void CPeqDlg::RefreshFromState() {
    if (!IsPeqChannel(channel_)) return;
    const StripRecord& r = context_.state.strips[channel_];
    for (int b = 1; b <= kPeqBandCount; ++b) {
        const PeqBand& band = r.peqBands[b - 1];
        const std::array<int, 3> positions = {KnobFromGainCode(band.gain2), KnobFromFreq(band.freq), KnobFromQCode(band.q)};
        for (int k = 0; k < 3; ++k) {
            // A knob the user holds stays under the mouse.
            if (!bands_[b - 1].knobs[k]->IsDragging()) bands_[b - 1].knobs[k]->SetPos(positions[k]);
        }
    }
    const bool filters = HasPeqFilters(channel_);
    for (PeqFilter f : {PeqFilter::kHighPass, PeqFilter::kLowPass}) {
        FilterControls& filter = Filter(f);
        const bool high = f == PeqFilter::kHighPass;
        const bool on = (high ? r.hpfOn : r.lpfOn) != 0;
        filter.button->setVisible(filters);
        filter.knob->setVisible(filters);
        filter.value->setVisible(filters);
        filter.slope->setVisible(filters);
        filter.button->SetDown(on);
        filter.knob->Enable(on);
        if (!filter.knob->IsDragging()) filter.knob->SetPos(KnobFromFreq(high ? r.hpfFreq : r.lpfFreq));
        filter.slope->setCurrentIndex(IndexFromSlope(high ? r.hpfSlope : r.lpfSlope));
    }
    lowShelf_->SetDown(r.peqBands[0].type >= 1);
    highShelf_->SetDown(r.peqBands[kPeqBandCount - 1].type >= 1);
    polarity_->SetDown(r.polarity != 0);
    bypassButton_->SetDown(bypass_.On());
    DrawCurve();
}

void CPeqDlg::ShowKnobValues() {
    const StripRecord& r = context_.state.strips[channel_];
    for (int b = 1; b <= kPeqBandCount; ++b) {
        const PeqBand& band = r.peqBands[b - 1];
        BandControls& c = bands_[b - 1];
        c.values[0]->SetText(QString::asprintf("%0.1fdB", (band.gain2 - 150) * 0.1));
        c.values[1]->SetText(QString::asprintf("%dHz", band.freq));
        c.values[2]->SetText(QString::asprintf("%0.1f", band.q * 0.1));
    }
    Filter(PeqFilter::kHighPass).value->SetText(QString::asprintf("%dHz", r.hpfFreq));
    Filter(PeqFilter::kLowPass).value->SetText(QString::asprintf("%dHz", r.lpfFreq));
}

void CPeqDlg::DrawCurve() {
    if (!IsPeqChannel(channel_)) return;
    const StripRecord& r = context_.state.strips[channel_];
    const int points = PeqPointCount(channel_);
    if (graph_->PointCount() != points) {
        graph_->SetPointCount(points);
        for (int i = 0; i < kPeqBandCount; ++i) graph_->SetPointLabel(i, QString::number(i + 1));
        if (points > kPointHighPass) {
            // The filters move along the frequency axis only.
            graph_->SetPointLabel(kPointHighPass, QStringLiteral("H"));
            graph_->SetPointLabel(kPointLowPass, QStringLiteral("L"));
            graph_->SetPointLimits(kPointHighPass, kFreqMin, kFreqMax, 0, 0);
            graph_->SetPointLimits(kPointLowPass, kFreqMin, kFreqMax, 0, 0);
        }
    }
    for (int i = 0; i < kPeqBandCount; ++i) graph_->PlacePoint(i, r.peqBands[i].freq, (r.peqBands[i].gain2 - 150) / 10.0);
    if (points > kPointHighPass) {
        graph_->PlacePoint(kPointHighPass, r.hpfFreq, 0);
        graph_->PlacePoint(kPointLowPass, r.lpfFreq, 0);
    }
    ShowChannelCurve(*graph_, ComputeChannelCurve(context_.state, channel_), true);
    ShowKnobValues();
}

void CPeqDlg::PropagateChange(int source, int change) {
    // A whole EQ is taken by the mixer one command at a time.
    Propagate(source, {kLinkEq, [change](MixerState& s, int from, int to) { CopyPeqChange(s, from, to, change); },
                       [change](const MixerState& s, int channel) { return PeqChangeCommands(s, channel, change); },
                       change == kPeqChangeAll});
}

void CPeqDlg::Commit(const MixerModel::Write& write, int displayKind, int change, bool release) {
    Edit(write, release ? Sending::Now : Sending::Later);
    host_.ShowValue(channel_, displayKind);
    if (!release) return;
    // A knob's moves were only stored and its release finds nothing left to
    // write: what the knob set goes out now. The queue sends nothing when
    // the mixer holds it already (a knob taken and let go where it stands).
    Send(PeqChangeCommands(context_.state, channel_, change));
    PropagateChange(channel_, change);
}

void CPeqDlg::OnBandKnob(int band, Knob knob, int position, bool changed) {
    if (!IsPeqChannel(channel_) || band < 1 || band > kPeqBandCount) return;
    const PeqBand& current = context_.state.strips[channel_].peqBands[band - 1];
    // The knob's steps are coarser than the values: a knob taken and let go
    // where it stands keeps the value it shows.
    const bool moved = position != (knob == Knob::kGain   ? KnobFromGainCode(current.gain2)
                                    : knob == Knob::kFreq ? KnobFromFreq(current.freq)
                                                          : KnobFromQCode(current.q));
    Commit(
        [&](MixerState& s) {
            if (!moved) return Commands{};
            switch (knob) {
            case Knob::kGain: return WritePeqBandGain(s, channel_, band, GainCodeFromKnob(position));
            case Knob::kFreq: return WritePeqBandFreq(s, channel_, band, FreqFromKnob(position));
            case Knob::kQ: return WritePeqBandQ(s, channel_, band, QCodeFromKnob(position));
            }
            return Commands{};
        },
        BandKind(band, knob), band, changed);
}

void CPeqDlg::OnFilterKnob(PeqFilter filter, int position, bool changed) {
    if (!HasPeqFilters(channel_)) return;
    const StripRecord& r = context_.state.strips[channel_];
    const bool high = filter == PeqFilter::kHighPass;
    const bool moved = position != KnobFromFreq(high ? r.hpfFreq : r.lpfFreq);
    Commit(
        [&](MixerState& s) { return moved ? WritePeqFilterFreq(s, channel_, filter, FreqFromKnob(position)) : Commands{}; },
        high ? kHighPassKind : kLowPassKind, high ? kPeqChangeHighPass : kPeqChangeLowPass, changed);
}

void CPeqDlg::OnShelf(int band) {
    if (!IsPeqChannel(channel_)) return;
    Commit([&](MixerState& s) { return TogglePeqShelf(s, channel_, band); }, BandKind(band, Knob::kGain), band, true);
}

void CPeqDlg::OnFilterButton(PeqFilter filter) {
    if (!HasPeqFilters(channel_)) return;
    const bool high = filter == PeqFilter::kHighPass;
    Commit([&](MixerState& s) { return TogglePeqFilter(s, channel_, filter); }, high ? kHighPassKind : kLowPassKind,
           high ? kPeqChangeHighPass : kPeqChangeLowPass, true);
}

void CPeqDlg::OnSlope(PeqFilter filter, int index) {
    if (!HasPeqFilters(channel_)) return;
    const bool high = filter == PeqFilter::kHighPass;
    Commit([&](MixerState& s) { return WritePeqFilterSlope(s, channel_, filter, SlopeFromIndex(index)); },
           high ? kHighPassKind : kLowPassKind, high ? kPeqChangeHighPass : kPeqChangeLowPass, true);
}

void CPeqDlg::OnPolarity() {
    if (!IsPeqChannel(channel_)) return;
    Edit([&](MixerState& s) { return TogglePeqPolarity(s, channel_); });
    PropagateChange(channel_, kPeqChangePolarity);
}

void CPeqDlg::OnReset() {
    if (!IsPeqChannel(channel_)) return;
    const StepScope step(context_.model, {StepAction::PeqReset, channel_});
    Edit([&](MixerState& s) {
        ResetPeq(s, channel_);
        return PeqChangeCommands(s, channel_, kPeqChangeAll);
    });
    PropagateChange(channel_, kPeqChangeAll);
}

void CPeqDlg::OnBypass() {
    const bool wasOn = bypass_.On();
    const StepScope step(context_.model, {});
    int changed = -1;
    Edit([&](MixerState& s) {
        changed = bypass_.Toggle(s, channel_);
        return changed < 0 ? Commands{} : PeqChangeCommands(s, changed, kPeqChangeAll);
    });
    // The flag is the page's own: a BYPASS that changed nothing still shows.
    bypassButton_->SetDown(bypass_.On());
    if (changed < 0) return;
    context_.model.NameStep({StepAction::Bypass, changed, 0, wasOn, bypass_.On()});
    PropagateChange(changed, kPeqChangeAll);
}

void CPeqDlg::OnStepApplying(const StepLabel& label, bool undo) {
    if (label.action != StepAction::Bypass) return;
    // The values come back as they were; the key and what it would give back follow them.
    bypass_.Follow(context_.state, label.channel, (undo ? label.switchBefore : label.switchAfter) != 0);
    bypassButton_->SetDown(bypass_.On());
}

void CPeqDlg::OnPresetRecalled() {
    Send(PeqChangeCommands(context_.state, channel_, kPeqChangeAll));
    PropagateChange(channel_, kPeqChangeAll);
}

void CPeqDlg::OnPointMoved(int point, double hz, double db, int held) {
    if (!IsPeqChannel(channel_) || point < 0 || point >= PeqPointCount(channel_)) return;
    const int gain = point < kPeqBandCount ? GainCodeFromDb(db) : 0;
    Edit([&](MixerState& s) { return WritePeqPoint(s, channel_, point, FreqFromGraph(hz), gain); }, Sending::Later);
    host_.ShowValue(channel_, PointKind(point));
    ThrottlePoint(point, held != 0);
}

void CPeqDlg::SendPoint(int point) {
    const PeqChange change = PointChange(point);
    Send(PeqChangeCommands(context_.state, channel_, change));
    PropagateChange(channel_, change);
}

void CPeqDlg::OnPointDoubleClicked(int point) {
    if (!IsPeqChannel(channel_) || point < 0 || point >= PeqPointCount(channel_)) return;
    Edit(
        [&](MixerState& s) {
            const StripRecord& r = s.strips[channel_];
            if (point < kPeqBandCount) return WritePeqBandGain(s, channel_, point + 1, kFlatGain);
            const bool high = point == kPointHighPass;
            return WritePeqFilterFreq(s, channel_, high ? PeqFilter::kHighPass : PeqFilter::kLowPass,
                                      high ? r.hpfFreq : r.lpfFreq);
        },
        Sending::Later);
    host_.ShowValue(channel_, PointKind(point));
    SendPoint(point);
}

void CPeqDlg::resizeEvent(QResizeEvent*) { LayOutControls(); }

void CPeqDlg::LayOutControls() {
    const int w = width();
    const int h = height();
    PlaceTopRow({reset_, bypassButton_, polarity_});
    const int graphHeight = std::max(200, h - kGraphTop - kControlsHeight - kMargin);
    graph_->setGeometry(kMargin, kGraphTop, w - 2 * kMargin, graphHeight);

    const int y0 = kGraphTop + graphHeight + 10;
    const int columns = w - kLabelColumn - 2 * kMargin;
    const int column = columns / kPeqBandCount;
    for (int k = 0; k < 3; ++k) rowLabels_[k]->setGeometry(kMargin + 8, y0 + 30 + k * kRowHeight, kLabelColumn - 8, 25);
    for (int b = 0; b < kPeqBandCount; ++b) {
        const int cx = kMargin + kLabelColumn + b * column;
        BandControls& c = bands_[b];
        c.heading->setGeometry(cx, y0, 120, 24);
        for (int k = 0; k < 3; ++k) {
            const int y = y0 + 30 + k * kRowHeight;
            c.knobs[k]->move(cx, y);
            c.values[k]->move(cx + c.knobs[k]->width() + 6, y + 1);
        }
    }
    lowShelf_->move(kMargin + kLabelColumn + 124, y0);
    highShelf_->move(kMargin + kLabelColumn + 3 * column + 124, y0);

    const int fy = y0 + 30 + 3 * kRowHeight + 8;
    for (int i = 0; i < 2; ++i) {
        FilterControls& f = filters_[i];
        const int fx = kMargin + kLabelColumn + i * 2 * column;
        f.button->move(fx, fy);
        f.knob->move(fx + kKeyWidth + 10, fy);
        f.value->move(f.knob->x() + f.knob->width() + 6, fy + 1);
        f.slope->setGeometry(f.value->x() + kPageValueWidth + 8, fy, 110, kKeyHeight);
    }
}

void CPeqDlg::paintEvent(QPaintEvent* event) {
    CProcessingPage::paintEvent(event);
    // The shelf toggles carry no caption: a small shelf shape beside each
    // says what it switches.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 205, 255), 1.6));
    for (CImageButton* shelf : {lowShelf_, highShelf_}) {
        if (!shelf->isVisible()) continue;
        const QRectF box(shelf->x() + shelf->width() + 6, shelf->y() + 6, 24, 12);
        QPainterPath path;
        const bool low = shelf == lowShelf_;
        path.moveTo(box.left(), low ? box.top() : box.bottom());
        path.lineTo(box.left() + box.width() * 0.3, low ? box.top() : box.bottom());
        path.lineTo(box.left() + box.width() * 0.7, low ? box.bottom() : box.top());
        path.lineTo(box.right(), low ? box.bottom() : box.top());
        p.drawPath(path);
    }
}

}  // namespace mixer
