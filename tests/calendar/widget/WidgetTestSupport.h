#pragma once
// Helpers shared by the calendar control tests: the test registry, dates,
// day items, an event log, and the scratch folder of tests/support.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QString>

#include "calendar/DayItem.h"
#include "calendar/widget/CustomCalendar.h"
#include "platform/DateTime.h"
#include "tests/support/DayItems.h"
#include "tests/support/TempFolder.h"

namespace orvexp::test {

// Every test class registers itself; main runs them all in one application.
using TTestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TTestFactory>& RegisteredTests();

template <typename T> struct TRegisterTest {
    TRegisterTest() { RegisteredTests().push_back([] { return std::make_unique<T>(); }); }
};

inline TDateTime Date(int year, unsigned month, unsigned day)
{
    return EncodeDate(year, month, day);
}

inline QString DateText(TDateTime date)
{
    return QString::fromStdString(FormatDateText(date));
}

// A holiday, special day or day off on one month and day of every year.
inline void AddMonthDay(TKyDayItemList& list, std::uint16_t month, std::uint16_t day, const std::string& text)
{
    list.Add(std::make_unique<TKyDayItem>(MonthDayItem(month, day, text)));
}

// Records the calendar's date events as "before", "yearmonth Y/M/D", "day Y/M/D".
struct TEventLog {
    std::vector<std::string> Entries;

    void Attach(TKyCustomCalendar& calendar)
    {
        calendar.OnBeforeDayCahnge = [this](TKyCustomCalendar&) { Entries.push_back("before"); };
        calendar.OnYearMonthChange = [this](TKyCustomCalendar&, std::uint16_t y, std::uint16_t m, std::uint16_t d) {
            Entries.push_back("yearmonth " + Ymd(y, m, d));
        };
        calendar.OnDayChange = [this](TKyCustomCalendar&, std::uint16_t y, std::uint16_t m, std::uint16_t d) {
            Entries.push_back("day " + Ymd(y, m, d));
        };
    }
    QString Text() const
    {
        std::string text;
        for (const std::string& entry : Entries) text += (text.empty() ? "" : ";") + entry;
        return QString::fromStdString(text);
    }
    static std::string Ymd(unsigned y, unsigned m, unsigned d)
    {
        return std::to_string(y) + "/" + std::to_string(m) + "/" + std::to_string(d);
    }
};

} // namespace orvexp::test
