// SPDX-License-Identifier: MIT
#pragma once
// Reading back a settings file as the program must leave it, for the tests that hammer it: whole
// sections of an item's six keys in their order, each item once.
#include <array>
#include <map>
#include <string>
#include <vector>

#include "core/fixedtexts.h"

namespace durava::testing {

inline std::array<std::string, 6> SettingsKeys() {
    const core::FixedTexts& t = core::Texts();
    return {t.initialPeriod, t.initialFee, t.minimumUnit, t.overtimePrice, t.state, t.startTime};
}

inline std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));  // no CR LF: shows up as a bad line
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

struct SettingsSections {
    std::map<std::string, std::array<std::string, 6>> values;  // by item name
    std::string fault;  // what breaks the file's shape; empty when it is whole
};

inline SettingsSections ReadWholeSections(const std::string& bytes) {
    SettingsSections read;
    if (!bytes.ends_with("\r\n")) {
        read.fault = "no CR LF at the end: " + bytes;
        return read;
    }
    const std::vector<std::string> lines = CrLfLines(bytes);
    const auto keys = SettingsKeys();
    for (std::size_t at = 0; at < lines.size(); at += 7) {
        const std::string& header = lines[at];
        if (!header.starts_with("[") || !header.ends_with("]")) {
            read.fault = "not a section header: " + header;
            return read;
        }
        const std::string name = header.substr(1, header.size() - 2);
        if (read.values.count(name) != 0) {
            read.fault = "section doubled: " + name;
            return read;
        }
        if (at + 7 > lines.size()) {
            read.fault = "section cut short: " + name;
            return read;
        }
        auto& values = read.values[name];
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const std::string& line = lines[at + 1 + k];
            if (!line.starts_with(keys[k] + "=")) {
                read.fault = "key " + keys[k] + " missing or out of order: " + line;
                return read;
            }
            values[k] = line.substr(keys[k].size() + 1);
        }
    }
    return read;
}

}  // namespace durava::testing
