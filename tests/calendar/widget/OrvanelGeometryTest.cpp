// The schedule calendar's geometry: dates of the grid cells, cell rectangles,
// the cell under a point, the vertical style's rows, and the month change.

#include <QTest>

#include "WidgetTestSupport.h"
#include "calendar/widget/OrvanelCalendar.h"

Q_DECLARE_METATYPE(orvexp::TRect)

namespace orvexp::test {

class TOrvanelGeometryTest : public QObject {
    Q_OBJECT

private slots:
    void cellDate_data()
    {
        QTest::addColumn<double>("month");
        QTest::addColumn<int>("startDayOfWeek");
        QTest::addColumn<bool>("firstRowFirstDay");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<double>("expected");
        // 2023-10-01 is a Sunday, 2024-05-01 a Wednesday, 2022-01-01 a Saturday, 2023-12-01 a Friday.
        const double oct = Date(2023, 10, 15);
        QTest::newRow("2023-10 sun first (0,1) is 2023-09-24") << oct << 0 << false << 0 << 1 << Date(2023, 9, 24);
        QTest::newRow("2023-10 sun first (6,1) is 2023-09-30") << oct << 0 << false << 6 << 1 << Date(2023, 9, 30);
        QTest::newRow("2023-10 sun first (0,2) is 2023-10-01") << oct << 0 << false << 0 << 2 << Date(2023, 10, 1);
        QTest::newRow("2023-10 sun first (6,6) is 2023-11-04") << oct << 0 << false << 6 << 6 << Date(2023, 11, 4);
        QTest::newRow("2023-10 first row (0,1) is 2023-10-01") << oct << 0 << true << 0 << 1 << Date(2023, 10, 1);
        QTest::newRow("2023-10 first row (2,5) is 2023-10-31") << oct << 0 << true << 2 << 5 << Date(2023, 10, 31);
        QTest::newRow("2023-10 first row (6,6) is 2023-11-11") << oct << 0 << true << 6 << 6 << Date(2023, 11, 11);
        QTest::newRow("2023-10 mon first (6,1) is 2023-10-01") << oct << 1 << false << 6 << 1 << Date(2023, 10, 1);
        QTest::newRow("2023-10 mon first (0,1) is 2023-09-25") << oct << 1 << false << 0 << 1 << Date(2023, 9, 25);
        const double may = Date(2024, 5, 20);
        QTest::newRow("2024-05 sun first (0,1) is 2024-04-28") << may << 0 << false << 0 << 1 << Date(2024, 4, 28);
        QTest::newRow("2024-05 sun first (2,1) is 2024-04-30") << may << 0 << false << 2 << 1 << Date(2024, 4, 30);
        QTest::newRow("2024-05 sun first (3,1) is 2024-05-01") << may << 0 << false << 3 << 1 << Date(2024, 5, 1);
        QTest::newRow("2024-05 first row (3,1) is 2024-05-01") << may << 0 << true << 3 << 1 << Date(2024, 5, 1);
        QTest::newRow("2024-05 sun first (6,6) is 2024-06-08") << may << 0 << false << 6 << 6 << Date(2024, 6, 8);
        QTest::newRow("2024-05 sat first (0,1) is 2024-04-27") << may << 6 << false << 0 << 1 << Date(2024, 4, 27);
        QTest::newRow("2024-05 sat first (4,1) is 2024-05-01") << may << 6 << false << 4 << 1 << Date(2024, 5, 1);
        QTest::newRow("2024-05 wed first (0,2) is 2024-05-01") << may << 3 << false << 0 << 2 << Date(2024, 5, 1);
        QTest::newRow("2022-01 sun first (0,1) is 2021-12-26")
            << Date(2022, 1, 9) << 0 << false << 0 << 1 << Date(2021, 12, 26);
        QTest::newRow("2023-12 sun first (6,6) is 2024-01-06")
            << Date(2023, 12, 9) << 0 << false << 6 << 6 << Date(2024, 1, 6);
    }
    void cellDate()
    {
        QFETCH(double, month);
        QFETCH(int, startDayOfWeek);
        QFETCH(bool, firstRowFirstDay);
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(double, expected);
        TKyOrvanelCalendar calendar;
        calendar.SetCurrentDate(month);
        calendar.SetStartDayOfWeek(static_cast<TKyDayOfWeek>(startDayOfWeek));
        calendar.SetFirstRowFirstDay(firstRowFirstDay);
        TDateTime date = 0;
        QVERIFY(calendar.CellDate(column, row, date));
        QCOMPARE(DateText(date), DateText(expected));
    }

    void headerHasNoDate()
    {
        TKyOrvanelCalendar calendar;
        TDateTime date = 0;
        QVERIFY(!calendar.CellDate(3, 0, date));
        QVERIFY(!calendar.CellDate(7, 1, date));
        QVERIFY(!calendar.CellDate(0, 7, date));
    }

