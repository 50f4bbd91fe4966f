// Names of the files, objects and shortcuts the setup works with.
#pragma once

namespace names {

constexpr char16_t kDataFile[] = u"KORVENTA.cab";
constexpr char16_t kMutex[] = u"korventa";
constexpr char16_t kRichEditLibrary[] = u"RICHED20.dll";
constexpr char16_t kPageFace[] = u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF";  // full-width MS, P gothic
constexpr char16_t kProgram[] = u"KORVENTA.exe";
constexpr char16_t kDriverSetup[] = u"\\KorventaDriver32setup.exe";
constexpr char16_t kDriverInf[] = u"Korventa.inf";
constexpr char16_t kShortcut[] = u"\\QTX KORVENTA.LNK";
constexpr char16_t kShortcutNumbered[] = u"\\QTX KORVENTA(%d).LNK";
constexpr char16_t kShortcutDescription[] = u"KORVENTA for MV-T30582";
constexpr char16_t kDefaultDestTail[] = u"Program Files\\KORVENTA\\mv-t30582";
// A file that replaces an existing one is written under this name first: the prefix, eight
// hexadecimal digits, the suffix.
constexpr char16_t kTempPrefix[] = u"~KVSETUP";
constexpr char16_t kTempSuffix[] = u".tmp";

}  // namespace names
