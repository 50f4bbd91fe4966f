#include "tools/fuzz/datafile_fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzDataFile(data, size);
    return 0;
}
