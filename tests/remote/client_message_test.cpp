#include <gtest/gtest.h>

#include "remote/client_message.h"

namespace mixer::remote {
namespace {

struct Refusal {
    const char* text;
    const char* error;
};

TEST(RemoteMessage, RefusesEverythingButTheFlatMessagesThePageSends) {
    const Refusal cases[] = {
        {"", "not an object"},
        {"[1]", "not an object"},
        {R"({"t":"set","c":"level","i":1,"v":5)", "expected ',' or '}'"},
        {R"({"t":"set","c":"level","i":1,"v":5} x)", "text after the object"},
        {R"({"t":"set","c":"level","i":{"x":1},"v":5})", "unexpected value"},
        {R"({"t":"set","c":"level","i":1.5,"v":5})", "not a whole number"},
        {R"({"t":"set","c":"level","i":1,"v":1e3})", "not a whole number"},
        {R"({"t":"set","c":"level","i":1,"v":1234567890})", "bad number"},
        {R"({"t":"hel\"lo"})", "unexpected character in a string"},
        {R"({"t":"hello","code":"12345678901234567"})", "string too long"},
        {R"({"t":"set","t":"set"})", "repeated key"},
        {R"({"a":1,"b":1,"c":1,"d":1,"e":1,"f":1,"g":1})", "too many members"},
        {R"({"code":"123456"})", "no message type"},
        {R"({"t":"reboot"})", "unknown message type"},
        {R"({"t":"hello","code":123456})", "bad hello"},
        {R"({"t":"hello","code":"123456","x":1})", "bad hello"},
        {R"({"t":"meters","on":1})", "bad meters"},
        {R"({"t":"set","c":"eq","i":1,"v":5})", "unknown control"},
        {R"({"t":"set","c":"level","i":1})", "bad set"},
        {R"({"t":"set","c":"level","i":18,"v":5})", "index out of range"},
        {R"({"t":"set","c":"level","i":-1,"v":5})", "index out of range"},
        {R"({"t":"set","c":"out_level","i":7,"v":5})", "index out of range"},
        {R"({"t":"set","c":"balance","i":3,"v":5})", "only MAIN has a balance"},
        {R"({"t":"set","c":"send","i":1,"a":7,"v":5})", "AUX out of range"},
        {R"({"t":"set","c":"send","i":1,"v":5})", "bad set"},
    };
    for (const Refusal& c : cases) {
        const ParsedMessage parsed = ParseClientMessage(c.text);
        EXPECT_FALSE(parsed.message) << c.text;
        EXPECT_EQ(parsed.error, c.error) << c.text;
    }
    EXPECT_EQ(ParseClientMessage(std::string(kMaxMessageBytes + 1, ' ')).error, "message too long");
}

TEST(RemoteMessage, ReadsEachKindAndClampsValuesToTheControlsRange) {
    struct Case {
        const char* text;
        Control control;
        int index, aux, value;
    };
    const Case cases[] = {
        {R"( { "t" : "set", "c":"level", "i":17, "v":99 } )", Control::StripLevel, 17, 0, 70},
        {R"({"t":"set","c":"mute","i":0,"v":-4})", Control::StripMute, 0, 0, 0},
        {R"({"t":"set","c":"solo","i":3,"v":2})", Control::StripSolo, 3, 0, 1},
        {R"({"t":"set","c":"pan","i":3,"v":250})", Control::StripPan, 3, 0, 200},
        {R"({"t":"set","c":"out_level","i":6,"v":40})", Control::OutLevel, 6, 0, 40},
        {R"({"t":"set","c":"out_mute","i":0,"v":1})", Control::OutMute, 0, 0, 1},
        {R"({"t":"set","c":"balance","i":0,"v":-1})", Control::OutBalance, 0, 0, 0},
        {R"({"v":33,"a":6,"i":15,"c":"send","t":"set"})", Control::Send, 15, 6, 33},
    };
    for (const Case& c : cases) {
        const ParsedMessage parsed = ParseClientMessage(c.text);
        ASSERT_TRUE(parsed.message) << c.text << ": " << parsed.error;
        EXPECT_EQ(parsed.message->kind, MessageKind::Set);
        EXPECT_EQ(parsed.message->control, c.control) << c.text;
        EXPECT_EQ(parsed.message->index, c.index) << c.text;
        EXPECT_EQ(parsed.message->aux, c.aux) << c.text;
        EXPECT_EQ(parsed.message->value, c.value) << c.text;
    }
    const ParsedMessage hello = ParseClientMessage(R"({"t":"hello","code":"012345"})");
    ASSERT_TRUE(hello.message);
    EXPECT_EQ(hello.message->code, "012345");
    const ParsedMessage meters = ParseClientMessage(R"({"t":"meters","on":false})");
    ASSERT_TRUE(meters.message);
    EXPECT_EQ(meters.message->kind, MessageKind::Meters);
    EXPECT_FALSE(meters.message->on);
}

}  // namespace
}  // namespace mixer::remote
