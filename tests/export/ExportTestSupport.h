#pragma once
// Fixtures for the export tests: a scratch folder, files written byte for
// byte, schedule entries made in code.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "schedule/Alarm.h"

namespace orvexp::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempFolder {
public:
    TTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvexp-export-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        Path = pattern + "/";
    }
    ~TTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder with its trailing "/".
    std::string Path;
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Shift_JIS bytes of a UTF-8 literal, for readable expectations.
inline std::string Sjis(const std::string& utf8)
{
    return Utf8ToCp932(utf8);
}

inline std::unique_ptr<TAlarm2> MakeEntry(TAlarmKind kind, std::uint16_t year, std::uint16_t month, std::uint16_t day,
                                          std::uint16_t hour, std::uint16_t minute, std::vector<std::string> lines)
{
    auto entry = std::make_unique<TAlarm2>();
    entry->Kind = kind;
    entry->DateTime.Year = year;
    entry->DateTime.Month = month;
    entry->DateTime.Day = day;
    entry->DateTime.Hour = hour;
    entry->DateTime.Minute = minute;
    entry->Messages = std::move(lines);
    return entry;
}

} // namespace orvexp::testing
