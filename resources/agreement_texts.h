// The documents of the two agreement pages. A single CR separates paragraphs; there is
// no line feed and no tab.
#pragma once

#include <string>
#include <string_view>

namespace resources {

// The licence agreement is stored in two pieces that are shown joined, in this order.
std::u16string_view LicenseTextFirstPiece();
std::u16string_view LicenseTextSecondPiece();
std::u16string LicenseText();

std::u16string CopyrightText();

}  // namespace resources
