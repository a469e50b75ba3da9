// Windows name, edition, bitness and service-pack text from the version queries.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "sysinfo/windows_version.h"
#include "tests/expected/windows_editions.h"

namespace {

version_queries workstation(unsigned major, unsigned minor, unsigned build = 7601) {
    version_queries q{};
    q.basic_ok = 1;
    q.basic_major = major;
    q.basic_minor = minor;
    q.basic_build = build;
    q.extended_ok = 1;
    q.extended_major = major;
    q.extended_minor = minor;
    q.extended_build = build;
    q.product_type_nt = 1;
    return q;
}

version_queries server(unsigned major, unsigned minor, unsigned build = 7601) {
    version_queries q = workstation(major, minor, build);
    q.product_type_nt = 3;
    return q;
}

struct described {
    int count;
    int major, minor, build;
    std::string text;
};

described describe(const version_queries& q) {
    described d{};
    char buffer[512];
    std::memset(buffer, 'x', sizeof buffer);
    d.major = d.minor = d.build = -99;
    d.count = describe_windows_version_from(q, buffer, sizeof buffer, d.major, d.minor, d.build);
    d.text = buffer;
    return d;
}

const char* const bits = " (64Bit Windows Version) ";

}  // namespace

TEST(WindowsVersion, NamesByVersionAndServerFlag) {
    struct row {
        unsigned major, minor;
        bool is_server;
        const char* expected;
        unsigned build;  // 0: any build
    };
    const row rows[] = {
        {5, 1, false, "Windows XP (64Bit Windows Version) "},
        {5, 1, true, "Windows XP (64Bit Windows Version) "},  // no server step at or below 5
        {5, 0, false, "Windows 2000 "},
        {5, 0, true, "Windows 2000 Server "},
        {5, 2, false, "Windows XP x64 Edition (64Bit Windows Version) "},
        {5, 2, true, "Windows Server 2003 (64Bit Windows Version) "},
        {5, 3, false, "Windows unknown Version (64Bit Windows Version) "},
        {5, 3, true, "Windows unknown Version (64Bit Windows Version) "},
        {6, 0, false, "Windows Vista (64Bit Windows Version) "},
        {6, 0, true, "Windows Server 2008 (64Bit Windows Version) "},
        {6, 1, true, "Windows Server 2008 R2 (64Bit Windows Version) "},
        {6, 2, false, "Windows 8 (64Bit Windows Version) "},
        {6, 2, true, "Windows Server 2012 (64Bit Windows Version) "},
        {6, 3, false, "Windows 8.1 (64Bit Windows Version) "},
        {6, 3, true, "Windows Server 2012 R2 (64Bit Windows Version) "},
        {6, 4, false, "Windows unknown Version (64Bit Windows Version) "},
        {6, 0xFFFFFFFFu, false, "Windows unknown Version (64Bit Windows Version) "},  // minor -1 as int
        {10, 0, false, "Windows 10 (64Bit Windows Version) "},
        {10, 7, false, "Windows 10 (64Bit Windows Version) "},
        {10, 0, true, "Windows Server 2016 (64Bit Windows Version) "},
        // Major 10 throughout: the build names the system.
        {10, 0, false, "Windows 10 (64Bit Windows Version) ", 21999},
        {10, 0, false, "Windows 11 (64Bit Windows Version) ", 22000},
        {10, 0, false, "Windows 11 (64Bit Windows Version) ", 26100},
        {10, 0, true, "Windows Server 2016 (64Bit Windows Version) ", 17762},
        {10, 0, true, "Windows Server 2019 (64Bit Windows Version) ", 17763},
        {10, 0, true, "Windows Server 2019 (64Bit Windows Version) ", 20347},
        {10, 0, true, "Windows Server 2022 (64Bit Windows Version) ", 20348},
        {10, 0, true, "Windows Server 2022 (64Bit Windows Version) ", 26099},
        {10, 0, true, "Windows Server 2025 (64Bit Windows Version) ", 26100},
        {6, 3, false, "Windows 8.1 (64Bit Windows Version) ", 22000},  // the build matters only on 10
        {7, 0, false, "Windows unknown Version (64Bit Windows Version) "},
        {9, 0, true, "Windows unknown Version (64Bit Windows Version) "},
        {11, 0, false, "Windows unknown Version (64Bit Windows Version) "},
    };
    for (const row& r : rows) {
        const unsigned build = r.build != 0 ? r.build : 7601;
        const described d =
            describe(r.is_server ? server(r.major, r.minor, build) : workstation(r.major, r.minor, build));
        EXPECT_EQ(d.text, r.expected) << r.major << "." << r.minor << "." << build << (r.is_server ? " server" : "");
        EXPECT_EQ(d.count, 2);
        EXPECT_EQ(d.major, static_cast<int>(r.major));
        EXPECT_EQ(d.minor, static_cast<int>(r.minor));
    }
}

TEST(WindowsVersion, EditionWordsAndSuffixes) {
    for (const expected_edition& r : expected_editions) {
        version_queries q = workstation(6, 1);
        q.product_info_found = 1;
        q.product_type = r.type;
        EXPECT_EQ(describe(q).text, std::string("Windows 7") + r.edition + bits) << "type " << r.type;
    }
    // A server with a type outside the table keeps its plain name.
    version_queries q = server(10, 0);
    q.product_info_found = 1;
    q.product_type = 7;
    EXPECT_EQ(describe(q).text, std::string("Windows Server 2016") + bits);
}

