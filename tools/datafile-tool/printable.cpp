#include "printable.h"

#include <cstdio>

namespace dftool {

std::string Escaped(std::string_view bytes) {
    std::string out;
    char buf[8];
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out.push_back(c);
        } else {
            std::snprintf(buf, sizeof buf, "\\x%02X", b);
            out += buf;
        }
    }
    return out;
}

}  // namespace dftool
