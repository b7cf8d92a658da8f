#include <gtest/gtest.h>

#include "remote/access.h"
#include "remote/http_rules.h"

namespace mixer::remote {
namespace {

const AccessCodes kCodes{"135790", {"200001", "200002", "200003", "200004", "200005", "200006"}};

ClientMessage Set(Control control, int index, int aux = 0) {
    ClientMessage m;
    m.kind = MessageKind::Set;
    m.control = control;
    m.index = index;
    m.aux = aux;
    return m;
}

TEST(RemoteAccess, CodesOpenTheirRoleOnly) {
    EXPECT_EQ(RoleOfCode(kCodes, "135790"), Role{0});
    EXPECT_EQ(RoleOfCode(kCodes, "200004"), Role{4});
    for (const char* wrong : {"", "13579", "1357900", "135791", "20000a"}) EXPECT_FALSE(RoleOfCode(kCodes, wrong)) << wrong;
}

TEST(RemoteAccess, DrawnCodesAreSixDigitsAndAllDifferent) {
    // A poor source that repeats itself must still give seven different codes.
    uint32_t n = 0;
    const AccessCodes codes = MakeAccessCodes([&] { return (n++ / 2) * 1'000'007u; });
    EXPECT_TRUE(ValidCodes(codes));
    EXPECT_EQ(codes.engineer, "000000");
    AccessCodes twice = kCodes;
    twice.monitor[5] = twice.engineer;
    EXPECT_FALSE(ValidCodes(twice));
}

TEST(RemoteAccess, AMonitorCodeChangesOnlyItsAuxSendsAndMaster) {
    struct Case {
        ClientMessage message;
        bool engineer, aux3;
    };
    const Case cases[] = {
        {Set(Control::Send, 5, 3), true, true},
        {Set(Control::Send, 5, 2), true, false},
        {Set(Control::OutLevel, 3), true, true},
        {Set(Control::OutMute, 3), true, true},
        {Set(Control::OutLevel, 0), true, false},
        {Set(Control::OutMute, 2), true, false},
        {Set(Control::OutBalance, 0), true, false},
        {Set(Control::StripLevel, 3), true, false},
        {Set(Control::StripMute, 3), true, false},
        {Set(Control::StripSolo, 3), true, false},
        {Set(Control::StripPan, 3), true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Allows(Role{0}, c.message), c.engineer);
        EXPECT_EQ(Allows(Role{3}, c.message), c.aux3) << static_cast<int>(c.message.control) << " " << c.message.index;
    }
}

TEST(RemoteAccess, FiveWrongCodesLockTheAddressForAMinuteAndNoOther) {
    LoginGate gate;
    for (int i = 0; i < 4; ++i) gate.Wrong("127.0.0.5", 1000);
    EXPECT_EQ(gate.WaitMs("127.0.0.5", 1000), 0);
    gate.Wrong("127.0.0.5", 2000);
    EXPECT_EQ(gate.WaitMs("127.0.0.5", 2000), kLockMs);
    EXPECT_EQ(gate.WaitMs("127.0.0.5", 2000 + kLockMs - 1), 1);
    EXPECT_EQ(gate.WaitMs("127.0.0.5", 2000 + kLockMs), 0);
    EXPECT_EQ(gate.WaitMs("127.0.0.6", 2000), 0);
    // A right code forgets the earlier wrong ones.
    for (int i = 0; i < 4; ++i) gate.Wrong("127.0.0.7", 0);
    gate.Right("127.0.0.7");
    gate.Wrong("127.0.0.7", 0);
    EXPECT_EQ(gate.WaitMs("127.0.0.7", 0), 0);
}

TEST(RemoteAccess, RateLimitLetsABurstThroughThenTheSustainedRate) {
    RateLimit limit(3, 10);
    int taken = 0;
    for (int i = 0; i < 10; ++i) taken += limit.Take(0);
    EXPECT_EQ(taken, 3);
    EXPECT_FALSE(limit.Take(99));
    EXPECT_TRUE(limit.Take(100));
    EXPECT_FALSE(limit.Take(100));
}

TEST(RemoteHttp, ServesOnlyThePagesFilesUnderAnAddressAndAcceptsOnlyItsOwnOrigin) {
    EXPECT_EQ(PageFileForPath("/")->resource, ":/remote/index.html");
    EXPECT_EQ(PageFileForPath("/app.js")->contentType, "text/javascript; charset=utf-8");
    for (const char* path : {"", "/../app.js", "/app.js/", "//app.js", "/remote.qrc", "/APP.JS", "/%2e%2e/etc/passwd"})
        EXPECT_FALSE(PageFileForPath(path)) << path;
    for (const char* host : {"127.0.0.1:8080", "192.168.1.20", "localhost:80"}) EXPECT_TRUE(HostAllowed(host)) << host;
    for (const char* host : {"", "evil.example:8080", "127.0.0.1:", "127.0.0.1:0", "127.0.0.1:99999", "1.2.3:80",
                             "[::1]:8080", "127.0.0.1:80:80"})
        EXPECT_FALSE(HostAllowed(host)) << host;
    EXPECT_TRUE(OriginAllowed("http://127.0.0.1:8080", "127.0.0.1:8080"));
    for (const char* origin : {"", "null", "http://127.0.0.1:8081", "https://127.0.0.1:8080", "http://evil.example:8080",
                               "http://127.0.0.1:8080/"})
        EXPECT_FALSE(OriginAllowed(origin, "127.0.0.1:8080")) << origin;
    EXPECT_FALSE(OriginAllowed("http://evil.example:8080", "evil.example:8080"));
}

}  // namespace
}  // namespace mixer::remote
