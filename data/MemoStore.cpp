#include "data/MemoStore.h"

#include <cerrno>
#include <charconv>

#include "platform/ErrorText.h"
#include "platform/Text.h"

namespace orvexp {

std::vector<std::string> SplitMemoLines(std::string_view bytes)
{
    const auto nul = bytes.find('\0');
    if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(bytes.substr(start, i - start));
        i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2u : 1u;
        start = i;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

std::string MemoFileName(TDateTime date)
{
    // Once per day of an export: no printf.
    const TDateParts parts = DecodeDate(date);
    char name[32];
    char* end = std::to_chars(name, name + 12, parts.Year).ptr;
    for (const unsigned part : {parts.Month, parts.Day}) {
        *end++ = static_cast<char>('0' + part / 10 % 10);
        *end++ = static_cast<char>('0' + part % 10);
    }
    return std::string(name, end) + ".txt";
}

TMemoStore::TMemoStore(const TDataFolder& folder)
{
    const std::string memoFolder = folder.FindMemoFolder();
    if (memoFolder.empty()) return;
    Index.emplace(memoFolder);
    if (const int error = Index->ListError()) {
        // A file or a dangling link named Memo, or a folder we may not list.
        FProblems.push_back(UnreadableInput(memoFolder, error == ENOTDIR ? "フォルダではありません" : ErrorText(error),
                                            true));
        Index.reset();
    }
}

std::string TMemoStore::MemoFilePath(TDateTime date) const
{
    if (!Index) return {};
    const std::string name = MemoFileName(date);
    std::string found = Index->Find(name);
    return found.empty() ? JoinPath(Index->Folder(), name) : found;
}

TFilePresence TMemoStore::ReadMemoFile(TDateTime date, std::string& bytes, int& error) const
{
    // Only names in the listing can exist; the rest need no look at the disk.
    const std::string name = Index->FindName(MemoFileName(date));
    if (name.empty()) {
        bytes.clear();
        return TFilePresence::Missing;
    }
    return Index->ReadFileIfPresent(name, bytes, kMaxMemoFileSize, &error);
}

std::optional<TDayNumber> TMemoStore::FirstMemoDay() const
{
    if (!Index) return std::nullopt;
    std::optional<TDayNumber> first;
    for (const std::string& name : Index->ListedNames()) {
        // "<year><mm><dd>.txt", the year without leading zeros: exactly the name of a date.
        if (name.size() < 9 || !SameTextIgnoringAsciiCase(name.substr(name.size() - 4), ".txt")) continue;
        const std::string_view digits(name.data(), name.size() - 4);
        if (digits.find_first_not_of("0123456789") != std::string_view::npos || digits.front() == '0') continue;
        int year = 0;
        unsigned month = 0, day = 0;
        std::from_chars(digits.data(), digits.data() + digits.size() - 4, year);
        std::from_chars(digits.data() + digits.size() - 4, digits.data() + digits.size() - 2, month);
        std::from_chars(digits.data() + digits.size() - 2, digits.data() + digits.size(), day);
        TDayNumber date = 0;
        if (digits.size() > 8 || !TryEncodeDay(year, month, day, date)) continue;
        if (!first || date < *first) first = date;
    }
    return first;
}

std::int64_t TMemoStore::MemoModifiedSeconds(TDateTime date) const
{
    if (!Index) return 0;
    const std::string name = Index->FindName(MemoFileName(date));
    return name.empty() ? 0 : Index->ModifiedSeconds(name);
}

bool TMemoStore::ReadMemoLines(TDateTime date, std::vector<std::string>& lines) const
{
    lines.clear();
    if (!Index) return false;
    int error = 0;
    const TFilePresence presence = ReadMemoFile(date, Bytes, error);
    switch (presence) {
    case TFilePresence::Missing: return false;
    case TFilePresence::Unreadable: // present, without lines
        FProblems.push_back(UnreadableInput(MemoFilePath(date), error == EFBIG ? "16 MiB を超えています" : ErrorText(error)));
        return true;
    case TFilePresence::Read: break;
    }
    lines = SplitMemoLines(Bytes);
    return true;
}

std::string TMemoStore::MemoText(TDateTime date) const
{
    std::vector<std::string> lines;
    ReadMemoLines(date, lines);
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

} // namespace orvexp
