#include "host/editor_options.h"
#include "console/layout.h"

#include <gtest/gtest.h>

using namespace mixer;

TEST(EditorOptions, DefaultsWithoutArguments) {
    const ParsedOptions p = ParseEditorOptions({});
    EXPECT_TRUE(p.error.empty());
    EXPECT_FALSE(p.help);
    EXPECT_FALSE(p.options.language.has_value());
    EXPECT_EQ(p.options.port, 5000);
    EXPECT_EQ(p.options.bindAddress, "0.0.0.0");
    EXPECT_FALSE(p.options.deviceAddress.has_value());
    EXPECT_FALSE(p.options.connect);
    EXPECT_FALSE(p.options.demo);
    EXPECT_TRUE(p.options.screenshotFile.empty());
}

TEST(EditorOptions, EveryOptionInBothSpellings) {
    const ParsedOptions p = ParseEditorOptions({"--data-dir", "/tmp/d", "--profile=/tmp/p.ini", "--device",
                                                "127.0.0.2", "--bind=127.0.0.1", "--port", "5001", "--language=1",
                                                "--update-url", "http://127.0.0.1:8080/u.txt", "--connect",
                                                "--screenshot", "out.png", "--resync=2.5", "--remote", "8080"});
    ASSERT_TRUE(p.error.empty()) << p.error;
    const EditorOptions& o = p.options;
    EXPECT_EQ(o.dataDir, "/tmp/d");
    EXPECT_EQ(o.profileFile, "/tmp/p.ini");
    EXPECT_EQ(o.deviceAddress, "127.0.0.2");
    EXPECT_EQ(o.bindAddress, "127.0.0.1");
    EXPECT_EQ(o.port, 5001);
    EXPECT_EQ(o.language, 1);
    EXPECT_EQ(o.updateUrl, "http://127.0.0.1:8080/u.txt");
    EXPECT_TRUE(o.connect);
    EXPECT_FALSE(o.demo);
    EXPECT_EQ(o.screenshotFile, "out.png");
    EXPECT_EQ(o.resyncMs, 2500);
    EXPECT_EQ(o.remotePort, 8080);

    EXPECT_TRUE(ParseEditorOptions({"--demo"}).options.demo);
    EXPECT_TRUE(ParseEditorOptions({"--discover"}).options.discover);
    EXPECT_TRUE(ParseEditorOptions({"--help"}).help);
    EXPECT_TRUE(ParseEditorOptions({"--port", "1", "-h"}).help);
}

TEST(EditorOptions, ErrorsNameTheOptionAndTheValue) {
    auto error = [](std::vector<std::string> args) { return ParseEditorOptions(args).error; };
    EXPECT_EQ(error({"--port", "0"}), "--port needs a number from 1 to 65535, not \"0\"");
    EXPECT_EQ(error({"--port=65536"}), "--port needs a number from 1 to 65535, not \"65536\"");
    EXPECT_EQ(error({"--port", "50x"}), "--port needs a number from 1 to 65535, not \"50x\"");
    EXPECT_EQ(error({"--language", "3"}), "--language needs 1 (English) or 2 (Chinese), not \"3\"");
    EXPECT_EQ(error({"--remote", "0"}), "--remote needs a port from 1 to 65535, not \"0\"");
    EXPECT_EQ(error({"--resync", "0.05"}), "--resync needs seconds from 0.1 to 3600, or 0 for never, not \"0.05\"");
    EXPECT_EQ(error({"--device", "192.168.1"}),
              "--device needs an IPv4 address such as 127.0.0.1, not \"192.168.1\"");
    EXPECT_EQ(error({"--bind=localhost"}), "--bind needs an IPv4 address such as 127.0.0.1, not \"localhost\"");
    EXPECT_EQ(error({"--port"}), "--port needs a value");
    EXPECT_EQ(error({"--profile="}), "--profile needs a value");
    EXPECT_EQ(error({"--colour", "red"}), "unknown option \"--colour\"");
    EXPECT_EQ(error({"scene.dat"}), "unexpected argument \"scene.dat\"");
    EXPECT_EQ(error({"--demo=yes"}), "--demo takes no value");
    EXPECT_EQ(error({"--discover=all"}), "--discover takes no value");
    EXPECT_EQ(error({"--demo", "--discover"}), "--discover searches the network and opens no window; leave out --demo");
    EXPECT_EQ(error({"--demo", "--device", "127.0.0.2"}),
              "--demo chooses the simulated mixer's address itself; leave out --device");
    EXPECT_EQ(error({"--demo", "--bind", "203.0.113.5"}),
              "--demo stays on loopback; --bind must be a 127.x.x.x address, not \"203.0.113.5\"");
    EXPECT_EQ(error({"--bind", "0.0.0.0"}), "");
}

TEST(EditorOptions, DemoKeepsToLoopbackAndConnects) {
    EditorOptions o = ParseEditorOptions({"--demo", "--port", "5002"}).options;
    PointAtDemoMixer(o);
    EXPECT_EQ(o.deviceAddress, "127.0.0.2");
    EXPECT_EQ(o.bindAddress, "127.0.0.1");
    EXPECT_EQ(o.port, 5002);
    EXPECT_TRUE(o.connect);

    EditorOptions chosen = ParseEditorOptions({"--demo", "--bind", "127.0.0.9"}).options;
    PointAtDemoMixer(chosen);
    EXPECT_EQ(chosen.bindAddress, "127.0.0.9");

    EXPECT_TRUE(IsLoopback("127.255.0.1"));
    EXPECT_FALSE(IsLoopback("128.0.0.1"));
    EXPECT_FALSE(IsLoopback("127.0.0"));
}

