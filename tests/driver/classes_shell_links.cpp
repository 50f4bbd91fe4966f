#include "driver/classes_shell_links.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "driver/files.h"

namespace gui_driver {

namespace {

// Owns one interface pointer and releases it.
template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  ~ComPointer() {
    if (pointer_) pointer_->Release();
  }
  Interface* operator->() const { return pointer_; }
  Interface* Get() const { return pointer_; }
  void** Put() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

class ItemIdList {
 public:
  ItemIdList() = default;
  ItemIdList(const ItemIdList&) = delete;
  ItemIdList& operator=(const ItemIdList&) = delete;
  ~ItemIdList() { CoTaskMemFree(list_); }
  LPITEMIDLIST* Put() { return &list_; }
  LPITEMIDLIST Get() const { return list_; }

 private:
  LPITEMIDLIST list_ = nullptr;
};

bool LoadLink(const std::wstring& path, DWORD mode, ComPointer<IShellLinkW>* link, ComPointer<IPersistFile>* file) {
  return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link->Put())) &&
         SUCCEEDED((*link)->QueryInterface(IID_IPersistFile, file->Put())) &&
         SUCCEEDED((*file)->Load(path.c_str(), mode));
}

}  // namespace

ComApartment::ComApartment() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}

ComApartment::~ComApartment() {
  if (ok_) CoUninitialize();
}

std::optional<ShellLinkInfo> ReadShellLink(const std::wstring& path) {
  ComPointer<IShellLinkW> link;
  ComPointer<IPersistFile> file;
  if (!LoadLink(path, STGM_READ, &link, &file)) return std::nullopt;
  wchar_t text[MAX_PATH] = {};
  ShellLinkInfo info;
  // No resolving: the path as the shortcut stores it.
  if (FAILED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) return std::nullopt;
  info.target = text;
  text[0] = L'\0';
  if (FAILED(link->GetWorkingDirectory(text, MAX_PATH))) return std::nullopt;
  info.workingDirectory = text;
  text[0] = L'\0';
  if (FAILED(link->GetDescription(text, MAX_PATH))) return std::nullopt;
  info.description = text;
  if (FAILED(link->GetShowCmd(&info.showCommand))) return std::nullopt;
  return info;
}

bool SetShellLinkDescription(const std::wstring& path, const std::wstring& description) {
  ComPointer<IShellLinkW> link;
  ComPointer<IPersistFile> file;
  return LoadLink(path, STGM_READWRITE, &link, &file) && SUCCEEDED(link->SetDescription(description.c_str())) &&
         SUCCEEDED(file->Save(path.c_str(), TRUE));
}

std::wstring ShellFolderPath(int csidl) {
  ItemIdList list;
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, list.Put())) || !SHGetPathFromIDListW(list.Get(), path)) {
    return {};
  }
  return path;
}

std::vector<std::wstring> SetupShortcuts(const std::wstring& folder) { return FolderEntries(folder, L"QTX KORVENTA*"); }

void DeleteSetupShortcuts(const std::wstring& folder) {
  for (const std::wstring& name : SetupShortcuts(folder)) DeleteFileW((folder + L"\\" + name).c_str());
}

}  // namespace gui_driver
