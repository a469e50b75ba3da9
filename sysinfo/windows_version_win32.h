#pragma once
// Win32: what the Windows version queries answer, for the report to describe
// (see windows_version.h).
#include "sysinfo/windows_version.h"

version_queries query_windows_version();
