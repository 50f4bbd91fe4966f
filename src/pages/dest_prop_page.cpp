#include "pages/dest_prop_page.h"

#include "framework/system_library.h"

#include <shlobj.h>

#include <cwchar>
#include <vector>

#include "framework/fonts.h"
#include "pages/page_face.h"
#include "framework/property_sheet.h"
#include "framework/wide.h"
#include "framework/message_box.h"
#include "pages/warnings.h"
#include "pages/dest_path_rules.h"
#include "install/os_class.h"
#include "resources/names.h"
#include "resources/resource.h"

namespace {

std::wstring Format(UINT formatId, double value) {
    wchar_t buf[MAX_PATH];
    std::swprintf(buf, MAX_PATH, win::LoadText(formatId).c_str(), value);
    return buf;
}

constexpr double kMegabyte = 1048576.0;

}  // namespace

CDestPropPage::CDestPropPage(const wchar_t* dataFile)
    : win::PropertyPage(IDD_DEST),
      m_fontTitle(win::CreateBoldPointFont(150, pages::JapaneseProportionalFace())),
      m_fontText(win::CreatePointFont(100, pages::JapaneseProportionalFace())),
      m_fontGuide(win::CreatePointFont(100, pages::JapaneseProportionalFace())),
      dataFile_(dataFile) {
    m_nOsClass = GetOsClass();
    SetDefaultDestDir();
}

bool CDestPropPage::IsWow64() {
    // Looked up: Windows 2000 and XP before SP2 lack it, and they never run under WOW64.
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto fn = win::GetProc<IsWow64ProcessFn>(::GetModuleHandleW(L"kernel32"), "IsWow64Process");
    if (!fn) return false;
    BOOL wow64 = FALSE;
    fn(::GetCurrentProcess(), &wow64);
    return wow64 != FALSE;
}

int CDestPropPage::GetOsClass() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);  // 276 bytes
    install::OsVersion version;
    version.queried = ::GetVersionExW(&info) != FALSE;
    version.platformId = info.dwPlatformId;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    return install::GetOsClass(version, [] { return IsWow64(); });
}

void CDestPropPage::SetDefaultDestDir() {
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    m_strDestDir = win::ToWide(pages::DefaultDestDir(win::ToU16(system)));
    m_strSystemDir = system;
}

BOOL CDestPropPage::OnInitDialog() {
    const int statics[] = {IDC_TITLE, IDC_TEXT, IDC_GUIDE, IDC_FREE_SPACE, IDC_NEED_SPACE};
    ApplyStaticFonts(statics, 5);
    WriteEdit();
    FocusEdit();
    return TRUE;
}

// The one place the destination is trimmed: everything after reads the member.
void CDestPropPage::ReadEdit() {
    m_strDestDir = win::ToWide(pages::TrimLeadingSpace(win::ToU16(win::GetText(Item(IDC_DEST_EDIT)))));
}

void CDestPropPage::WriteEdit() {
    updating_ = true;
    ::SetWindowTextW(Item(IDC_DEST_EDIT), m_strDestDir.c_str());
    updating_ = false;
}