    void cellRect_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<TRect>("expected");
        // Client 316 x 156 (320 x 160 less the 2-pixel edge); header 12 + 2 = 14 high.
        QTest::newRow("header 0") << 0 << 0 << TRect{0, 0, 45, 14};
        QTest::newRow("header 6") << 6 << 0 << TRect{270, 0, 316, 14};
        QTest::newRow("cell 0,1") << 0 << 1 << TRect{0, 14, 45, 37};
        QTest::newRow("cell 3,2") << 3 << 2 << TRect{135, 37, 180, 61};
        QTest::newRow("cell 6,6") << 6 << 6 << TRect{270, 132, 316, 156};
    }
    void cellRect()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(TRect, expected);
        TKyOrvanelCalendar calendar;
        QCOMPARE(calendar.ClientWidth(), 316);
        QCOMPARE(calendar.ClientHeight(), 156);
        QCOMPARE(calendar.HeaderHeight(), 14);
        const TRect rect = calendar.CellRect(column, row);
        QCOMPARE(rect.Left, expected.Left);
        QCOMPARE(rect.Top, expected.Top);
        QCOMPARE(rect.Right, expected.Right);
        QCOMPARE(rect.Bottom, expected.Bottom);
    }

    void cellAtPoint_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        // Client 316 x 156: columns 316 div 7 = 45 wide; header 0..14; rows (156 - 14) div 6 = 23 high.
        QTest::newRow("origin is the header") << 0 << 0 << true << 0 << 0;
        QTest::newRow("y 14 is still the header") << 10 << 14 << true << 0 << 0;
        QTest::newRow("y 15 is row 1") << 10 << 15 << true << 0 << 1;
        QTest::newRow("y 36 is row 1") << 10 << 36 << true << 0 << 1;
        QTest::newRow("y 37 is row 2") << 10 << 37 << true << 0 << 2;
        QTest::newRow("y 151 is row 6") << 10 << 151 << true << 0 << 6;
        QTest::newRow("y 152 is below the rows") << 10 << 152 << false << 0 << 0;
        QTest::newRow("x 44 is column 0") << 44 << 50 << true << 0 << 2;
        QTest::newRow("x 45 is column 1") << 45 << 50 << true << 1 << 2;
        QTest::newRow("x 314 is column 6") << 314 << 100 << true << 6 << 4;
        QTest::newRow("x 315 is still column 6") << 315 << 100 << true << 6 << 4;
        QTest::newRow("x -1 is outside") << -1 << 100 << false << 0 << 0;
    }
    void cellAtPoint()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(bool, found);
        QFETCH(int, column);
        QFETCH(int, row);
        TKyOrvanelCalendar calendar;
        int c = -1;
        int r = -1;
        QCOMPARE(calendar.CellAtPoint(x, y, c, r), found);
        if (!found) return;
        QCOMPARE(c, column);
        QCOMPARE(r, row);
    }

    void daysToShowRefusesNonPositive()
    {
        TKyOrvanelCalendar calendar;
        QCOMPARE(calendar.DaysToShow(), 7);
        calendar.SetDaysToShow(0);
        QCOMPARE(calendar.DaysToShow(), 7);
        calendar.SetDaysToShow(-3);
        QCOMPARE(calendar.DaysToShow(), 7);
        calendar.SetDaysToShow(5);
        QCOMPARE(calendar.DaysToShow(), 5);
        QCOMPARE(calendar.DayRowRect(4).Bottom, calendar.ClientHeight());
        QCOMPARE(calendar.DayRowRect(1).Top, calendar.ClientHeight() / 5);
    }

    void verticalKeepsCurrentDateVisible_data()
    {
        QTest::addColumn<double>("current");
        QTest::addColumn<double>("firstRow");
        QTest::newRow("2024-05-05 inside") << Date(2024, 5, 5) << Date(2024, 5, 1);
        QTest::newRow("2024-05-07 last row") << Date(2024, 5, 7) << Date(2024, 5, 1);
        QTest::newRow("2024-05-09 after") << Date(2024, 5, 9) << Date(2024, 5, 3);
        QTest::newRow("2024-04-28 before") << Date(2024, 4, 28) << Date(2024, 4, 28);
    }
    void verticalKeepsCurrentDateVisible()
    {
        QFETCH(double, current);
        QFETCH(double, firstRow);
        TKyOrvanelCalendar calendar;
        calendar.SetCalendarStyle(csVertical1);
        calendar.SetCurrentDate(Date(2024, 5, 1));
        calendar.SetStartDate(Date(2024, 5, 1));
        QCOMPARE(calendar.DaysToShow(), 7);
        calendar.SetCurrentDate(current);
        QCOMPARE(DateText(calendar.StartDate()), DateText(firstRow));
    }

    void monthChangeFillsFirstLastAndAsksForSigns()
    {
        TKyOrvanelCalendar calendar;
        calendar.SetCurrentDate(Date(2024, 4, 10));
        QStringList log;
        calendar.OnYearMonthChange = [&](TKyCustomCalendar&, std::uint16_t, std::uint16_t m, std::uint16_t d) {
            log << QString("yearmonth %1/%2 %3..%4")
                       .arg(m)
                       .arg(d)
                       .arg(DateText(calendar.FirstDate()), DateText(calendar.LastDate()));
        };
        calendar.OnSetupScheduleSign = [&](TKyCustomOrvanelCalendar&, TMemoScheduleExistsArray& signs) {
            log << "signs";
            signs.fill({});
            signs[3].MemoExists = true; // cell (3,1)
            signs[41].ScheduleExists = true;
        };
        calendar.SetCurrentDate(Date(2024, 5, 20));
        QCOMPARE(log, QStringList({"yearmonth 5/20 2024/04/28..2024/06/08", "signs"}));
        QVERIFY(calendar.MemoScheduleExists()[3].MemoExists);
        QVERIFY(!calendar.MemoScheduleExists()[3].ScheduleExists);
        QVERIFY(calendar.MemoScheduleExists()[41].ScheduleExists);

        log.clear();
        calendar.SetStartDayOfWeek(kydwMonday);
        QCOMPARE(log, QStringList({"yearmonth 5/20 2024/04/29..2024/06/09", "signs"}));
        log.clear();
        calendar.SetStartDayOfWeek(kydwMonday);
        QCOMPARE(log, QStringList());
    }

    void creationDefaults()
    {
        TKyOrvanelCalendar calendar;
        QCOMPARE(calendar.Color(), clInfoBk);
        QCOMPARE(calendar.GridColor(), cl3DDkShadow);
        QCOMPARE(calendar.CalendarStyle(), csMonthly2);
        QCOMPARE(calendar.StartDayOfWeek(), kydwSunday);
        QVERIFY(!calendar.FirstRowFirstDay());
        QVERIFY(calendar.ShowNeighbor());
        QCOMPARE(calendar.NeighborColor(), 8421504);
        QCOMPARE(calendar.NeighborBkColor(), 12632256);
        QVERIFY(calendar.NeighborJump());
        QCOMPARE(calendar.DayOfWeekBkColor(), clBlack);
        QCOMPARE(calendar.HolidayBkColor(), 15790335);
        QCOMPARE(calendar.DaysOffBkColor(), 15790335);
        QCOMPARE(calendar.SpecialDaysBkColor(), 15790335);
        QVERIFY(!calendar.ShowRokuyo());
        QVERIFY(calendar.ShowDayContentsOnCalendar());
        QVERIFY(!calendar.ShowOnlyFirstLineOnCalendar());
        QCOMPARE(calendar.DayContentsBkColor(), clInfoBk);
        QVERIFY(calendar.AutoResize());
        QVERIFY(calendar.ShowDayText());
        QVERIFY(calendar.ShowGrid());
        QCOMPARE(calendar.ScheduleSign(), std::string("\x81\xA1"));
        QCOMPARE(calendar.MemoSign(), std::string("\x81\xA0"));
        QVERIFY(calendar.ShowScheduleSign());
        QVERIFY(calendar.ShowMemoSign());
        QCOMPARE(calendar.TodayBkColor(), 12639424);
        QCOMPARE(calendar.TodaySign(), ttsNone);
        QVERIFY(!calendar.ShowContentsOnClick());
        TKyCalendarFonts& fonts = calendar.Fonts();
        QCOMPARE(fonts.HolidayText().Size(), 7);
        QCOMPARE(fonts.HolidayText().Color(), QColor(Qt::red));
        QCOMPARE(fonts.SpecialDayText().Size(), 7);
        QCOMPARE(fonts.CustomDayOffText().Color(), QColor(Qt::red));
        QCOMPARE(fonts.ScheduleSign().Size(), 5);
        QCOMPARE(fonts.ScheduleSign().Color(), QColor(0, 0x80, 0));
        QCOMPARE(fonts.MemoSign().Size(), 5);
        QCOMPARE(fonts.MemoSign().Color(), QColor(Qt::blue));
        QVERIFY(fonts.DayOfWeek().Style() == TFontStyles{fsBold});
        QCOMPARE(fonts.DayOfWeek().Color(), QColor(Qt::white));
        for (const TMemoScheduleExists& signs : calendar.MemoScheduleExists()) {
            QVERIFY(!signs.MemoExists);
            QVERIFY(!signs.ScheduleExists);
        }
        TDateTime first = 0;
        QVERIFY(calendar.CellDate(0, 1, first));
        QCOMPARE(calendar.FirstDate(), first);
    }
};

static TRegisterTest<TOrvanelGeometryTest> registerOrvanelGeometryTest;

} // namespace orvexp::test

#include "OrvanelGeometryTest.moc"
