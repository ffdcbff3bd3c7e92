#include "calendar/DayFiles.h"

#include <sys/stat.h>

#include "platform/ErrorText.h"
#include "platform/FileSystem.h"

#include <utility>

namespace orvexp {

bool LoadDayFileIfPresent(TKyDayItemList& list, const std::string& path, std::optional<TDayFileDamage>* damage)
{
    if (!FileExists(path)) return false;
    std::optional<TDayFileDamage> found = list.LoadFromFile(path);
    if (damage) *damage = std::move(found);
    return true;
}

namespace {

// A failed load leaves the list as it was; for the export it must add nothing.
// A missing file is no problem: a folder need not have all three.
void LoadOrEmpty(TKyDayItemList& list, const std::string& path, std::vector<TInputProblem>& problems)
{
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0) {
        list.Clear();
        return;
    }
    try {
        if (std::optional<TDayFileDamage> damage = list.LoadFromFile(path)) {
            problems.push_back({path, DayFileDamageText(path, *damage)});
        }
    } catch (const EFOpenError& e) {
        list.Clear();
        problems.push_back(UnreadableInput(path, ErrorText(e.Error != 0 ? e.Error : EIO)));
    }
}

} // namespace

std::vector<TInputProblem> LoadDayLists(TKyDayItemList& holidays, TKyDayItemList& specialDays,
                                        TKyDayItemList& daysOff, const TDayFilePaths& paths)
{
    std::vector<TInputProblem> problems;
    LoadOrEmpty(holidays, paths.Holidays, problems);
    LoadOrEmpty(specialDays, paths.SpecialDays, problems);
    LoadOrEmpty(daysOff, paths.DaysOff, problems);
    return problems;
}

std::string DayFileDamageText(const std::string& path, const TDayFileDamage& damage)
{
    const std::string kept = damage.KeptItems == 0 ? "読める項目はありません"
                                                   : "その前の欠けのない " + std::to_string(damage.KeptItems) +
                                                         " 件を使います";
    return "日のファイル " + path + ": " + damage.Problem + "。" + kept;
}

} // namespace orvexp
