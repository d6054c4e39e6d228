// SPDX-License-Identifier: MIT
#pragma once
// A hall's two stores and its Durava folder in a temporary folder, with checkouts written as the
// program writes them: the record, then its journal entry.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "history/historyfile.h"
#include "support/temp_folder.h"
#include "trust/check.h"
#include "trust/journal.h"
#include "trust/protection.h"

namespace durava::trust::testing {

using durava::testing::Gbk;
using durava::testing::ReadBytes;
using durava::testing::WriteBytes;

// 2024/05/06 10:00 and `minutes` on.
inline core::DateTime At(int minutes) {
    return core::ToDateTime({2024, 5, 6, 10, 0, 0}) + minutes / 1440.0;
}

// The record of a use of `item` from an hour before `end` until `end` that cost `yuan`.
inline std::string RecordOf(const std::string& item, core::DateTime end, int yuan) {
    return item + "@" + TimeText(end - 1.0 / 24) + "@" + TimeText(end) +
           Gbk("@1 时 0 分 0 秒@4 小时 0 分@未超时@30 分钟@20 元 / 小时@70 元@0 元@￥") +
           std::to_string(yuan) + Gbk(" 元");
}

// Lines of a file without their CR LF.
inline std::vector<std::string> LinesOf(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    ForEachLine(ReadBytes(file),
                [&lines](std::string_view line, bool) { lines.emplace_back(line); });
    return lines;
}

inline void WriteLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    WriteBytes(file, bytes);
}

struct Hall {
    Hall() { std::filesystem::create_directories(History()); }

    std::filesystem::path History() const { return folder / "History"; }
    std::filesystem::path Durava() const { return folder / "Durava"; }
    std::filesystem::path MonthFile(int month = 202405) const {
        return History() / (std::to_string(month) + ".QY.txt");
    }
    std::filesystem::path JournalFile(int month = 202405) const {
        return JournalFilePath(Durava(), month);
    }

    // A checkout as the program makes it; its record is returned.
    std::string Checkout(Journal& by, const std::string& item, core::DateTime end, int yuan,
                         const std::string& operatorName = {}) {
        const std::string record = RecordOf(item, end, yuan);
        EXPECT_TRUE(history::AppendHistoryRecord(MonthFile(), record));
        EXPECT_EQ(by.Append(CheckoutEntry(end, operatorName, record, MonthFile())), std::nullopt);
        return record;
    }
    std::string Checkout(const std::string& item, core::DateTime end, int yuan,
                         const std::string& operatorName = {}) {
        return Checkout(journal, item, end, yuan, operatorName);
    }

    // The owner sets a password: the owner's file, and a chain begun with `key`.
    void OwnersChain(const JournalKey& key, core::DateTime time) {
        ASSERT_EQ(SetOwnerPassword(Durava(), *MakePassword(u"owner-pw", kCheapestCost)),
                  std::nullopt);
        ASSERT_EQ(journal.StartChain(key, ChainReason::OwnerPassword, time, {}), std::nullopt);
    }

    CheckReport Check(std::optional<JournalKey> ownerKey = std::nullopt) const {
        return CheckJournal({History(), Durava(), {2024, 5, 1}, {2024, 5, 31}, ownerKey});
    }

    durava::testing::TempFolder folder;
    Journal journal{Durava(), Protection::Unkeyed};
};

inline bool Finds(const CheckReport& report, FindingKind kind) {
    for (const Finding& finding : report.findings) {
        if (finding.kind == kind) return true;
    }
    return false;
}

}  // namespace durava::trust::testing
