// IPv4 section from the raw address table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "sysinfo/ipv4_list.h"

namespace {

struct address {
    unsigned char octet[4];
};

// A table as GetIpAddrTable fills it: count, then 24-byte rows that begin
// with the address in network byte order.
std::vector<unsigned char> table_of(const std::vector<address>& rows) {
    std::vector<unsigned char> table(ipv4_table_size, 0xEE);
    const unsigned count = static_cast<unsigned>(rows.size());
    std::memcpy(table.data(), &count, 4);  // the platform writes it little-endian
    for (std::size_t r = 0; r < rows.size() && r < ipv4_table_rows; ++r)
        std::memcpy(table.data() + 4 + r * ipv4_row_size, rows[r].octet, 4);
    return table;
}

std::string section(const std::vector<address>& rows, int german) {
    const std::vector<unsigned char> table = table_of(rows);
    char out[1024];
    std::memset(out, 'x', sizeof out);
    compose_ipv4_section(out, sizeof out, table.data(), static_cast<int>(table.size()), german);
    return out;
}

std::vector<address> numbered(int n) {
    std::vector<address> rows;
    for (int i = 1; i <= n; ++i) rows.push_back({{10, 0, 0, static_cast<unsigned char>(i)}});
    return rows;
}

}  // namespace

TEST(Ipv4Section, SingularHeadingForOneAddress) {
    EXPECT_EQ(section({{{127, 0, 0, 1}}}, 0), "\r\n\r\n IPv4-Address: 127.0.0.1");
    EXPECT_EQ(section({{{127, 0, 0, 1}}}, 1), "\r\n\r\n IPv4-Adresse: 127.0.0.1");
    // A zero row does not count: still one address.
    EXPECT_EQ(section({{{0, 0, 0, 0}}, {{192, 168, 7, 1}}}, 0), "\r\n\r\n IPv4-Address: 192.168.7.1");
}

TEST(Ipv4Section, FourToALineWithLanguageIndent) {
    EXPECT_EQ(section(numbered(2), 1), "\r\n\r\n IPv4-Adressen: 10.0.0.1, 10.0.0.2");
    EXPECT_EQ(section(numbered(4), 0), "\r\n\r\n IPv4-Addresses: 10.0.0.1, 10.0.0.2, 10.0.0.3, 10.0.0.4");
    EXPECT_EQ(section(numbered(5), 0),
              "\r\n\r\n IPv4-Addresses: 10.0.0.1, 10.0.0.2, 10.0.0.3, 10.0.0.4\r\n" + std::string(16, ' ') +
                  " 10.0.0.5");
    EXPECT_EQ(section(numbered(5), 1),
              "\r\n\r\n IPv4-Adressen: 10.0.0.1, 10.0.0.2, 10.0.0.3, 10.0.0.4\r\n" + std::string(15, ' ') +
                  " 10.0.0.5");
    const std::string indent(16, ' ');
    EXPECT_EQ(section(numbered(15), 0),
              "\r\n\r\n IPv4-Addresses: 10.0.0.1, 10.0.0.2, 10.0.0.3, 10.0.0.4\r\n" + indent +
                  " 10.0.0.5, 10.0.0.6, 10.0.0.7, 10.0.0.8\r\n" + indent +
                  " 10.0.0.9, 10.0.0.10, 10.0.0.11, 10.0.0.12\r\n" + indent + " 10.0.0.13, 10.0.0.14, 10.0.0.15");
}

TEST(Ipv4Section, ZeroRowsSkippedAndDoNotCountTowardsALine) {
    std::vector<address> rows = numbered(4);
    rows.insert(rows.begin() + 2, {{0, 0, 0, 0}});
    rows.push_back({{0, 0, 0, 0}});
    EXPECT_EQ(section(rows, 0), "\r\n\r\n IPv4-Addresses: 10.0.0.1, 10.0.0.2, 10.0.0.3, 10.0.0.4");
    EXPECT_EQ(section({{{0, 0, 0, 0}}, {{0, 0, 0, 0}}}, 0), "");
    EXPECT_EQ(section({}, 1), "");
}

