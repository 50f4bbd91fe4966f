// Runs the fuzz target over every file in the folders named on the command line, so
// that the seeds and any saved crash inputs are checked in ordinary builds too.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/datafile_fuzz_target.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        for (const auto& item : fs::directory_iterator(argv[i], ec)) {
            if (!item.is_regular_file()) continue;
            std::ifstream in(item.path(), std::ios::binary);
            const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (!in.is_open()) {
                std::fprintf(stderr, "cannot read %s\n", item.path().string().c_str());
                return 1;
            }
            FuzzDataFile(bytes.data(), bytes.size());
            ++inputs;
        }
        if (ec) {
            std::fprintf(stderr, "cannot list %s: %s\n", argv[i], ec.message().c_str());
            return 1;
        }
    }
    if (inputs == 0) {
        std::fprintf(stderr, "no inputs\n");
        return 1;
    }
    std::printf("%d passed, 0 failed\n", inputs);
    return 0;
}
