#include "file_io.h"

#include <chrono>
#include <fstream>
#include <system_error>

namespace dftool {

namespace fs = std::filesystem;

namespace {

// C++17 leaves the file clock's epoch open; both clocks count real time, so their
// distance is a whole number of seconds, measured once.
std::chrono::seconds FileClockOffset() {
    static const std::chrono::seconds offset = [] {
        const auto file = fs::file_time_type::clock::now().time_since_epoch();
        const auto sys = std::chrono::system_clock::now().time_since_epoch();
        const auto diff = std::chrono::duration_cast<std::chrono::milliseconds>(file) -
                          std::chrono::duration_cast<std::chrono::milliseconds>(sys);
        return std::chrono::duration_cast<std::chrono::seconds>(diff + std::chrono::milliseconds(500) *
                                                                           (diff.count() < 0 ? -1 : 1));
    }();
    return offset;
}

std::string Because(const std::error_code& ec) { return ec.message(); }

}  // namespace

std::string PathText(const fs::path& path) { return path.u8string(); }

bool ReadWholeFile(const fs::path& path, std::vector<std::uint8_t>* bytes, std::string* error) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        *error = "cannot read \"" + PathText(path) + "\": " +
                 (fs::exists(path, ec) ? "not a regular file" : "no such file");
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot open \"" + PathText(path) + "\" for reading";
        return false;
    }
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        *error = "cannot read \"" + PathText(path) + "\"";
        return false;
    }
    return true;
}

bool WriteWholeFile(const fs::path& path, const std::uint8_t* data, std::size_t size, std::string* error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        *error = "cannot create \"" + PathText(path) + "\"";
        return false;
    }
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        *error = "cannot write \"" + PathText(path) + "\"";
        return false;
    }
    return true;
}

bool WriteFileAtomically(const fs::path& path, const std::vector<std::uint8_t>& bytes, std::string* error) {
    fs::path temp = path;
    temp += ".part";
    if (!WriteWholeFile(temp, bytes.data(), bytes.size(), error)) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        *error = "cannot replace \"" + PathText(path) + "\": " + Because(ec);
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

bool SetModificationTime(const fs::path& path, std::time_t when, std::string* error) {
    const auto sys = std::chrono::system_clock::from_time_t(when);
    const fs::file_time_type ft(
        std::chrono::duration_cast<fs::file_time_type::duration>(sys.time_since_epoch() + FileClockOffset()));
    std::error_code ec;
    fs::last_write_time(path, ft, ec);
    if (ec) {
        *error = "cannot set the time of \"" + PathText(path) + "\": " + Because(ec);
        return false;
    }
    return true;
}

bool GetModificationTime(const fs::path& path, std::time_t* when, std::string* error) {
    std::error_code ec;
    const fs::file_time_type ft = fs::last_write_time(path, ec);
    if (ec) {
        *error = "cannot read the time of \"" + PathText(path) + "\": " + Because(ec);
        return false;
    }
    const auto since = std::chrono::floor<std::chrono::seconds>(ft.time_since_epoch()) - FileClockOffset();
    *when = std::chrono::system_clock::to_time_t(std::chrono::system_clock::time_point(since));
    return true;
}

}  // namespace dftool
