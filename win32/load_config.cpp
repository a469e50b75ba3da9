// The image's load configuration, which Windows reads before it resolves any
// import: the program's own imports are looked for in System32 only, never in
// its folder (Windows 10 1607 and later; their own imports are not covered,
// docs/security.md), and the stack guard is named, so the loader seeds it and tools that
// audit a binary see it. GNU ld does not point the directory at this
// structure; the build does after the link (tools/load_config).
#include <windows.h>

#include <cstddef>
#include <cstdint>

extern "C" void* __stack_chk_guard;

// The 64-bit layout up to the safe-exception-handler fields: 0x70 bytes, the
// Windows 7 SDK's whole structure, which every loader from Windows 7 to 11
// reads. The loaders take the Size field as the structure's version and want
// it equal to the directory's size; later fields (Control Flow Guard and
// beyond) stay absent rather than zero.
struct load_config_64 {
    std::uint32_t size;
    std::uint32_t time_date_stamp;
    std::uint16_t major_version;
    std::uint16_t minor_version;
    std::uint32_t global_flags_clear;
    std::uint32_t global_flags_set;
    std::uint32_t critical_section_default_timeout;
    std::uint64_t decommit_free_block_threshold;
    std::uint64_t decommit_total_free_threshold;
    std::uint64_t lock_prefix_table;
    std::uint64_t maximum_allocation_size;
    std::uint64_t virtual_memory_threshold;
    std::uint64_t process_affinity_mask;
    std::uint32_t process_heap_flags;
    std::uint16_t csd_version;
    std::uint16_t dependent_load_flags;
    std::uint64_t edit_list;
    std::uint64_t security_cookie;
    std::uint64_t se_handler_table;
    std::uint64_t se_handler_count;
};
static_assert(sizeof(load_config_64) == 0x70, "the Windows 7 layout");
static_assert(offsetof(load_config_64, dependent_load_flags) == 0x4E, "Windows' offset");
static_assert(offsetof(load_config_64, security_cookie) == 0x58, "Windows' offset");

// The name the linkers and the post-link step look for.
extern "C" __attribute__((used)) const load_config_64 _load_config_used = {
    sizeof(load_config_64), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    LOAD_LIBRARY_SEARCH_SYSTEM32,
    0,
    reinterpret_cast<std::uintptr_t>(&__stack_chk_guard),
    0, 0};
