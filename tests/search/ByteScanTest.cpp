#include "search/ByteScan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::ptrdiff_t naiveForward(const Bytes& data, const Bytes& needle) {
    if (needle.empty() || needle.size() > data.size()) {
        return -1;
    }
    for (std::size_t at = 0; at + needle.size() <= data.size(); ++at) {
        if (std::memcmp(data.data() + at, needle.data(), needle.size()) == 0) {
            return static_cast<std::ptrdiff_t>(at);
        }
    }
    return -1;
}

std::ptrdiff_t naiveBackward(const Bytes& data, const Bytes& needle) {
    if (needle.empty() || needle.size() > data.size()) {
        return -1;
    }
    for (std::size_t at = data.size() - needle.size() + 1; at-- > 0;) {
        if (std::memcmp(data.data() + at, needle.data(), needle.size()) == 0) {
            return static_cast<std::ptrdiff_t>(at);
        }
    }
    return -1;
}

void expectBothWays(const Bytes& data, const Bytes& needle, const char* what) {
    EXPECT_EQ(bytescan::findForward(data.data(), data.size(), needle.data(), needle.size()),
              naiveForward(data, needle))
        << what << " forward, needle " << needle.size() << " in " << data.size();
    EXPECT_EQ(bytescan::findBackward(data.data(), data.size(), needle.data(), needle.size()),
              naiveBackward(data, needle))
        << what << " backward, needle " << needle.size() << " in " << data.size();
}

TEST(ByteScanTest, RunsOfTheNeedlesOwnBytesGiveTheSameAnswerAsAPlainScan) {
    // Data where the first byte matches everywhere: after its budget of
    // comparisons the search goes on with the linear one, from where it was.
    for (const std::size_t length : {2U, 64U, 4096U}) {
        Bytes needle(length, 0x00);
        needle.back() = 0x01;
        Bytes zeros(64 * 1024 + 17, 0x00);
        expectBothWays(zeros, needle, "absent");
        for (const std::size_t at :
             {std::size_t{0}, std::size_t{1}, zeros.size() / 2, zeros.size() - length}) {
            Bytes data = zeros;
            std::memcpy(data.data() + at, needle.data(), length);
            expectBothWays(data, needle, "planted once");
            if (at + 3 * length < data.size()) {
                std::memcpy(data.data() + at + 2 * length, needle.data(), length);
                expectBothWays(data, needle, "planted twice");
            }
        }
    }
}

TEST(ByteScanTest, RandomDataOverSmallAlphabetsMatchesAPlainScan) {
    const unsigned seed = 5150;
    std::mt19937 random(seed);
    for (int round = 0; round < 3000; ++round) {
        const int alphabet = 1 + static_cast<int>(random() % 4);
        Bytes data(random() % 3000);
        for (auto& byte : data) {
            byte = static_cast<std::uint8_t>(random() % static_cast<unsigned>(alphabet));
        }
        Bytes needle(1 + random() % (round % 10 == 0 ? 200 : 12));
        for (auto& byte : needle) {
            byte = static_cast<std::uint8_t>(random() % static_cast<unsigned>(alphabet));
        }
        if (!data.empty() && random() % 2 == 0 && needle.size() <= data.size()) {
            const std::size_t at = random() % (data.size() - needle.size() + 1);
            std::memcpy(data.data() + at, needle.data(), needle.size());
        }
        SCOPED_TRACE(testing::Message() << "seed " << seed << " round " << round);
        expectBothWays(data, needle, "random");
    }
}

TEST(ByteScanTest, NothingIsFoundWithoutANeedleOrRoomForIt) {
    const Bytes data{1, 2, 3};
    EXPECT_EQ(bytescan::findForward(data.data(), 3, data.data(), 0), -1);
    EXPECT_EQ(bytescan::findBackward(data.data(), 3, data.data(), 0), -1);
    const Bytes longer{1, 2, 3, 4};
    EXPECT_EQ(bytescan::findForward(data.data(), 3, longer.data(), 4), -1);
    EXPECT_EQ(bytescan::findBackward(data.data(), 3, longer.data(), 4), -1);
    EXPECT_EQ(bytescan::findForward(data.data(), 3, data.data(), 3), 0);
    EXPECT_EQ(bytescan::findBackward(data.data(), 3, data.data(), 3), 0);
}

}  // namespace
