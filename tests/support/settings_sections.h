// SPDX-License-Identifier: MIT
#pragma once
// Items' sections of the settings file: written as the program leaves them, for the files a test
// starts from, and read back whole, for the tests that hammer the file.
#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/fixedtexts.h"

namespace durava::testing {

// An item's tariff as its section holds it, under 初始时段, 初始费用, 最小单位 and 超时单价; a
// value left out has no line.
struct TariffLines {
    std::optional<std::string> period = {}, fee = {}, unit = {}, price = {};
};
// What the item dialog's 默认 button fills in.
inline const TariffLines kDefaultTariff{.period = "240", .fee = "70", .unit = "30", .price = "20"};

// An item's section as the profile functions write it when the program saves and starts items:
// "[name]", then a key=value line per value given, in the order the program writes the keys,
// each line ending in CR LF. UTF-8 here, as the tests write their texts; Gbk() makes the bytes.
class ItemSection {
  public:
    explicit ItemSection(std::string name) : m_name(std::move(name)) {}
    ItemSection& Tariff(TariffLines tariff) {
        m_tariff = std::move(tariff);
        return *this;
    }
    ItemSection& Idle() { return State("空闲中", "无"); }
    ItemSection& InUse(std::string start) { return State("使用中", std::move(start)); }

    operator std::string() const {
        std::string text = "[" + m_name + "]\r\n";
        const auto line = [&text](const char* key, const std::optional<std::string>& value) {
            if (value) text += std::string(key) + "=" + *value + "\r\n";
        };
        line("初始时段", m_tariff.period);
        line("初始费用", m_tariff.fee);
        line("最小单位", m_tariff.unit);
        line("超时单价", m_tariff.price);
        line("状态", m_state);
        line("开始时间", m_start);
        return text;
    }
    // Sections follow one another in the file.
    friend std::string operator+(std::string before, const ItemSection& section) {
        return before += std::string(section);
    }
    friend std::string operator+(const ItemSection& section, const std::string& after) {
        return std::string(section) + after;
    }
    friend std::string operator+(const ItemSection& first, const ItemSection& second) {
        return std::string(first) + std::string(second);
    }

  private:
    ItemSection& State(std::string state, std::string start) {
        m_state = std::move(state);
        m_start = std::move(start);
        return *this;
    }

    std::string m_name;
    TariffLines m_tariff;
    std::optional<std::string> m_state, m_start;
};

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
