#include "host/device_address.h"

#include <gtest/gtest.h>

using namespace mixer;

TEST(DeviceAddress, DottedIPv4) {
    EXPECT_TRUE(IsDottedIPv4("127.0.0.1"));
    EXPECT_TRUE(IsDottedIPv4("0.0.0.0"));
    EXPECT_TRUE(IsDottedIPv4("255.255.255.255"));
    for (const char* bad : {"", "127.0.0", "127.0.0.1.", ".127.0.0.1", "127..0.1", "256.0.0.1", "1.2.3.4.5",
                            "1.2.3.0004", "1.2.3.x", " 1.2.3.4", "1.2.3.4 ", "-1.2.3.4", "mixer.local"}) {
        EXPECT_FALSE(IsDottedIPv4(bad)) << bad;
    }
}

TEST(DeviceAddress, ProfileValueRule) {
    const std::string current = "127.0.0.9";
    EXPECT_EQ(DeviceAddressFromProfile(std::nullopt, current), current);
    EXPECT_EQ(DeviceAddressFromProfile(std::string(""), current), std::string(kDefaultDeviceAddress));
    EXPECT_EQ(DeviceAddressFromProfile(std::string("   "), current), std::string(kDefaultDeviceAddress));
    EXPECT_EQ(DeviceAddressFromProfile(std::string("127.0.0.5"), current), "127.0.0.5");
    EXPECT_EQ(DeviceAddressFromProfile(std::string(" 127.0.0.5\r\n"), current), "127.0.0.5");
    // A value that could never be sent to is treated like an empty one.
    EXPECT_EQ(DeviceAddressFromProfile(std::string("127.0.0.500"), current), std::string(kDefaultDeviceAddress));
    EXPECT_EQ(DeviceAddressFromProfile(std::string("hello"), current), std::string(kDefaultDeviceAddress));
}
