#include <gtest/gtest.h>

#include <cctype>

#include "link/reset_defaults.h"
#include "link/wire_format.h"
#include "sim/line_splitter.h"
#include "sim/panel_command.h"

using namespace mixer;

TEST(PanelCommand, AppliesCommandsWithOrWithoutTheirChecksumAndRefusesTheRest) {
    const std::string full = FormatMessage('A', {"01", "03", "00", "46"});  // strip 3 to level 0x46
    std::string lowerChecksum = full;  // B510#
    for (std::size_t i = full.size() - 5; i + 1 < full.size(); ++i)
        lowerChecksum[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(full[i])));
    struct Case {
        std::string line;
        PanelOutcome outcome;
        const char* reason;  // a word of the error for a refused line
    };
    const Case cases[] = {
        {full, PanelOutcome::kApplied, ""},
        {lowerChecksum, PanelOutcome::kApplied, ""},
        {"%A,01,03,00,46,#", PanelOutcome::kApplied, ""},
        {"%A,01,03,00,46,", PanelOutcome::kApplied, ""},
        {"%A,01,03,00,46#", PanelOutcome::kApplied, ""},
        {" \t" + full + "\r", PanelOutcome::kApplied, ""},
        {"", PanelOutcome::kBlank, ""},
        {" \r", PanelOutcome::kBlank, ""},
        {"%A,01,03,00,46,0000#", PanelOutcome::kRefused, "checksum"},
        {"A,01,03,00,46,", PanelOutcome::kRefused, "%"},
        {std::string(kMaxMessageLength + 1, '%'), PanelOutcome::kRefused, "longer"},
        {"%Z,01,", PanelOutcome::kRefused, "not a command"},
        {"%A,01,63,00,46,", PanelOutcome::kRefused, "not a command"},
        {"%A,01,03,00,4G,", PanelOutcome::kRefused, "not a command"},
        {"%A,01,03#", PanelOutcome::kRefused, "not a command"},
        {"%", PanelOutcome::kRefused, "not a command"},
    };
    for (const Case& c : cases) {
        MixerState state{};
        ResetDefaults(state);
        const int before = state.strips[2].level;
        std::string error;
        EXPECT_EQ(ApplyPanelLine(c.line, state, error), c.outcome) << c.line;
        EXPECT_EQ(state.strips[2].level, c.outcome == PanelOutcome::kApplied ? 0x46 : before) << c.line;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.line << ": " << error;
    }
}

TEST(LineSplitter, CutsPiecesIntoLinesAndKeepsLongOnesShort) {
    struct Case {
        std::vector<std::string> pieces;
        std::vector<std::string> lines;
        std::optional<std::string> rest;
    };
    const Case cases[] = {
        {{"a\nb\n"}, {"a", "b"}, std::nullopt},
        {{"ab", "c\nd"}, {"abc"}, "d"},
        {{"a\r\n", "\n"}, {"a\r", ""}, std::nullopt},
        {{"abcdef", "gh\nxyz\n"}, {"abcd", "xyz"}, std::nullopt},  // at most 3, and one more to show it
        {{"abcdefgh"}, {}, "abcd"},
    };
    for (const Case& c : cases) {
        LineSplitter splitter(3);
        std::vector<std::string> lines;
        for (const std::string& piece : c.pieces) splitter.Feed(piece, lines);
        EXPECT_EQ(lines, c.lines) << ::testing::PrintToString(c.pieces);
        EXPECT_EQ(splitter.Finish(), c.rest) << ::testing::PrintToString(c.pieces);
    }
}