TEST(Ipv4Section, DottedOrderFromNetworkByteOrder) {
    // 192.x.x.1 in memory as the platform holds it: 192 at the lowest address.
    EXPECT_EQ(section({{{192, 168, 178, 1}}, {{255, 0, 255, 254}}}, 0),
              "\r\n\r\n IPv4-Addresses: 192.168.178.1, 255.0.255.254");
    EXPECT_EQ(section({{{10, 0, 0, 0}}, {{0, 1, 0, 0}}, {{0, 0, 2, 0}}, {{0, 0, 0, 3}}}, 0),
              "\r\n\r\n IPv4-Addresses: 10.0.0.0, 0.1.0.0, 0.0.2.0, 0.0.0.3");  // only 0.0.0.0 is skipped
}

TEST(Ipv4Section, EntryCountNeverReadsBeyondTheTable) {
    std::vector<unsigned char> table = table_of(numbered(15));
    const unsigned lying_count = 1000;
    std::memcpy(table.data(), &lying_count, 4);
    char out[1024];
    compose_ipv4_section(out, sizeof out, table.data(), static_cast<int>(table.size()), 0);
    EXPECT_NE(std::string(out).find(" 10.0.0.15"), std::string::npos);
    // A short table holds fewer rows: only those are read.
    compose_ipv4_section(out, sizeof out, table.data(), 4 + 2 * ipv4_row_size, 0);
    EXPECT_EQ(std::string(out), "\r\n\r\n IPv4-Addresses: 10.0.0.1, 10.0.0.2");
    compose_ipv4_section(out, sizeof out, table.data(), 4 + 3 * ipv4_row_size - 1, 0);  // short last row
    EXPECT_EQ(std::string(out), "\r\n\r\n IPv4-Addresses: 10.0.0.1, 10.0.0.2");
    const unsigned char three[3] = {1, 0, 0};
    compose_ipv4_section(out, sizeof out, three, 3, 0);
    EXPECT_EQ(std::string(out), "");
    compose_ipv4_section(out, sizeof out, nullptr, ipv4_table_size, 0);
    EXPECT_EQ(std::string(out), "");
    // Each byte of the count counts: 256, 65536 and 2^24 are all more than the rows.
    for (unsigned count : {0x100u, 0x10000u, 0x1000000u}) {
        std::memcpy(table.data(), &count, 4);
        compose_ipv4_section(out, sizeof out, table.data(), static_cast<int>(table.size()), 0);
        EXPECT_NE(std::string(out).find(" 10.0.0.15"), std::string::npos) << count;
    }
    // Zero rows do not count towards the 32, so each lower byte of the count matters.
    for (unsigned count : {0x100u, 0x10000u}) {
        std::vector<unsigned char> sparse(4 + (count + 1) * ipv4_row_size, 0);
        std::memcpy(sparse.data(), &count, 4);
        for (unsigned row : {0u, count - 1, count})  // 10.0.0.1, 10.0.0.2 counted; 10.0.0.3 past the count
            sparse[4 + row * ipv4_row_size] = 10, sparse[7 + row * ipv4_row_size] = row == 0 ? 1 : row < count ? 2 : 3;
        compose_ipv4_section(out, sizeof out, sparse.data(), static_cast<int>(sparse.size()), 0);
        EXPECT_EQ(std::string(out), "\r\n\r\n IPv4-Addresses: 10.0.0.1, 10.0.0.2") << count;
    }
    // A longer table than the query's: collecting stops at 32 addresses.
    std::vector<unsigned char> big(4 + 40 * ipv4_row_size, 1);
    char wide[2048];
    compose_ipv4_section(wide, sizeof wide, big.data(), static_cast<int>(big.size()), 0);
    int listed = 0;
    for (const char* at = std::strstr(wide, "1.1.1.1"); at != nullptr; at = std::strstr(at + 1, "1.1.1.1")) ++listed;
    EXPECT_EQ(listed, 32);
    // A small output is cut, not overrun.
    char small[24];
    compose_ipv4_section(small, sizeof small, table.data(), static_cast<int>(table.size()), 0);
    EXPECT_EQ(std::string(small), "\r\n\r\n IPv4-Addresses: 10");
    compose_ipv4_section(small, 1, table.data(), static_cast<int>(table.size()), 0);
    EXPECT_EQ(std::string(small, 2), std::string("\0\n", 2));
}
