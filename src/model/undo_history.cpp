#include "model/undo_history.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace mixer {

namespace {

static_assert(sizeof(MixerState) % sizeof(int32_t) == 0);
constexpr std::size_t kWordCount = sizeof(MixerState) / sizeof(int32_t);
constexpr std::size_t kStripBytes = kStripCount * sizeof(StripRecord);

std::size_t StripOffset(int strip) { return offsetof(MixerState, strips) + strip * sizeof(StripRecord); }
std::size_t BusOffset(int bus) { return offsetof(MixerState, buses) + bus * sizeof(BusRecord); }

// The words the history keeps: all but the names and the meter levels.
const std::array<bool, kWordCount>& KeptWords() {
    static const auto kept = [] {
        std::array<bool, kWordCount> words;
        words.fill(true);
        const auto drop = [&](std::size_t offset, std::size_t size) {
            for (std::size_t i = offset / sizeof(int32_t); i < (offset + size) / sizeof(int32_t); ++i) words[i] = false;
        };
        for (int s = 0; s < kStripCount; ++s) {
            drop(StripOffset(s) + offsetof(StripRecord, meter), sizeof(StripRecord::meter));
            drop(StripOffset(s) + offsetof(StripRecord, meter2), sizeof(StripRecord::meter2));
            drop(StripOffset(s) + offsetof(StripRecord, name), sizeof(StripRecord::name));
        }
        for (int b = 0; b < kBusCount; ++b) {
            drop(BusOffset(b) + offsetof(BusRecord, meter), sizeof(BusRecord::meter));
            drop(BusOffset(b) + offsetof(BusRecord, meter2), sizeof(BusRecord::meter2));
            drop(BusOffset(b) + offsetof(BusRecord, name), sizeof(BusRecord::name));
        }
        return words;
    }();
    return kept;
}

int32_t WordAt(const MixerState& s, std::size_t index) {
    int32_t value;
    std::memcpy(&value, reinterpret_cast<const char*>(&s) + index * sizeof value, sizeof value);
    return value;
}

void SetWord(MixerState& s, std::size_t index, int32_t value) {
    std::memcpy(reinterpret_cast<char*>(&s) + index * sizeof value, &value, sizeof value);
}

// The display channel of the record a word lies in.
int ChannelOf(std::size_t index) {
    const std::size_t byte = index * sizeof(int32_t);
    if (byte < kStripBytes) return static_cast<int>(byte / sizeof(StripRecord));
    return kFirstOutputChannel + static_cast<int>((byte - kStripBytes) / sizeof(BusRecord));
}

}  // namespace

void UndoHistory::Begin(const StepLabel& label) {
    if (depth_++ == 0) open_ = Step{label, {}};
    else Name(label);
}

bool UndoHistory::End() {
    if (depth_ == 0) return false;
    return --depth_ == 0 && Commit();
}

void UndoHistory::Name(const StepLabel& label) {
    if (depth_ > 0 && open_.label.action == StepAction::None) open_.label = label;
}

std::vector<UndoHistory::Word> UndoHistory::ChangedWords(const MixerState& before, const MixerState& after) {
    const auto* a = reinterpret_cast<const unsigned char*>(&before);
    const auto* b = reinterpret_cast<const unsigned char*>(&after);
    const auto& kept = KeptWords();
    // In word order, as a step keeps its words; unchanged records are passed
    // over whole.
    std::vector<Word> changed;
    const auto scan = [&](std::size_t offset, std::size_t size) {
        if (std::memcmp(a + offset, b + offset, size) == 0) return;
        for (std::size_t i = offset / sizeof(int32_t); i < (offset + size) / sizeof(int32_t); ++i) {
            const int32_t was = WordAt(before, i);
            const int32_t is = WordAt(after, i);
            if (kept[i] && was != is) changed.push_back({static_cast<uint32_t>(i), was, is});
        }
    };
    for (int s = 0; s < kStripCount; ++s) scan(StripOffset(s), sizeof(StripRecord));
    for (int bus = 0; bus < kBusCount; ++bus) scan(BusOffset(bus), sizeof(BusRecord));
    return changed;
}

void UndoHistory::Merge(Step& step, const std::vector<Word>& changed) {
    std::vector<Word> merged;
    merged.reserve(step.words.size() + changed.size());
    auto old = step.words.begin();
    for (const Word& word : changed) {
        while (old != step.words.end() && old->index < word.index) merged.push_back(*old++);
        if (old != step.words.end() && old->index == word.index) {
            merged.push_back({word.index, old->before, word.after});
            ++old;
        } else {
            merged.push_back(word);
        }
    }
    merged.insert(merged.end(), old, step.words.end());
    step.words = std::move(merged);
}

bool UndoHistory::Record(const MixerState& before, const MixerState& after) {
    const std::vector<Word> changed = ChangedWords(before, after);
    if (changed.empty()) return false;
    const bool alone = depth_ == 0;
    if (alone) Begin();
    Merge(open_, changed);
    return alone && End();
}

bool UndoHistory::Extend(uint64_t id, const MixerState& before, const MixerState& after) {
    const auto step = std::find_if(done_.rbegin(), done_.rend(), [id](const Step& s) { return s.id == id; });
    if (id == 0 || step == done_.rend()) return false;
    Merge(*step, ChangedWords(before, after));
    return true;
}

uint64_t UndoHistory::Add(const StepLabel& label, const MixerState& before, const MixerState& after) {
    Step step{label, ChangedWords(before, after)};
    if (step.words.empty()) return 0;
    step.id = ++made_;
    Push(std::move(step));
    return made_;
}

void UndoHistory::Push(Step step) {
    done_.push_back(std::move(step));
    undone_.clear();
    if (done_.size() > kDepth) done_.pop_front();
}

bool UndoHistory::Commit() {
    Step step = std::move(open_);
    open_ = Step{};
    // A drag that came back to where it started changed nothing.
    std::erase_if(step.words, [](const Word& w) { return w.before == w.after; });
    if (step.words.empty()) return false;
    if (step.label.action == StepAction::None) step.label = {StepAction::Edit, ChannelOf(step.words.front().index)};
    step.id = ++made_;
    Push(std::move(step));
    return true;
}

bool UndoHistory::Undo(MixerState& s) {
    if (Busy() || done_.empty()) return false;
    for (const Word& w : done_.back().words) SetWord(s, w.index, w.before);
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return true;
}

bool UndoHistory::Redo(MixerState& s) {
    if (Busy() || undone_.empty()) return false;
    for (const Word& w : undone_.back().words) SetWord(s, w.index, w.after);
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return true;
}

}  // namespace mixer
