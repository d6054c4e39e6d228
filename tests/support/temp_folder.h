// SPDX-License-Identifier: MIT
#pragma once
// A fresh folder per test, removed afterwards, with byte-exact file helpers.
#include <filesystem>
#include <string>
#include <string_view>

#include "store/powercut/powercut.h"
#include "store/settings/settings.h"

namespace durava::testing {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The folder as a program text, ending in the separator.
    std::string text() const;
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

  private:
    std::filesystem::path m_path;
};

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);
// Writes `bytes` as the folder's ROOMSETTING.ini and returns the program's handle on it.
store::SettingsFile WriteSettingsFile(const TempFolder& folder, std::string_view bytes);
// Makes every folder and file of `state` in the empty `folder`.
void WriteFolderState(const TempFolder& folder, const store::FolderState& state);

}  // namespace durava::testing

namespace durava::testing {

// The code page 936 bytes of a UTF-8 literal, converted independently of the code under test.
std::string Gbk(std::string_view utf8);

}  // namespace durava::testing
