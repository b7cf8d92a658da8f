#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include <QCommandLineParser>

using namespace mixer;

namespace {

// Parses arguments (without the program name) into options.
bool Read(const QStringList& arguments, SimOptions& options, QString& error) {
    QCommandLineParser parser;
    AddSimOptions(parser);
    if (!parser.parse(QStringList{"mixer-sim"} + arguments)) {
        error = parser.errorText();
        return false;
    }
    return ReadSimOptions(parser, options, error);
}

}  // namespace

TEST(SimOptions, DefaultsAndEveryOption) {
    SimOptions o;
    QString error;
    ASSERT_TRUE(Read({}, o, error));
    EXPECT_EQ(o.address, "127.0.0.2");
    EXPECT_EQ(o.port, 5000);
    EXPECT_EQ(o.version, "12");
    EXPECT_EQ(o.meterRateHz, 20);
    EXPECT_EQ(o.answerFromRequest, 1);
    EXPECT_LT(o.stopMetersAfter, 0);
    EXPECT_FALSE(o.verbose);
    EXPECT_FALSE(o.neverAnswer);
    EXPECT_LT(o.dropAckOfBlock, 0);
    EXPECT_FALSE(o.refuseFirmware);
    EXPECT_FALSE(o.incoming.Any() || o.outgoing.Any());
    EXPECT_TRUE(o.panelFiles.isEmpty());
    EXPECT_FALSE(o.panelStdin);

    ASSERT_TRUE(Read({"--address", "127.0.0.9", "--port", "6001", "--version", "07", "--meter-rate", "50", "--verbose",
                      "--answer-from", "2", "--stop-meters-after", "1.5", "--never-answer", "--drop-ack", "3",
                      "--refuse-firmware", "--loss", "0.25", "--loss-out", "1", "--duplicate", "0.5", "--reorder",
                      "0", "--seed", "18446744073709551615", "--panel", "a.txt", "--panel", "-", "--panel", "b"},
                     o, error))
        << error.toStdString();
    EXPECT_EQ(o.address, "127.0.0.9");
    EXPECT_EQ(o.port, 6001);
    EXPECT_EQ(o.version, "07");
    EXPECT_EQ(o.meterRateHz, 50);
    EXPECT_EQ(o.answerFromRequest, 2);
    EXPECT_DOUBLE_EQ(o.stopMetersAfter, 1.5);
    EXPECT_TRUE(o.verbose);
    EXPECT_TRUE(o.neverAnswer);
    EXPECT_EQ(o.dropAckOfBlock, 3);
    EXPECT_TRUE(o.refuseFirmware);
    EXPECT_DOUBLE_EQ(o.incoming.loss, 0.25);
    EXPECT_DOUBLE_EQ(o.outgoing.loss, 1);
    EXPECT_DOUBLE_EQ(o.incoming.duplicate, 0.5);
    EXPECT_DOUBLE_EQ(o.outgoing.duplicate, 0.5);
    EXPECT_DOUBLE_EQ(o.outgoing.reorder, 0);
    EXPECT_EQ(o.seed, UINT64_MAX);
    EXPECT_EQ(o.panelFiles, QStringList({"a.txt", "b"}));
    EXPECT_TRUE(o.panelStdin);

    ASSERT_TRUE(Read({"--loss-in", "1", "--reorder", "1"}, o, error)) << error.toStdString();
    EXPECT_DOUBLE_EQ(o.incoming.loss, 1);
    EXPECT_DOUBLE_EQ(o.outgoing.loss, 0);
    EXPECT_DOUBLE_EQ(o.incoming.reorder, 1);
    EXPECT_DOUBLE_EQ(o.outgoing.reorder, 1);
}

TEST(SimOptions, ValuesOutOfRangeAreRefusedWithTheirOption) {
    const std::vector<QStringList> bad = {
        {"--address", "localhost"}, {"--address", "127.0.0.256"}, {"--port", "0"},  {"--port", "70000"},
        {"--port", "x"},            {"--version", "1"},          {"--version", "123"}, {"--version", "1a"},
        {"--meter-rate", "0"},      {"--meter-rate", "1000"},    {"--answer-from", "0"}, {"--stop-meters-after", "-1"},
        {"--stop-meters-after", "inf"}, {"--drop-ack", "-1"}, {"--drop-ack", "x"}, {"--bogus"},
        {"--loss", "1.01"},         {"--loss", "-0.1"},          {"--loss", "x"},      {"--loss-in", "nan"},
        {"--loss-out", "2"},        {"--duplicate", "inf"},      {"--reorder", "-1"},  {"--seed", "-1"},
        {"--seed", "1.5"},          {"--seed", "18446744073709551616"}, {"--panel", ""},
    };
    for (const QStringList& args : bad) {
        SimOptions o;
        QString error;
        EXPECT_FALSE(Read(args, o, error)) << args.join(' ').toStdString();
        EXPECT_TRUE(error.contains(args[0].mid(2))) << error.toStdString();
    }
}
