// SPDX-License-Identifier: MIT
#pragma once
// ROOMSETTING.ini: an INI file of GBK text with CR LF line ends that reads and writes as the
// Windows private-profile functions do. Reads of an unchanged file cost a stat and a lookup;
// writes replace the file atomically and leave every byte they do not touch as it was.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/files/fileio.h"

namespace durava::store {

struct SettingWrite {
    std::string_view section, key, value;
};

class SettingsFile {
  public:
    explicit SettingsFile(std::filesystem::path path = {});
    ~SettingsFile();
    SettingsFile(SettingsFile&&) noexcept;
    SettingsFile& operator=(SettingsFile&&) noexcept;

    const std::filesystem::path& Path() const { return m_path; }

    // The value, else `fallback`, else the empty text; at most 10,239 bytes.
    std::string ReadSetting(std::string_view section, std::string_view key,
                            std::string_view fallback = {}) const;
    // False when the file could not be written; the file then holds what it held before.
    bool WriteSetting(std::string_view section, std::string_view key, std::string_view value);
    // The writes in order, as one replacement of the file: all of them land or none does.
    bool WriteSettings(std::span<const SettingWrite> writes);
    // The bytes WriteSettings would write, for a journal entry that must name them before they
    // land; nothing when it would write nothing.
    std::optional<std::string> BytesAfter(std::span<const SettingWrite> writes) const;
    // The file's bytes as a fresh look finds them, even while a OneLook lives: empty for a missing
    // file, nothing when it cannot be read.
    std::optional<std::string> BytesNow() const;
    // A number that changes whenever a look at the file finds content other than the last look
    // found: whoever wrote it, this program or another copy.
    std::uint64_t Generation() const;
    // Whether a section of that name exists, names matched as ReadSetting matches them.
    bool HasSection(std::string_view section) const;
    // The section's name as the file spells it ("B2" for "b2"); the name itself when absent.
    std::string SpellingOf(std::string_view section) const;
    // The names of the lines that open with "[" and hold a "]"; `names` is left as it was when
    // the file does not exist or cannot be read.
    void ReadSectionNames(std::vector<std::string>& names) const;
    // Removes the section's header and every line up to the next section. False when the file
    // could not be rewritten.
    bool RemoveSection(std::string_view name);

    // Why the last write failed: the file could not be read (then it is not written either), is
    // read-only, or the disk refused. None after a write that landed.
    FileProblem LastWriteProblem() const { return m_writeProblem; }
    // True when the last look at the file found it but could not read it.
    bool Unreadable() const;

    // While one lives, reads see the file as one look at it found it: a pass over a thousand
    // items costs one look, however often the file changes meanwhile. A write of this object
    // ends the view, so that the next read sees what was written.
    class [[nodiscard]] OneLook {
      public:
        explicit OneLook(const SettingsFile& file);
        ~OneLook();
        OneLook(const OneLook&) = delete;
        OneLook& operator=(const OneLook&) = delete;

      private:
        const SettingsFile& m_file;
    };

  private:
    struct Snapshot;
    const Snapshot* Current() const;
    const Snapshot* LookAgain() const;
    std::optional<std::string> Written(std::span<const SettingWrite> writes,
                                       FileProblem& problem) const;
    bool Replace(std::string_view bytes);

    std::filesystem::path m_path;
    mutable std::unique_ptr<Snapshot> m_snapshot;
    mutable bool m_lookFailed = false;  // the last look at the file could not read it
    mutable int m_views = 0;            // OneLook objects alive
    mutable bool m_viewTaken = false;   // their one look has been taken
    FileProblem m_writeProblem = FileProblem::None;
    mutable std::uint64_t m_generation = 0;
};

}  // namespace durava::store
