#include "manifest.h"

#include "entry_name.h"
#include "timestamp.h"

namespace dftool {

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

bool ParseType(const std::string& text, std::uint8_t* type) {
    if (text.empty() || text.size() > 3) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value > 255) return false;
    *type = static_cast<std::uint8_t>(value);
    return true;
}

bool IsBlankOrComment(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string::npos || line[first] == '#';
}

}  // namespace

Manifest ParseManifest(const std::string& text, const std::filesystem::path& baseDir) {
    Manifest manifest;
    std::size_t pos = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int lineNo = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (IsBlankOrComment(line)) continue;

        const std::string where = "line " + std::to_string(lineNo) + ": ";
        const std::vector<std::string> fields = SplitTabs(line);
        if (fields.size() != 4) {
            manifest.errors.push_back(where + "expected 4 tab-separated fields (type, timestamp, name, source), found " +
                                      std::to_string(fields.size()));
            continue;
        }
        ManifestEntry entry;
        entry.line = lineNo;
        if (!ParseType(fields[0], &entry.targetType)) {
            manifest.errors.push_back(where + "the target type \"" + fields[0] + "\" is not a number from 0 to 255");
            continue;
        }
        if (const std::string error = CheckTimestamp(fields[1]); !error.empty()) {
            manifest.errors.push_back(where + error + ", not \"" + fields[1] + "\"");
            continue;
        }
        entry.timestamp = fields[1];
        entry.name = fields[2];
        const EncodedName encoded = EncodeEntryName(entry.name, entry.targetType);
        if (!encoded.error.empty()) {
            manifest.errors.push_back(where + "name \"" + entry.name + "\" refused: " + encoded.error);
            continue;
        }
        entry.nameBytes = encoded.bytes;
        if (fields[3].empty()) {
            manifest.errors.push_back(where + "the source file is missing");
            continue;
        }
        const std::filesystem::path source = std::filesystem::u8path(fields[3]);
        entry.source = source.is_absolute() ? source : baseDir / source;
        manifest.entries.push_back(std::move(entry));
    }
    return manifest;
}

}  // namespace dftool
