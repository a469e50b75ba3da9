#pragma once
// Portable choice of the Windows name, edition, bitness and service-pack text
// from what the version queries answered.

struct version_queries {
    // GetVersionExA with the basic record.
    int basic_ok;
    unsigned basic_major;
    unsigned basic_minor;
    unsigned basic_build;
    char csd_version[128];          // need not be terminated
    // GetVersionExA with the extended record.
    int extended_ok;
    unsigned extended_major;
    unsigned extended_minor;
    unsigned extended_build;
    unsigned product_type_nt;       // wProductType: 1 workstation, else server or DC
    // RtlGetVersion: found and answered status 0.
    int rtl_ok;
    unsigned rtl_major;
    unsigned rtl_minor;
    unsigned rtl_build;
    // GetProductInfo: found; its product type (0 when the call failed).
    int product_info_found;
    unsigned product_type;
};

// Writes "Windows <name>[edition][suffix]<bitness>[service pack]" over
// `description` (bounded by `capacity`), stores the version figures and
// returns how many of the two version queries answered (0, 1 or 2).
int describe_windows_version_from(const version_queries& queries, char* description, int capacity,
                                  int& major, int& minor, int& build);
