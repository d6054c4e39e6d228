#pragma once
// ROOMSETTING.ini: an INI file of GBK text with CR LF line ends that reads and writes as the
// Windows private-profile functions do. Reads of an unchanged file cost a stat and a lookup;
// writes replace the file atomically and leave every byte they do not touch as it was.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace durava::core {

struct SettingWrite {
    std::string_view section, key, value;
};

class SettingsFile {
  public:
    explicit SettingsFile(std::string path = {});
    ~SettingsFile();
    SettingsFile(SettingsFile&&) noexcept;
    SettingsFile& operator=(SettingsFile&&) noexcept;

    // The file's path as a program text.
    const std::string& Path() const { return m_path; }

    // The value, else `fallback`, else the empty text; at most 10,239 bytes.
    std::string ReadSetting(std::string_view section, std::string_view key,
                            std::string_view fallback = {}) const;
    // False when the file could not be written; the file then holds what it held before.
    bool WriteSetting(std::string_view section, std::string_view key, std::string_view value);
    // The writes in order, as one replacement of the file: all of them land or none does.
    bool WriteSettings(std::span<const SettingWrite> writes);
    // A number that changes whenever a look at the file finds content other than the last look
    // found: whoever wrote it, this program or another copy.
    std::uint64_t Generation() const;
    // False when the file exists but cannot be read just now: reads then give what it last held.
    bool Readable() const;
    // Whether a section of that name exists, names matched as ReadSetting matches them.
    bool HasSection(std::string_view section) const;
    // The names of the lines that open with "[" and hold a "]"; `names` is left as it was when
    // the file does not exist or cannot be read.
    void ReadSectionNames(std::vector<std::string>& names) const;
    // Removes the section's header and every line up to the next section. False when the file
    // could not be rewritten.
    bool RemoveSection(std::string_view name);

  private:
    struct Snapshot;
    const Snapshot* Current() const;

    std::string m_path;
    std::string m_nativePath;
    mutable std::unique_ptr<Snapshot> m_snapshot;
    mutable bool m_lookFailed = false;  // the last look at the file could not read it
    mutable std::uint64_t m_generation = 0;
};

}  // namespace durava::core
