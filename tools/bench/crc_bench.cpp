// Times the data file checks against a plain read of the same 512 MiB file.
// Usage: crc_bench [file]; the file is created (a valid data file) when absent.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "install/datafile/crc16.h"
#include "install/datafile/data_file.h"
#include "install/datafile/data_file_checks.h"

namespace {

using namespace datafile;

constexpr std::uint64_t kFileSize = 512ull << 20;
constexpr std::size_t kBlock = 1 << 20;

class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(const std::filesystem::path& path)
        : in_(path, std::ios::binary), size_(std::filesystem::file_size(path)) {}
    bool IsOpen() const { return in_.is_open(); }
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, void* buf, std::size_t len, std::size_t* got) override {
        *got = 0;
        in_.clear();
        if (!in_.seekg(static_cast<std::streamoff>(offset))) return false;
        in_.read(static_cast<char*>(buf), static_cast<std::streamsize>(len));
        *got = static_cast<std::size_t>(in_.gcount());
        return !in_.bad();
    }
private:
    std::ifstream in_;
    std::uint64_t size_;
};

// A header with no entries, pseudo-random content and the CRC trailer.
bool CreateDataFile(const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::vector<std::uint8_t> block(kBlock, 0);
    const char header[] = "KJ38\0\0\0\0\0\0\0\0\0\0\0\0V1.0";
    std::copy(header, header + 20, block.begin());
    std::uint16_t reg = kCrcInitial;
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    for (std::uint64_t written = 0; written < kFileSize;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, kFileSize - 2 - written));
        for (std::size_t i = written == 0 ? 32 : 0; i < n; ++i) {
            state ^= state << 13, state ^= state >> 7, state ^= state << 17;
            block[i] = static_cast<std::uint8_t>(state);
        }
        reg = CrcUpdate(reg, block.data(), n);
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(n));
        written += n;
        if (written == kFileSize - 2) {
            const std::uint16_t crc = static_cast<std::uint16_t>(~reg);
            const char trailer[2] = {static_cast<char>(crc & 0xFF), static_cast<char>(crc >> 8)};
            out.write(trailer, 2);
            written += 2;
        }
    }
    return static_cast<bool>(out.flush());
}

template <typename F>
double Seconds(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Reads the whole file in 1 MiB blocks, handing each block to use.
template <typename F>
bool ReadAll(const std::filesystem::path& path, F&& use) {
    FileByteSource source(path);
    if (!source.IsOpen()) return false;
    std::vector<std::uint8_t> buf(kBlock);
    for (std::uint64_t at = 0; at < source.Size();) {
        std::size_t got = 0;
        if (!ReadSpan(source, at, buf.data(), buf.size(), &got) || got == 0) return false;
        use(buf.data(), got);
        at += got;
    }
    return true;
}

const char* MethodName(CrcMethod m) {
    switch (m) {
    case CrcMethod::Bytewise: return "byte-wise";
    case CrcMethod::Slicing8: return "slicing-by-8";
    case CrcMethod::Clmul: return "carry-less multiplication";
    case CrcMethod::Clmul256: return "carry-less mult., 256-bit";
    }
    return "?";
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path path = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "crc_bench_512m.cab";
    std::error_code ec;
    if (!fs::exists(path, ec) || fs::file_size(path, ec) != kFileSize) {
        std::printf("creating %s\n", path.string().c_str());
        if (!CreateDataFile(path)) {
            std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    std::uint64_t sink = 0;
    auto touch = [&](const std::uint8_t* p, std::size_t n) { sink += p[0] + p[n - 1]; };
    if (!ReadAll(path, touch)) {  // warm the cache so that every run below reads the same way
        std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
        return 1;
    }

    const double plain = Seconds([&] { ReadAll(path, touch); });

    int progressCalls = 0, lastPosition = -1;
    CheckResult sig = CheckResult::Damaged, ver = CheckResult::Damaged, crc = CheckResult::Damaged;
    const double checks = Seconds([&] {
        FileByteSource a(path);
        sig = CheckSignature(a);
        FileByteSource b(path);
        ver = CheckVersion(b);
        FileByteSource c(path);
        crc = CheckCrc(c, [&](int p) { ++progressCalls, lastPosition = p; });
    });
    const bool passed = sig == CheckResult::Passed && ver == CheckResult::Passed && crc == CheckResult::Passed;

    const CrcMethod methods[] = {CrcMethod::Bytewise, CrcMethod::Slicing8, CrcMethod::Clmul, CrcMethod::Clmul256};
    constexpr int kMethodCount = sizeof methods / sizeof methods[0];
    double methodTimes[kMethodCount] = {};
    for (int i = 0; i < kMethodCount; ++i) {
        if (!CrcMethodAvailable(methods[i])) continue;
        std::uint16_t reg = kCrcInitial;
        methodTimes[i] = Seconds([&] {
            ReadAll(path, [&](const std::uint8_t* p, std::size_t n) { reg = CrcUpdate(methods[i], reg, p, n); });
        });
        if (reg != kCrcResidue) std::fprintf(stderr, "%s: wrong register %04X\n", MethodName(methods[i]), reg);
    }

    const double mib = double(kFileSize) / (1 << 20);
    std::printf("file: %s (%llu bytes)\n", path.string().c_str(), static_cast<unsigned long long>(kFileSize));
    std::printf("plain read:            %7.3f s  %8.0f MiB/s\n", plain, mib / plain);
    std::printf("three checks:          %7.3f s  %8.0f MiB/s  (%s; %s; %d progress calls, last %d)\n", checks,
                mib / checks, MethodName(FastestCrcMethod()), passed ? "passed" : "FAILED", progressCalls,
                lastPosition);
    std::printf("ratio checks / read:   %7.2f\n", checks / plain);
    for (int i = 0; i < kMethodCount; ++i) {
        if (!CrcMethodAvailable(methods[i])) continue;
        std::printf("read + %-26s %7.3f s  %8.0f MiB/s  (%.2f x plain read)\n", MethodName(methods[i]),
                    methodTimes[i], mib / methodTimes[i], methodTimes[i] / plain);
    }
    std::printf("(checksum of touched bytes: %llu)\n", static_cast<unsigned long long>(sink));
    return passed ? 0 : 1;
}
