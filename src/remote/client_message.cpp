#include "remote/client_message.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>

#include "link/mixer_state.h"

namespace mixer::remote {

namespace {

constexpr std::size_t kMaxMembers = 6;
constexpr std::size_t kMaxKeyBytes = 8;
constexpr std::size_t kMaxStringBytes = 16;

struct Value {
    enum Type { Text, Number, Boolean } type = Text;
    std::string text;
    long long number = 0;
    bool boolean = false;
};

// A reader of exactly one flat JSON object; any nesting, escape, fraction or
// exponent is refused, since the page never sends one.
class FlatObjectReader {
public:
    explicit FlatObjectReader(std::string_view text) : text_(text) {}

    std::string Read(std::map<std::string, Value>& members) {
        SkipSpace();
        if (!Take('{')) return "not an object";
        SkipSpace();
        if (Take('}')) return Finish();
        for (;;) {
            if (members.size() == kMaxMembers) return "too many members";
            std::string key;
            if (std::string e = ReadString(key, kMaxKeyBytes); !e.empty()) return e;
            SkipSpace();
            if (!Take(':')) return "expected ':'";
            SkipSpace();
            Value value;
            if (std::string e = ReadValue(value); !e.empty()) return e;
            if (!members.emplace(std::move(key), std::move(value)).second) return "repeated key";
            SkipSpace();
            if (Take('}')) return Finish();
            if (!Take(',')) return "expected ',' or '}'";
            SkipSpace();
        }
    }

private:
    std::string Finish() {
        SkipSpace();
        return pos_ == text_.size() ? std::string() : "text after the object";
    }

    std::string ReadString(std::string& out, std::size_t limit) {
        if (!Take('"')) return "expected a string";
        while (pos_ < text_.size() && text_[pos_] != '"') {
            const unsigned char c = static_cast<unsigned char>(text_[pos_]);
            if (c == '\\' || c < 0x20 || c >= 0x7f) return "unexpected character in a string";
            if (out.size() == limit) return "string too long";
            out.push_back(static_cast<char>(c));
            ++pos_;
        }
        if (!Take('"')) return "unterminated string";
        return {};
    }

    std::string ReadValue(Value& value) {
        if (pos_ >= text_.size()) return "expected a value";
        const char c = text_[pos_];
        if (c == '"') {
            value.type = Value::Text;
            return ReadString(value.text, kMaxStringBytes);
        }
        if (Word("true") || Word("false")) {
            value.type = Value::Boolean;
            value.boolean = c == 't';
            return {};
        }
        if (c == '-' || (c >= '0' && c <= '9')) {
            const std::size_t start = pos_;
            if (c == '-') ++pos_;
            while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
            const std::size_t digits = pos_ - start - (c == '-' ? 1 : 0);
            if (digits == 0 || digits > 9) return "bad number";
            if (pos_ < text_.size() && (text_[pos_] == '.' || text_[pos_] == 'e' || text_[pos_] == 'E'))
                return "not a whole number";
            value.type = Value::Number;
            std::from_chars(text_.data() + start, text_.data() + pos_, value.number);
            return {};
        }
        return "unexpected value";
    }

    bool Word(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }

    bool Take(char c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    void SkipSpace() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

struct ControlRule {
    std::string_view name;
    Control control;
    bool output;   // indexed by output 0..6, else by strip 0..17
    int maximum;
};

constexpr std::array<ControlRule, 8> kControls = {{
    {"level", Control::StripLevel, false, kLevelMax},
    {"mute", Control::StripMute, false, 1},
    {"solo", Control::StripSolo, false, 1},
    {"pan", Control::StripPan, false, kPanMax},
    {"out_level", Control::OutLevel, true, kLevelMax},
    {"out_mute", Control::OutMute, true, 1},
    {"balance", Control::OutBalance, true, kPanMax},
    {"send", Control::Send, false, kLevelMax},
}};

// Only the keys a kind allows may appear, each of the right type.
bool HasOnly(const std::map<std::string, Value>& members, std::initializer_list<std::pair<std::string_view, Value::Type>> allowed) {
    for (const auto& [key, value] : members) {
        const auto rule = std::find_if(allowed.begin(), allowed.end(), [&](const auto& a) { return a.first == key; });
        if (rule == allowed.end() || rule->second != value.type) return false;
    }
    return members.size() == allowed.size();
}

ParsedMessage Refused(std::string why) { return {std::nullopt, std::move(why)}; }

}  // namespace

int BusOfOutput(int output) { return output == 0 ? 0 : output + 1; }

ParsedMessage ParseClientMessage(std::string_view text) {
    if (text.size() > kMaxMessageBytes) return Refused("message too long");
    std::map<std::string, Value> members;
    if (std::string error = FlatObjectReader(text).Read(members); !error.empty()) return Refused(error);
    const auto kind = members.find("t");
    if (kind == members.end() || kind->second.type != Value::Text) return Refused("no message type");

    ClientMessage m;
    const std::string& type = kind->second.text;
    if (type == "hello") {
        if (!HasOnly(members, {{"t", Value::Text}, {"code", Value::Text}})) return Refused("bad hello");
        m.kind = MessageKind::Hello;
        m.code = members["code"].text;
        return {m, {}};
    }
    if (type == "meters") {
        if (!HasOnly(members, {{"t", Value::Text}, {"on", Value::Boolean}})) return Refused("bad meters");
        m.kind = MessageKind::Meters;
        m.on = members["on"].boolean;
        return {m, {}};
    }
    if (type != "set") return Refused("unknown message type");
    const auto name = members.find("c");
    if (name == members.end() || name->second.type != Value::Text) return Refused("no control");
    const auto rule = std::find_if(kControls.begin(), kControls.end(), [&](const ControlRule& r) { return r.name == name->second.text; });
    if (rule == kControls.end()) return Refused("unknown control");
    const bool send = rule->control == Control::Send;
    const bool wellFormed =
        send ? HasOnly(members, {{"t", Value::Text}, {"c", Value::Text}, {"i", Value::Number}, {"a", Value::Number}, {"v", Value::Number}})
             : HasOnly(members, {{"t", Value::Text}, {"c", Value::Text}, {"i", Value::Number}, {"v", Value::Number}});
    if (!wellFormed) return Refused("bad set");
    const long long index = members["i"].number;
    if (index < 0 || index >= (rule->output ? kOutputCount : kStripCount)) return Refused("index out of range");
    if (rule->control == Control::OutBalance && index != 0) return Refused("only MAIN has a balance");
    if (send) {
        const long long aux = members["a"].number;
        if (aux < 1 || aux > kAuxCount) return Refused("AUX out of range");
        m.aux = static_cast<int>(aux);
    }
    m.kind = MessageKind::Set;
    m.control = rule->control;
    m.index = static_cast<int>(index);
    m.value = static_cast<int>(std::clamp<long long>(members["v"].number, 0, rule->maximum));
    return {m, {}};
}

}  // namespace mixer::remote
