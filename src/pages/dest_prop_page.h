// The destination folder page: proposes a folder, shows free and required space, and
// creates the folder chain when the user goes on.
#pragma once

#include <string>
#include <vector>

#include "framework/handles.h"
#include "framework/property_page.h"

class CDestPropPage : public win::PropertyPage {
public:
    // `dataFile`: the data file's name, for the space it needs.
    explicit CDestPropPage(const wchar_t* dataFile);

    std::wstring m_strSystemDir;
    int m_nOsClass = 0;
    std::wstring m_strDestDir;
    win::UniqueFont m_fontTitle;
    win::UniqueFont m_fontText;
    win::UniqueFont m_fontGuide;

    static int GetOsClass();
    static bool IsWow64();

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    LRESULT OnWizardNext() override;
    bool OnQueryCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    HFONT FontFor(int controlId) override;

private:
    void SetDefaultDestDir();
    void ShowRequiredSpace();
    void UpdateFreeSpace();
    bool CreateDestFolders(const std::wstring& path);
    bool HoldDestFolders(const std::wstring& path);
    bool IsDriveValid(const std::wstring& path);
    std::wstring BrowseForFolder();
    void OnBrowse();
    void FocusEdit();
    void ReadEdit();
    void WriteEdit();
    // From the successful Next to the end of the setup: the destination and the folders above it
    // cannot be renamed or deleted, so nobody can put another folder or a junction in their place.
    std::vector<win::UniqueFile> heldFolders_;
    const wchar_t* dataFile_;
    bool updating_ = false;
    bool activated_ = false;
};
