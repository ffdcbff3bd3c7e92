#pragma once
// TKyCustomOrvanelCalendar: the calendar base with what a schedule calendar
// shows besides the dates - schedule and memo signs, grid lines, the colour
// of today, the day texts - and the events through which its owner tells
// which days carry schedules or memos and what a day's contents are.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calendar/widget/CustomCalendar.h"

namespace orvexp {

// One day cell of the month grid: whether the date has a memo, whether it has schedules.
struct TMemoScheduleExists {
    bool MemoExists = false;
    bool ScheduleExists = false;
};
static_assert(sizeof(TMemoScheduleExists) == 2);

// Entry (row - 1) * 7 + column belongs to grid cell (column 0-6, row 1-6).
inline constexpr int kGridCellCount = 42;
using TMemoScheduleExistsArray = std::array<TMemoScheduleExists, kGridCellCount>;

enum TKyTodaySign : std::uint8_t { ttsSquare, ttsNone };

// One content text of a day (Shift_JIS, CR LF-terminated lines) and its colour.
struct TKyDrawDayTextItem {
    std::string Text;
    TColor Color = clBlack;
};

// The contents of one drawn day, filled by the calendar's owner.
class TKyDrawDayTextList {
public:
    TKyDrawDayTextItem& Add(std::string text, TColor color = clBlack);
    int Count() const { return static_cast<int>(Items.size()); }
    const TKyDrawDayTextItem& operator[](int index) const { return *Items.at(static_cast<std::size_t>(index)); }
    TKyDrawDayTextItem& operator[](int index) { return *Items.at(static_cast<std::size_t>(index)); }
    void Clear() { Items.clear(); }

private:
    std::vector<std::unique_ptr<TKyDrawDayTextItem>> Items;
};

class TKyCustomOrvanelCalendar : public TKyCustomCalendar {
    Q_OBJECT

public:
    using TDrawDayContentsEvent = std::function<void(TKyCustomOrvanelCalendar& sender, std::uint16_t year,
                                                     std::uint16_t month, std::uint16_t day,
                                                     TKyDrawDayTextList& dayTextList)>;
    using TDrawScheduleSignEvent =
        std::function<void(TKyCustomOrvanelCalendar& sender, std::uint16_t year, std::uint16_t month,
                           std::uint16_t day, bool& scheduleExists, bool& memoExists)>;
    using TSetupScheduleSignEvent =
        std::function<void(TKyCustomOrvanelCalendar& sender, TMemoScheduleExistsArray& memoScheduleExists)>;

    explicit TKyCustomOrvanelCalendar(QWidget* parent = nullptr);

    // The owner fills the contents of the day being drawn.
    TDrawDayContentsEvent OnDrawDayContents;
    // The owner tells whether a date has schedules or a memo (vertical style).
    TDrawScheduleSignEvent OnDrawScheduleSign;
    // The owner fills the signs of the displayed month's grid.
    TSetupScheduleSignEvent OnSetupScheduleSign;

    bool ShowDayText() const { return FShowDayText; }
    void SetShowDayText(bool value);
    bool ShowGrid() const { return FShowGrid; }
    void SetShowGrid(bool value);
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor value);
    // Shift_JIS bytes.
    const std::string& ScheduleSign() const { return FScheduleSign; }
    void SetScheduleSign(const std::string& value);
    const std::string& MemoSign() const { return FMemoSign; }
    void SetMemoSign(const std::string& value);
    bool ShowScheduleSign() const { return FShowScheduleSign; }
    void SetShowScheduleSign(bool value);
    bool ShowMemoSign() const { return FShowMemoSign; }
    void SetShowMemoSign(bool value);
    TColor TodayBkColor() const { return FTodayBkColor; }
    void SetTodayBkColor(TColor value);
    TKyTodaySign TodaySign() const { return FTodaySign; }
    void SetTodaySign(TKyTodaySign value);
    // Stored only.
    bool ShowContentsOnClick() const { return FShowContentsOnClick; }
    void SetShowContentsOnClick(bool value) { FShowContentsOnClick = value; }

    // Asks the owner for the displayed month's signs again and redraws: for an
    // owner whose data changed, or that assigned its events after creation.
    void UpdateScheduleSigns();

    // The signs of the grid cells as the owner last set them.
    const TMemoScheduleExistsArray& MemoScheduleExists() const { return FMemoScheduleExists; }

protected:
    virtual void DoDrawDayContents(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                                   TKyDrawDayTextList& dayTextList);
    virtual void DoDrawScheduleSign(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                                    bool& scheduleExists, bool& memoExists);
    virtual void DoSetupScheduleSign(TMemoScheduleExistsArray& memoScheduleExists);
    // After the year/month event, asks the owner for the new month's signs.
    void DoYearMonthChange(std::uint16_t year, std::uint16_t month, std::uint16_t day) override;

    TMemoScheduleExistsArray FMemoScheduleExists{};

private:
    template <typename T> void Store(T& field, const T& value)
    {
        if (field == value) return;
        field = value;
        Redraw();
    }

    bool FShowDayText = false;
    bool FShowGrid = false;
    TColor FGridColor = clBlack;
    std::string FScheduleSign;
    std::string FMemoSign;
    bool FShowScheduleSign = true;
    bool FShowMemoSign = true;
    TColor FTodayBkColor = 12639424;
    TKyTodaySign FTodaySign = ttsNone;
    bool FShowContentsOnClick = false;
};

} // namespace orvexp