TEST(WindowsVersion, EditionOnlyWithBothQueriesAndMajorAboveFive) {
    version_queries q = workstation(6, 1);
    q.product_info_found = 1;
    q.product_type = 1;
    q.extended_ok = 0;  // count 1: never an edition
    described d = describe(q);
    EXPECT_EQ(d.count, 1);
    EXPECT_EQ(d.text, std::string("Windows 7") + bits);

    q = workstation(5, 1);
    q.product_info_found = 1;
    q.product_type = 1;
    EXPECT_EQ(describe(q).text, std::string("Windows XP") + bits);

    q = workstation(6, 1);
    q.product_info_found = 0;  // entry point missing
    q.product_type = 1;
    EXPECT_EQ(describe(q).text, std::string("Windows 7") + bits);
}

TEST(WindowsVersion, ServicePackTextFromNineToFortySevenCharacters) {
    const struct {
        int length;
        bool shown;
    } cases[] = {{0, false}, {8, false}, {9, true}, {47, true}, {48, false}, {127, false}};
    for (const auto& c : cases) {
        version_queries q = workstation(6, 1);
        std::memset(q.csd_version, 0, sizeof q.csd_version);
        std::memset(q.csd_version, 'S', c.length);
        const std::string expected =
            std::string("Windows 7") + bits + (c.shown ? std::string(c.length, 'S') : std::string());
        EXPECT_EQ(describe(q).text, expected) << "length " << c.length;
    }
    // A text that fills the whole field without a terminator is read no further.
    version_queries q = workstation(6, 1);
    std::memset(q.csd_version, 'S', sizeof q.csd_version);
    EXPECT_EQ(describe(q).text, std::string("Windows 7") + bits);
}

TEST(WindowsVersion, BuildNumbersAndKernelAnswer) {
    version_queries q = workstation(6, 2, 0x12345);
    described d = describe(q);
    EXPECT_EQ(d.build, 0x2345);  // version queries keep only the low 16 bits

    q.rtl_ok = 1;
    q.rtl_major = 10;
    q.rtl_minor = 0;
    q.rtl_build = 0x12345;
    d = describe(q);
    EXPECT_EQ(d.major, 10);
    EXPECT_EQ(d.minor, 0);
    EXPECT_EQ(d.build, 0x12345);  // whole from the kernel
    // and the name follows the whole build (its low 16 bits, 9029, would say "10")
    EXPECT_EQ(d.text, std::string("Windows 11") + bits);
    EXPECT_EQ(d.count, 2);

    // The kernel answer replaces the figures even when the extended query failed.
    q.extended_ok = 0;
    d = describe(q);
    EXPECT_EQ(d.count, 1);
    EXPECT_EQ(d.major, 10);

    // Without the kernel's answer the extended query's figures replace the basic one's.
    q = workstation(10, 0, 19045);
    q.basic_major = 6, q.basic_minor = 1, q.basic_build = 7600;
    d = describe(q);
    EXPECT_EQ(d.text, std::string("Windows 10") + bits);
    EXPECT_EQ(d.minor * 100000 + d.build, 19045);

    // The kernel is asked only while major, as the queries now stand, is above 4.
    for (unsigned extended_major : {5u, 4u}) {
        q = workstation(5, 1);
        q.extended_major = extended_major, q.rtl_ok = 1, q.rtl_major = 10;
        EXPECT_EQ(describe(q).major, extended_major == 5 ? 10 : 4);
    }
}

TEST(WindowsVersion, OldOrUnknownSystems) {
    version_queries q{};  // basic query failed
    q.extended_ok = 1;
    q.extended_major = 6;
    q.rtl_ok = 1;
    q.rtl_major = 10;
    std::memset(q.csd_version, 'S', 20);
    described d = describe(q);
    EXPECT_EQ(d.count, 0);
    EXPECT_EQ(d.major, 0);
    EXPECT_EQ(d.minor, 0);
    EXPECT_EQ(d.build, 0);
    EXPECT_EQ(d.text, "Windows unknown Version ");

    // Major 4: no extended query, no kernel query, no bitness suffix.
    q = workstation(4, 0, 1381);
    q.product_type_nt = 3;
    q.rtl_ok = 1;
    q.rtl_major = 10;
    std::memset(q.csd_version, 0, sizeof q.csd_version);
    std::strcpy(q.csd_version, "Service Pack 6");
    d = describe(q);
    EXPECT_EQ(d.count, 1);
    EXPECT_EQ(d.major, 4);
    EXPECT_EQ(d.build, 1381);
    EXPECT_EQ(d.text, "Windows unknown Version Service Pack 6");
}

TEST(WindowsVersion, DescriptionBoundedByItsBuffer) {
    version_queries q = workstation(6, 1);
    q.product_info_found = 1;
    q.product_type = 28;
    std::strcpy(q.csd_version, "Service Pack 1");
    char small[20];
    std::memset(small, 'x', sizeof small);
    int major = 0, minor = 0, build = 0;
    EXPECT_EQ(describe_windows_version_from(q, small, sizeof small, major, minor, build), 2);
    EXPECT_EQ(std::string(small), "Windows 7 Ultimate ");
    EXPECT_EQ(major, 6);
    EXPECT_EQ(describe_windows_version_from(q, small, 1, major, minor, build), 2);  // terminator only
    EXPECT_EQ(small[0], '\0');
    EXPECT_EQ(describe_windows_version_from(q, nullptr, 0, major, minor, build), 2);
}
