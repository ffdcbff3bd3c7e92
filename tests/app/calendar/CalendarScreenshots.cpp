// Draws the schedule calendar window in its three styles over a sample data
// folder and saves calendar-monthly1.png, calendar-monthly2.png and
// calendar-vertical1.png into the folder given (docs/ of the source tree).

#include <cstdio>

#include <QApplication>
#include <QPixmap>

#include "tests/app/calendar/SampleDataFolder.h"
#include "tests/calendar/widget/WidgetTestSupport.h"
#include "app/calendar/ScheduleCalendarWindow.h"

namespace orvexp::test {

std::vector<TTestFactory>& RegisteredTests()
{
    static std::vector<TTestFactory> tests;
    return tests;
}

} // namespace orvexp::test

int main(int argc, char** argv)
{
    using namespace orvexp;
    using namespace orvexp::test;
    if (argc != 2) {
        std::fprintf(stderr, "usage: calendar_screenshots OUTPUT-FOLDER\n");
        return 2;
    }
    QApplication application(argc, argv);
    TTempFolder folder;
    TScheduleCalendarWindow window(std::make_unique<TScheduleCalendarData>(WriteSampleDataFolder(folder.Path)));
    window.Calendar().Clock = [] { return Date(2024, 5, 15) + 0.4; };
    window.show();
    window.ShowDate(Date(2024, 5, 10));

    const struct {
        TKyOrvanelCalendarStyle Style;
        const char* Name;
    } shots[] = {{csMonthly1, "calendar-monthly1.png"},
                 {csMonthly2, "calendar-monthly2.png"},
                 {csVertical1, "calendar-vertical1.png"}};
    for (const auto& shot : shots) {
        window.SetStyle(shot.Style);
        QApplication::processEvents();
        const QString path = QString::fromLocal8Bit(argv[1]) + "/" + shot.Name;
        if (!window.grab().save(path)) {
            std::fprintf(stderr, "calendar_screenshots: %s could not be written\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
