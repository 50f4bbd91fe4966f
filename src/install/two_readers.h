// Whether the data file is worth reading with two threads at once.
#pragma once

#include <string>

namespace install {

// A second reader helps only with a second processor and a medium that does not seek: on an
// optical or removable drive two readers would make the head jump back and forth.
// `dataFile` is the name the file was opened by.
bool TwoReadersHelp(const std::wstring& dataFile);

}  // namespace install
