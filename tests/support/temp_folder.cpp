// SPDX-License-Identifier: MIT
#include "support/temp_folder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "store/startup.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace durava::testing {

TempFolder::TempFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
        const auto candidate =
            std::filesystem::temp_directory_path() / ("durava-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) m_path = candidate;
    }
    if (m_path.empty()) throw std::runtime_error("no temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Tests may leave read-only folders behind; make them removable first.
    // A destructor must not throw: step on with error codes only.
    for (std::filesystem::recursive_directory_iterator entry(m_path, ignored), end; entry != end;
         entry.increment(ignored)) {
        std::filesystem::permissions(entry->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::text() const {
    return m_path.string() + store::kPathSeparator;
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

store::SettingsFile WriteSettingsFile(const TempFolder& folder, std::string_view bytes) {
    WriteBytes(folder / "ROOMSETTING.ini", bytes);
    return store::SettingsFile(folder / "ROOMSETTING.ini");
}

void WriteFolderState(const TempFolder& folder, const store::FolderState& state) {
    // A folder sorts before what it holds.
    for (const auto& [path, bytes] : state) {
        if (bytes) {
            WriteBytes(folder / path, *bytes);
        } else {
            std::filesystem::create_directory(folder / path);
        }
    }
}

#ifdef _WIN32
std::string Gbk(std::string_view utf8) {
    // Strict, unlike the program's converter: no best fit, and any loss throws.
    const auto size = static_cast<int>(utf8.size());
    std::wstring wide(
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(),
                        static_cast<int>(wide.size()));
    std::string out(wide.size() * 2, '\0');
    BOOL lost = FALSE;
    out.resize(WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(),
                                   static_cast<int>(wide.size()), out.data(),
                                   static_cast<int>(out.size()), nullptr, &lost));
    if (lost || (out.empty() && !utf8.empty()))
        throw std::runtime_error("not GBK: " + std::string(utf8));
    return out;
}
#else
std::string Gbk(std::string_view utf8) {
    iconv_t converter = iconv_open("GBK", "UTF-8");
    std::string in(utf8), out(utf8.size() * 2 + 1, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    const std::size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) throw std::runtime_error("not GBK: " + in);
    out.resize(out.size() - outLeft);
    return out;
}
#endif

}  // namespace durava::testing
