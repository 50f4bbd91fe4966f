// Shortcuts to the installed program on the all-users desktop and programs menu.
#include <shlobj.h>
#include <shobjidl.h>

#include "framework/handles.h"
#include "framework/wide.h"
#include "install/install_steps.h"
#include "install/shortcut_names.h"
#include "resources/names.h"

namespace install {

namespace {

// The first entry of the folder itself named like the program, as the file system spells it.
bool FindProgram(const std::wstring& folder, std::wstring* target) {
    std::wstring pattern = win::ToWide(SearchPattern(win::ToU16(folder)));
    WIN32_FIND_DATAW found{};
    win::UniqueFind find(::FindFirstFileW(pattern.c_str(), &found));
    if (!find) return false;
    do {
        if (EqualsIgnoreAsciiCase(win::ToU16(found.cFileName), names::kProgram)) {
            wchar_t absolute[MAX_PATH] = {};
            DWORD n = ::GetFullPathNameW(folder.c_str(), MAX_PATH, absolute, nullptr);
            std::wstring base = (n > 0 && n < MAX_PATH) ? absolute : folder;
            *target = win::ToWide(TargetPath(win::ToU16(base), win::ToU16(found.cFileName)));
            return true;
        }
    } while (::FindNextFileW(find.Get(), &found));
    return false;
}

// The file-system path of a shell folder; empty when it has none.
std::wstring ShellFolderPath(int csidl) {
    LPITEMIDLIST raw = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &raw))) return std::wstring();
    win::UniqueItemIdList list(raw);
    wchar_t path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(list.Get(), path)) return std::wstring();
    return path;
}

bool PointsAt(IShellLinkW* link, const std::wstring& candidate, const std::wstring& target, bool* loaded) {
    win::ComPtr<IPersistFile> file;
    *loaded = false;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put())))) return false;
    if (FAILED(file->Load(candidate.c_str(), STGM_READ))) return false;
    *loaded = true;
    wchar_t existing[MAX_PATH] = {};
    link->GetPath(existing, MAX_PATH, nullptr, SLGP_UNCPRIORITY);
    return EqualsIgnoreAsciiCase(win::ToU16(existing), win::ToU16(target));
}

}  // namespace

bool CreateShortcutIn(const InstallTarget& installTarget, const std::wstring& target, const std::wstring& folder,
                      IShellLinkW* link) {
    std::wstring candidate;
    for (int n = 1;; ++n) {
        candidate = win::ToWide(ShortcutPath(win::ToU16(folder), n));
        if (n > kLastTestedShortcutNumber) break;
        if (::GetFileAttributesW(candidate.c_str()) == INVALID_FILE_ATTRIBUTES) break;
        bool loaded = false;
        if (PointsAt(link, candidate, target, &loaded)) break;  // an earlier shortcut of ours
        if (!loaded) return false;
    }
    // Such a name would be cut short by the shell: leave the folder alone instead.
    if (!FitsMaxPath(win::ToU16(candidate))) return false;

    link->SetPath(target.c_str());
    link->SetWorkingDirectory(installTarget.destFolder.c_str());
    link->SetDescription(win::ToWide(names::kShortcutDescription).c_str());
    link->SetShowCmd(SW_SHOW);
    win::ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put())))) return false;
    if (FAILED(file->Save(candidate.c_str(), FALSE))) return false;
    file->SaveCompleted(candidate.c_str());
    ::SHChangeNotify(SHCNE_ALLEVENTS, SHCNF_PATHW | SHCNF_FLUSH, candidate.c_str(), nullptr);
    return true;
}

int CreateShortcuts(const InstallTarget& installTarget) {
    win::ComInit com;
    if (!com.Ok()) return 0;
    win::ComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(link.Put()))))
        return 0;
    std::wstring target;
    if (!FindProgram(installTarget.destFolder, &target)) return 0;
    for (int csidl : {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_PROGRAMS}) {
        std::wstring folder = ShellFolderPath(csidl);
        // A folder without a path is skipped: the shortcut must not land at a drive's root.
        if (!folder.empty()) CreateShortcutIn(installTarget, target, folder, link.Get());
    }
    return 1;
}

}  // namespace install
