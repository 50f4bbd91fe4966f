// What the setup shows: its pages with their buttons, and its message boxes.
#pragma once

#include "driver/driver.h"

namespace gui {

using namespace drv;

inline const wchar_t kCaption[] = L"KORVENTA ｾｯﾄｱｯﾌﾟ";
inline const wchar_t kNextCaption[] = L"次へ(&N)>";
constexpr ButtonLook kHidden{false, false, nullptr};
constexpr ButtonLook Shown(const wchar_t* caption, bool enabled = true) { return {true, enabled, caption}; }

inline const PageLook kWelcome{"welcome", L"KORVENTA　セットアップウィザードへようこそ", nullptr,
                               kHidden, Shown(kNextCaption), kHidden, Shown(L"キャンセル")};
inline const PageLook kLicence{"licence", L"ソフトウェア使用許諾契約", nullptr,
                               Shown(L"<戻る(&B)"), Shown(L"はい(&Y)"), kHidden, Shown(L"いいえ(&N)")};
inline const PageLook kCopyright{"copyright", L"著作権上の注意", nullptr,
                                 Shown(L"<戻る(&B)"), Shown(L"はい(&Y)"), kHidden, Shown(L"いいえ(&N)")};
inline const PageLook kDestination{"destination", L"ｲﾝｽﾄｰﾙ先の選択", nullptr,
                                   Shown(L"<戻る(&B)"), Shown(L"次へ>(&N)"), kHidden, Shown(L"キャンセル")};
inline const PageLook kProgress{"progress", L"インストール中・・・", L"しばらくお待ち下さい。",
                                kHidden, kHidden, Shown(kNextCaption, false), kHidden};
inline const PageLook kComplete{"complete", L"インストール完了", L"", kHidden, kHidden, Shown(kNextCaption), kHidden};

inline const BoxLook kMissingAtStart{kCaption, L"ﾃﾞｰﾀﾌｧｲﾙが見つかりません。ｾｯﾄｱｯﾌﾟを開始出来ません。", true,
                                     {IDOK}, Owner::HiddenMain, nullptr};
inline const BoxLook kDotLocal{kCaption, L"ｾｯﾄｱｯﾌﾟと同じﾌｫﾙﾀﾞに .local のﾌｧｲﾙかﾌｫﾙﾀﾞがあります。ｾｯﾄｱｯﾌﾟを開始出来ません。",
                               true, {IDOK}, Owner::Centred, nullptr};
inline const BoxLook kCancelQuestion{
    L"ｾｯﾄｱｯﾌﾟの中止", L"     ｾｯﾄｱｯﾌﾟは完了していません。\n\nインストールを中止してもよろしいですか?", true,
    {IDYES, IDNO}, Owner::Wizard, nullptr};
inline const BoxLook kPathInvalid{kCaption, L"このパスは無効です。", true, {IDOK}, Owner::Wizard, &kDestination};
// The installation's warnings, over the progress page.
inline BoxLook Warning(const wchar_t* text) { return {kCaption, text, true, {IDOK}, Owner::Wizard, &kProgress}; }
inline const BoxLook kDamaged = Warning(L"ﾃﾞｰﾀﾌｧｲﾙが壊れています。ｾｯﾄｱｯﾌﾟを終了します。");
inline const BoxLook kMissingLater = Warning(L"ﾃﾞｰﾀﾌｧｲﾙが見つかりません。ｾｯﾄｱｯﾌﾟを終了します。");
inline const BoxLook kWriteFailed = Warning(L"ﾌｧｲﾙの書き込みに失敗しました。ｾｯﾄｱｯﾌﾟを終了します。");
inline const BoxLook kShortcutFailed = Warning(L"ﾃﾞｽｸﾄｯﾌﾟへｼｮｰﾄｶｯﾄの作成に失敗しました。");
inline const BoxLook kCompleted{kCaption, L" KORVENTAのｾｯﾄｱｯﾌﾟが完了しました。", false, {IDOK}, Owner::Centred, nullptr};

constexpr int kEdit = 1011, kDocument = 1023, kLog = 1023, kFree = 1026, kRequired = 1027;

inline Steps ToDestination() {
  return {Start(), At(kWelcome), Press(Next), At(kLicence), Press(Next), At(kCopyright), Press(Next), At(kDestination)};
}
inline Steps Finished() {
  return {Press(Finish), Box(kCompleted, 0), Shot("completion-message"), Box(kCompleted, IDOK), Exit(0)};
}

// Rich edits ask the page before each change, as Windows' own do and Wine's do not: a creation hook
// that Wine loads into the setup; it stays while the test program runs.
inline Step EmulateProtection() {
  return Do([](Session& run) {
    HMODULE helper = LoadLibraryW(Built(PAGES_HELPER_DLL).c_str());
    const auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(helper, "PagesOnCreation")));
    EXPECT_TRUE(hook && SetWindowsHookExW(WH_CBT, hook, helper, GetWindowThreadProcessId(run.sheet, nullptr)));
  });
}

}  // namespace gui
