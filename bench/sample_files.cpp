// SPDX-License-Identifier: MIT
#include "sample_files.h"

#include <cstdio>

#include "core/codepage.h"
#include "core/numbers.h"
#include "support/temp_folder.h"

namespace durava::bench {
namespace {

const testing::TempFolder& SampleFolder() {
    static const testing::TempFolder folder;
    return folder;
}

// Writes `count` numbered copies of `body` into a file that lives as long as the run.
std::string WriteSample(const char* fileName, int count, const std::string& prefix,
                        const std::string& body) {
    const testing::TempFolder& folder = SampleFolder();
    std::string bytes;
    for (int n = 1; n <= count; ++n) bytes += prefix + core::IntegerToText(n) + body;
    testing::WriteBytes(folder / fileName, bytes);
    return folder.text() + fileName;
}

}  // namespace

const std::string& SampleSettingsPath() {
    static const std::string path = WriteSample(
        "ROOMSETTING.ini", kSampleItems, "[R",
        core::WideToText(u"]\r\n状态=使用中\r\n开始时间=2024/05/06 13:00:00\r\n初始时段=240\r\n"
                         u"初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n"));
    return path;
}

const std::string& SampleMonthPath() {
    static const std::string path = WriteSample(
        "202405.QY.txt", kSampleRecords, "A",
        core::WideToText(
            u"@2024/05/06 13:00:00@2024/05/06 18:31:00@5 时 31 分 0 秒@4 小时 0 分@1 时 31 分"
            u"@30 分钟@20 元 / 小时@70 元@40 元@￥110 元\r\n"));
    return path;
}

const std::filesystem::path& SampleYearFolder() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path year = SampleFolder() / "year";
        std::filesystem::create_directories(year);
        for (int month = 1; month <= 12; ++month) {
            char name[16];
            std::snprintf(name, sizeof name, "2024%02d.QY.txt", month);
            std::filesystem::copy_file(SampleMonthPath(), year / name,
                                       std::filesystem::copy_options::overwrite_existing);
        }
        return year;
    }();
    return folder;
}

}  // namespace durava::bench