void CDestPropPage::FocusEdit() {
    HWND edit = Item(IDC_DEST_EDIT);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

bool CDestPropPage::OnSetActive() {
    HWND sheet = SheetHwnd();
    win::SetButtonText(sheet, win::kNextButton, IDS_BTN_NEXT_DEST);
    win::SetButtonText(sheet, win::kCancelButton, IDS_BTN_CANCEL);
    ShowRequiredSpace();
    UpdateFreeSpace();
    // Later activations put the member back into the edit, as leaving the page read it.
    if (activated_) WriteEdit();
    activated_ = true;
    return true;
}

bool CDestPropPage::OnKillActive() {
    ReadEdit();
    return true;
}

void CDestPropPage::ShowRequiredSpace() {
    win::UniqueFile file(::CreateFileW(dataFile_, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;  // the line keeps what it showed
    DWORD size = ::GetFileSize(file.Get(), nullptr);
    ::SetWindowTextW(Item(IDC_NEED_SPACE), Format(IDS_REQUIRED_SPACE, size / kMegabyte).c_str());
}

void CDestPropPage::UpdateFreeSpace() {
    HWND line = Item(IDC_FREE_SPACE);
    auto root = pages::FreeSpaceRoot(win::ToU16(m_strDestDir));
    ULARGE_INTEGER available{}, total{}, totalFree{};
    if (!root || !::GetDiskFreeSpaceExW(win::ToWide(*root).c_str(), &available, &total, &totalFree)) {
        ::SetWindowTextW(line, win::LoadText(IDS_FREE_SPACE_UNKNOWN).c_str());
        return;
    }
    ::SetWindowTextW(line, Format(IDS_FREE_SPACE, static_cast<double>(totalFree.QuadPart) / kMegabyte).c_str());
}

LRESULT CDestPropPage::OnWizardNext() {
    ReadEdit();
    std::u16string path = win::ToU16(m_strDestDir);
    bool accepted = pages::HasDriveRootForm(path) && pages::FitsDestLength(path) && pages::HasValidFolderNames(path) &&
                    CreateDestFolders(m_strDestDir) && HoldDestFolders(m_strDestDir);
    if (!accepted) {
        pages::ShowWarning(Hwnd(), IDS_PATH_INVALID);
        FocusEdit();
        return -1;
    }
    // The installation starts on the next page: it must not be closed from the title bar.
    ::EnableMenuItem(::GetSystemMenu(SheetHwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_DISABLED);
    return 0;
}

bool CDestPropPage::IsDriveValid(const std::wstring& path) {
    return pages::IsDriveValid(win::ToU16(path), ::GetLogicalDrives());
}

bool CDestPropPage::CreateDestFolders(const std::wstring& path) {
    if (!IsDriveValid(path)) return false;
    for (const std::u16string& folder : pages::FolderChain(win::ToU16(path))) {
        std::wstring name = win::ToWide(folder);
        const DWORD attributes = ::GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            // Existing folders stay as the user has them; an existing file cannot become one.
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
            continue;
        }
        if (!::CreateDirectoryW(name.c_str(), nullptr)) return false;
        ::SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    return true;
}

bool CDestPropPage::HoldDestFolders(const std::wstring& path) {
    // Renaming or deleting a folder needs delete access to it, which these handles do not share.
    // Nothing documents that a handle below a folder keeps it from being renamed, so each folder of
    // the chain is held.
    heldFolders_.clear();
    for (const std::u16string& folder : pages::FolderChain(win::ToU16(path))) {
        heldFolders_.emplace_back(::CreateFileW(win::ToWide(folder).c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    }
    return !heldFolders_.empty() && heldFolders_.back();
}

std::wstring CDestPropPage::BrowseForFolder() {
    win::ComInit com;
    std::wstring title = win::LoadText(IDS_BROWSE_TITLE);
    BROWSEINFOW info{};
    info.hwndOwner = SheetHwnd();
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    win::UniqueItemIdList picked(::SHBrowseForFolderW(&info));
    if (!picked) return std::wstring();
    wchar_t path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(picked.Get(), path)) return std::wstring();
    return path;
}

void CDestPropPage::OnBrowse() {
    std::wstring picked = BrowseForFolder();
    if (!picked.empty()) {
        m_strDestDir = picked;
        WriteEdit();
    }
    FocusEdit();
    UpdateFreeSpace();
}

bool CDestPropPage::OnCommand(WORD id, WORD code, HWND) {
    if (id == IDC_BROWSE && code == BN_CLICKED) {
        OnBrowse();
        return true;
    }
    if (id == IDC_DEST_EDIT && code == EN_CHANGE) {
        if (!updating_) ReadEdit();
        UpdateFreeSpace();
        return true;
    }
    return false;
}

bool CDestPropPage::OnQueryCancel() { return pages::ConfirmCancel(Hwnd()); }

HFONT CDestPropPage::FontFor(int controlId) {
    switch (controlId) {
    case IDC_TITLE: return m_fontTitle.Get();
    case IDC_TEXT:
    case IDC_FREE_SPACE:
    case IDC_NEED_SPACE: return m_fontText.Get();
    case IDC_GUIDE: return m_fontGuide.Get();
    default: return nullptr;
    }
}