TEST(EditorOptions, OscListensOnLoopbackUnlessTheSendersAreListed) {
    const EditorOptions defaults = ParseEditorOptions({}).options;
    EXPECT_FALSE(defaults.oscPort.has_value());
    EXPECT_EQ(defaults.oscBind, "127.0.0.1");

    const ParsedOptions p = ParseEditorOptions(
        {"--osc", "9001", "--osc-bind=0.0.0.0", "--osc-allow", "127.0.0.2,127.0.0.3", "--osc-allow=127.0.0.4"});
    ASSERT_TRUE(p.error.empty()) << p.error;
    EXPECT_EQ(p.options.oscPort, 9001);
    EXPECT_EQ(p.options.oscBind, "0.0.0.0");
    EXPECT_EQ(p.options.oscAllow, (std::vector<std::string>{"127.0.0.2", "127.0.0.3", "127.0.0.4"}));

    auto error = [](std::vector<std::string> args) { return ParseEditorOptions(args).error; };
    EXPECT_EQ(error({"--osc", "0"}), "--osc needs a number from 1 to 65535, not \"0\"");
    EXPECT_EQ(error({"--osc-allow", "127.0.0.2,"}), "--osc-allow needs an IPv4 address such as 127.0.0.1, not \"\"");
    EXPECT_EQ(error({"--osc-bind", "0.0.0.0"}),
              "OSC has no authentication: beyond loopback, --osc-bind 0.0.0.0 needs --osc-allow with the addresses "
              "to answer");
    EXPECT_EQ(error({"--osc-bind", "127.0.0.5"}), "");
}

TEST(EditorOptions, HelpNamesEveryOption) {
    const std::string help = EditorHelpText();
    for (const char* option : {"--data-dir", "--profile", "--device", "--bind", "--port", "--language",
                               "--update-url", "--connect", "--demo", "--discover", "--screenshot", "--resync",
                               "--help", "--osc", "--osc-bind", "--osc-allow", "--remote"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
}

TEST(EditorOptions, PageNamesAChannelOrOutputCountingFromOne) {
    auto page = [](const std::string& text) { return ParseEditorOptions({"--page", text}); };
    using View = PageRequest::View;
    EXPECT_EQ(page("peq:3").options.page, (PageRequest{View::InputDetail, 2, kModulePeq, 0}));
    EXPECT_EQ(page("peq:18").options.page, (PageRequest{View::InputDetail, 17, kModulePeq, 0}));
    EXPECT_EQ(page("dynamics").options.page, (PageRequest{View::InputDetail, 0, kModuleGateComp, 0}));
    EXPECT_EQ(page("geq:1").options.page, (PageRequest{View::OutputDetail, 0, kModuleGeq, 0}));
    EXPECT_EQ(page("limiter:8").options.page, (PageRequest{View::OutputDetail, 7, kModuleLimiter, 0}));
    EXPECT_EQ(page("effect").options.page, (PageRequest{View::InputDetail, 16, kModuleEffect, 0}));
    EXPECT_EQ(page("phantom").options.page, (PageRequest{View::Console, 0, 0, kModePhantom}));
    EXPECT_EQ(page("system").options.page, (PageRequest{View::Console, 0, 0, kModeSystem, kTabConnect}));
    EXPECT_EQ(page("system:connect").options.page, (PageRequest{View::Console, 0, 0, kModeSystem, kTabConnect}));
    EXPECT_EQ(page("system:limit").options.page, (PageRequest{View::Console, 0, 0, kModeSystem, kTabLimit}));
    EXPECT_EQ(page("system:show").options.page, (PageRequest{View::Console, 0, 0, kModeSystem, kTabShow}));
    EXPECT_EQ(page("system:help").options.page, (PageRequest{View::Console, 0, 0, kModeSystem, kTabHelp}));
    EXPECT_EQ(page("system:remote").options.page, (PageRequest{View::Console, 0, 0, kModeSystem, kTabRemote}));
    EXPECT_EQ(ParseEditorOptions({"--page=view-groups"}).options.page,
              (PageRequest{View::Console, 0, 0, kModeViewGroups}));
    EXPECT_FALSE(ParseEditorOptions({}).options.page.has_value());

    EXPECT_EQ(page("peq:0").error, "--page peq needs a number from 1 to 18, not \"0\"");
    EXPECT_EQ(page("geq:9").error, "--page geq needs a number from 1 to 8, not \"9\"");
    EXPECT_EQ(page("sends:").error, "--page sends needs a number from 1 to 18, not \"\"");
    EXPECT_EQ(page("sends:2x").error, "--page sends needs a number from 1 to 18, not \"2x\"");
    EXPECT_EQ(page("effect:1").error, "--page effect takes no number");
    EXPECT_EQ(page("phantom:2").error, "--page phantom takes no number");
    EXPECT_EQ(page("system:2").error, "--page system takes a tab: connect, limit, show, help or remote, not \"2\"");
    EXPECT_EQ(page("system:").error, "--page system takes a tab: connect, limit, show, help or remote, not \"\"");
    EXPECT_EQ(page("eq:1").error, "--page does not know the page \"eq\" (--help lists the pages)");
    EXPECT_EQ(page("").error, "--page does not know the page \"\" (--help lists the pages)");
}
