#include "link/dotted_ipv4.h"

#include <gtest/gtest.h>

using mixer::IsDottedIpv4;

TEST(DottedIpv4, AcceptsFourDecimalsUpTo255) {
    for (const char* text : {"127.0.0.2", "0.0.0.0", "255.255.255.255", "203.0.113.199"}) EXPECT_TRUE(IsDottedIpv4(text)) << text;
}

TEST(DottedIpv4, RejectsEverythingElse) {
    for (const char* text : {"", "127.0.0", "127.0.0.1.5", "256.0.0.1", "1.2.3.1000", "127.0.0.01", "127..0.1",
                             ".127.0.0.1", "127.0.0.1.", " 127.0.0.1", "127.0.0.1 ", "+1.2.3.4", "-1.2.3.4", "a.b.c.d",
                             "127.0.0.1x", "0x7f.0.0.1", "localhost", "::1", "1.2.3.4/24", "99999999999.1.1.1"})
        EXPECT_FALSE(IsDottedIpv4(text)) << text;
}
