// Which DLLs setup.exe may load from where, decided per system. It runs elevated from download
// folders, where a planted DLL of a system name must never load.
#pragma once

#include <cstdint>

namespace win {

constexpr std::uint32_t kLoadWithAlteredSearchPath = 0x00000008;
constexpr std::uint32_t kLoadLibrarySearchSystem32 = 0x00000800;

struct DllSearchPlan {
    // SetDefaultDllDirectories(kLoadLibrarySearchSystem32): every later load by name searches the
    // system folder only.
    bool restrictDefault = false;
    // The DLLs that the system's own code loads by name later are loaded first, by full path; a load
    // by name then finds them loaded. Where the search cannot be restricted this is the protection;
    // elsewhere it also covers loads that bypass the default directories (Wine's delay loads do).
    bool preload = false;
    // The flags of every load by full path.
    std::uint32_t fullPathFlags = kLoadWithAlteredSearchPath;
};

// `canRestrict`: the system has SetDefaultDllDirectories (Windows 8, and 7 and Vista with
// KB2533623). On Vista (6.0) it is not used: the shell's link object fails to load after it.
// `dotLocal`: a "<program>.local" lies beside the program. Windows 2000 then takes even loads by
// full path from there, so nothing is loaded before the setup refuses to start; later systems
// ignore it for a program with a manifest.
DllSearchPlan PlanDllSearch(bool canRestrict, std::uint32_t major, std::uint32_t minor, bool dotLocal);

// The DLLs loaded first where the search cannot be restricted, without their ".dll".
extern const char16_t* const kPreloadedDlls[];
extern const std::size_t kPreloadedDllCount;

}  // namespace win
