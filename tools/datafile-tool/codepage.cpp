#include "codepage.h"

#ifdef _WIN32

#include <windows.h>

namespace dftool {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t expected on Windows");

std::optional<std::string> EncodeCp932(const std::u16string& text) {
    if (text.empty()) return std::string();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int len = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    // Best-fit mappings would silently turn a character into a different one.
    const int need = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, len, nullptr, 0,
                                         nullptr, &usedDefault);
    if (need <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<std::size_t>(need), '\0');
    if (WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, len, out.data(), need, nullptr,
                            &usedDefault) != need ||
        usedDefault) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::u16string> DecodeCp932(const std::string& bytes) {
    if (bytes.empty()) return std::u16string();
    const int len = static_cast<int>(bytes.size());
    const int need = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), len, nullptr, 0);
    if (need <= 0) return std::nullopt;
    std::u16string out(static_cast<std::size_t>(need), u'\0');
    if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), len,
                            reinterpret_cast<wchar_t*>(out.data()), need) != need) {
        return std::nullopt;
    }
    return out;
}

}  // namespace dftool

#else

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace dftool {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Whole input or nothing: EILSEQ and EINVAL both mean "not representable".
    std::optional<std::string> Run(const std::string& in, std::size_t outCapacity) {
        if (!ok()) return std::nullopt;
        std::vector<char> src(in.begin(), in.end());
        std::vector<char> dst(outCapacity);
        char* inPtr = src.data();
        std::size_t inLeft = src.size();
        char* outPtr = dst.data();
        std::size_t outLeft = dst.size();
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        return std::string(dst.data(), dst.size() - outLeft);
    }

private:
    iconv_t cd_;
};

}  // namespace

std::optional<std::string> EncodeCp932(const std::u16string& text) {
    std::string le;
    for (char16_t u : text) {
        le.push_back(static_cast<char>(u & 0xFF));
        le.push_back(static_cast<char>(u >> 8));
    }
    Converter conv("CP932", "UTF-16LE");
    return conv.Run(le, le.size() + 8);
}

std::optional<std::u16string> DecodeCp932(const std::string& bytes) {
    Converter conv("UTF-16LE", "CP932");
    const auto le = conv.Run(bytes, bytes.size() * 2 + 8);
    if (!le || le->size() % 2 != 0) return std::nullopt;
    std::u16string out;
    for (std::size_t i = 0; i < le->size(); i += 2) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>((*le)[i]) |
                                            static_cast<unsigned char>((*le)[i + 1]) << 8));
    }
    return out;
}

}  // namespace dftool

#endif
