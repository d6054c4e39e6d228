// SPDX-License-Identifier: MIT
#pragma once
// A hall's two stores and its Durava folder in a temporary folder, with checkouts written as the
// program writes them: the record, then its journal entry; and as a kill or a settings file that
// takes no write leaves them.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "history/historyfile.h"
#include "journal/files/journalfiles.h"
#include "journal/journal.h"
#include "people/protection.h"
#include "store/files/fileio.h"
#include "support/checkouts.h"
#include "support/temp_folder.h"

namespace durava::testing {

// 2024/05/06 10:00 and `minutes` on.
inline core::DateTime At(int minutes) {
    return core::ToDateTime({2024, 5, 6, 10, 0, 0}) + minutes / 1440.0;
}

// The record of a use of `item` from an hour before `end` until `end` that cost `yuan`.
inline std::string RecordOf(const std::string& item, core::DateTime end, int yuan) {
    return item + "@" + core::TimeText(end - 1.0 / 24) + "@" + core::TimeText(end) +
           Gbk("@1 时 0 分 0 秒@4 小时 0 分@未超时@30 分钟@20 元 / 小时@70 元@0 元@￥") +
           std::to_string(yuan) + Gbk(" 元");
}

// Lines of a file without their CR LF.
inline std::vector<std::string> LinesOf(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    journal::ForEachLine(ReadBytes(file),
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
        return journal::JournalFilePath(Durava(), month);
    }

    // A checkout as the program makes it; its record is returned.
    std::string Checkout(journal::Journal& by, const std::string& item, core::DateTime end,
                         int yuan, const std::string& operatorName = {}) {
        const std::string record = RecordOf(item, end, yuan);
        EXPECT_TRUE(history::AppendHistoryRecord(MonthFile(), record));
        EXPECT_EQ(by.Append(CheckoutEntryOf(end, operatorName, record, MonthFile())), std::nullopt);
        return record;
    }
    std::string Checkout(const std::string& item, core::DateTime end, int yuan,
                         const std::string& operatorName = {}) {
        return Checkout(journal, item, end, yuan, operatorName);
    }

    // A checkout a kill cut short before it set the item idle: the next checkout finds the record
    // and journals it again, late.
    std::string CheckoutJournaledAgain(const std::string& item, core::DateTime end, int yuan,
                                       const std::string& operatorName) {
        const std::string record = Checkout(item, end, yuan, operatorName);
        EXPECT_EQ(journal.Append(CheckoutEntryOf(end, operatorName, record, MonthFile(), true)),
                  std::nullopt);
        return record;
    }

    // The owner sets `password`, whose key begins the chain, as the owner's settings do; a change
    // keeps the chains of the password `was` open.
    void OwnerSets(std::u16string_view password, core::DateTime time,
                   std::u16string_view was = {}) {
        std::optional<people::NewPassword> made =
            people::MakePassword(password, journal::kCheapestCost);
        ASSERT_TRUE(made);
        if (!was.empty()) {
            ASSERT_TRUE(people::KeepEarlierKeys(*made, *people::ReadOwner(Durava()).content, was));
        }
        ASSERT_EQ(people::SetOwnerPassword(Durava(), *made), std::nullopt);
        ASSERT_EQ(journal.StartChain(made->firstJournalKey, journal::ChainReason::OwnerPassword,
                                     time, {}),
                  std::nullopt);
    }

    // A checkout that could not set the item idle: it removes its record and takes back its entry.
    void CheckoutTakenBack(const std::string& item, core::DateTime end, int yuan,
                           const std::string& operatorName) {
        const std::optional<store::FileLook> before = store::LookAt(MonthFile());
        const std::string record = Checkout(item, end, yuan, operatorName);
        EXPECT_TRUE(history::RemoveLastHistoryRecord(
            MonthFile(), record, before ? std::optional(before->size) : std::nullopt));
        journal::Entry takenBack =
            journal::TakenBackEntry(end, item, record, Gbk("设置文件写不进去"));
        takenBack.operatorName = operatorName;
        EXPECT_EQ(journal.Append(takenBack), std::nullopt);
    }

    durava::testing::TempFolder folder;
    journal::Journal journal{Durava(), journal::Protection::Unkeyed};
};

}  // namespace durava::testing
