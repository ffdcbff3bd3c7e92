// The window of `orvexp calendar`: the schedule calendar of a data folder in a
// window of its own, with the holidays, the schedule and memo signs and the day
// contents.

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include <QApplication>

#include "app/Messages.h"
#include "app/Settings.h"
#include "app/Translation.h"
#include "app/cli/CommandLine.h"
#include "app/calendar/CalendarWindow.h"

#include "app/WindowProgram.h"
#include "app/window/WindowSetup.h"
#include "app/calendar/ScheduleCalendarWindow.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"

namespace orvexp {

namespace {

TKyOrvanelCalendarStyle StyleOf(const std::string& name)
{
    if (name == "monthly1") return csMonthly1;
    if (name == "vertical1") return csVertical1;
    return csMonthly2;
}

} // namespace

int RunCalendarWindow(const TCalendarOptions& options)
{
    const TKyOrvanelCalendarStyle style = StyleOf(options.Style);
    const TDateTime date = options.Date;
    const std::string dataFile = options.DataFile.empty() ? DefaultScheduleFile() : options.DataFile;
    // Loaded before any window exists, so a bad file ends with one line on standard error.
    std::unique_ptr<TScheduleCalendarData> data;
    try {
        if (!FileExists(dataFile)) throw EFOpenError(dataFile, FileAbsenceError(dataFile));
        data = std::make_unique<TScheduleCalendarData>(dataFile);
    } catch (const std::exception& e) {
        throw std::runtime_error(msg::ScheduleFileFailureLine(dataFile, e));
    }
    if (!HaveDisplay()) throw std::runtime_error(Tr("no display to show the calendar on (DISPLAY is not set)"));

    static int argc = 1;
    static char name[] = "orvexp";
    static char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    SetUpWindowApplication(application);
    TScheduleCalendarWindow window(std::move(data));
    for (const std::string& problem : window.DayFileProblems())
        std::cerr << "orvexp: " << problem << "（これを除いて表示します）\n";
    window.SetStyle(style);
    if (date != 0) window.ShowDate(date);
    PlaceOnScreen(window, window.size());
    window.show();
    return QApplication::exec();
}

} // namespace orvexp
