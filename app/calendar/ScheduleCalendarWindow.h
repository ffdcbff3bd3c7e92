#pragma once
// The window of `orvexp calendar`: the schedule calendar on one data folder,
// with a choice of the three styles and buttons for the month.

#include <memory>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "calendar/widget/OrvanelCalendar.h"
#include "app/calendar/ScheduleCalendarData.h"

namespace orvexp {

class TScheduleCalendarWindow : public QWidget {
    Q_OBJECT

public:
    // Shows `data` (owned from now on); its day files are loaded into the calendar.
    explicit TScheduleCalendarWindow(std::unique_ptr<TScheduleCalendarData> data, QWidget* parent = nullptr);
    ~TScheduleCalendarWindow() override;

    TKyOrvanelCalendar& Calendar() { return FCalendar; }
    QComboBox& StyleBox() { return FStyleBox; }
    QLabel& MonthLabel() { return FMonthLabel; }
    const TScheduleCalendarData& Data() const { return *FData; }
    // Problems met while reading the day files (UTF-8), for the caller to report.
    const std::vector<std::string>& DayFileProblems() const { return FDayFileProblems; }

    // Selects `date` and shows its month (or week, in the vertical style).
    void ShowDate(TDateTime date);
    void SetStyle(TKyOrvanelCalendarStyle style);

private:
    void UpdateMonthLabel();

    std::unique_ptr<TScheduleCalendarData> FData;
    QVBoxLayout FLayout;
    QHBoxLayout FToolbar;
    QPushButton FPrevButton;
    QPushButton FTodayButton;
    QPushButton FNextButton;
    QLabel FMonthLabel;
    QComboBox FStyleBox;
    TKyOrvanelCalendar FCalendar;
    std::vector<std::string> FDayFileProblems;
};

} // namespace orvexp
