// The calendar base: the change protocol, the date parts, navigation, the
// fonts chosen by day kind, and the window behaviour.

#include <QEnterEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "WidgetTestSupport.h"
#include "calendar/DayFiles.h"
#include "calendar/widget/CustomCalendar.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"

namespace orvexp::test {

namespace {

// A base calendar that notes every drawing in the same log as the events.
class TLoggingCalendar : public TKyCustomCalendar {
public:
    TEventLog Log;
    TLoggingCalendar() { Log.Attach(*this); }

protected:
    void DrawCalendar() override
    {
        Log.Entries.push_back("draw");
        TKyCustomCalendar::DrawCalendar();
    }
};

} // namespace

class TCalendarBaseTest : public QObject {
    Q_OBJECT

private slots:
    void creationDefaults()
    {
        TKyCustomCalendar calendar;
        QCOMPARE(calendar.width(), 320);
        QCOMPARE(calendar.height(), 160);
        QCOMPARE(calendar.focusPolicy(), Qt::StrongFocus);
        QVERIFY(calendar.AutoEquinox());
        QVERIFY(calendar.AutoFurikae());
        QCOMPARE(calendar.Color(), clWindow);
        QVERIFY(!calendar.MouseInside());
        // Selected at creation: now, with its time of day.
        QVERIFY(std::fabs(calendar.CurrentDate() - LocalNow()) < 1.0 / 24);

        TKyCalendarFonts& fonts = calendar.Fonts();
        QCOMPARE(fonts.Weekday().Color(), QColor(Qt::black));
        QCOMPARE(fonts.Saturday().Color(), QColor(Qt::blue));
        QCOMPARE(fonts.Sunday().Color(), QColor(Qt::red));
        QCOMPARE(fonts.DayOfWeek().Color(), QColor(Qt::white));
        QCOMPARE(fonts.Holiday().Color(), QColor(Qt::red));
        QCOMPARE(fonts.CustomDayOff().Color(), QColor(Qt::red));
        QCOMPARE(fonts.Rokuyo().Size(), 10);
        QCOMPARE(fonts.HolidayText().Size(), fonts.Weekday().Size() - 1);
        QCOMPARE(fonts.CustomDayOffText().Size(), fonts.Weekday().Size() - 1);
        QCOMPARE(fonts.MemoSign().Color(), QColor(Qt::black));
    }

    void changeProtocol_data()
    {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<QString>("events");
        QTest::newRow("2024-01-31 to 2024-02-01")
            << Date(2024, 1, 31) << Date(2024, 2, 1) << "before;yearmonth 2024/2/1;draw;day 2024/2/1";
        QTest::newRow("2024-02-01 to 2024-02-02") << Date(2024, 2, 1) << Date(2024, 2, 2) << "before;day 2024/2/2";
        QTest::newRow("2024-02-01 to itself") << Date(2024, 2, 1) << Date(2024, 2, 1) << "before";
        QTest::newRow("2024-12-31 to 2025-12-31")
            << Date(2024, 12, 31) << Date(2025, 12, 31) << "before;yearmonth 2025/12/31;draw;day 2025/12/31";
        QTest::newRow("2024-02-01 to its noon") << Date(2024, 2, 1) << Date(2024, 2, 1) + 0.5 << "before;day 2024/2/1";
        QTest::newRow("2024-02-01 to a value beyond 9999") << Date(2024, 2, 1) << Date(9999, 12, 31) + 1 << "before";
    }
    void changeProtocol()
    {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(QString, events);
        TLoggingCalendar calendar;
        calendar.SetCurrentDate(from);
        calendar.Log.Entries.clear();
        calendar.SetCurrentDate(to);
        QCOMPARE(calendar.Log.Text(), events);
        QCOMPARE(calendar.CurrentDate(), events == "before" ? from : to);
    }

    void partWrites_data()
    {
        QTest::addColumn<double>("from");
        QTest::addColumn<QString>("part");
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("events");
        QTest::newRow("2024-04-10 day 31 refused") << Date(2024, 4, 10) << "day" << 31 << Date(2024, 4, 10) << "";
        QTest::newRow("2024-01-31 month 2 refused") << Date(2024, 1, 31) << "month" << 2 << Date(2024, 1, 31) << "";
        QTest::newRow("2024-02-29 year 2023 refused") << Date(2024, 2, 29) << "year" << 2023 << Date(2024, 2, 29) << "";
        QTest::newRow("2024-04-10 day 0 refused") << Date(2024, 4, 10) << "day" << 0 << Date(2024, 4, 10) << "";
        QTest::newRow("2024-04-10 month 13 refused") << Date(2024, 4, 10) << "month" << 13 << Date(2024, 4, 10) << "";
        QTest::newRow("2024-04-10 day 30")
            << Date(2024, 4, 10) << "day" << 30 << Date(2024, 4, 30) << "before;day 2024/4/30;draw";
        QTest::newRow("2024-04-10 month 5")
            << Date(2024, 4, 10) << "month" << 5 << Date(2024, 5, 10)
            << "before;yearmonth 2024/5/10;draw;day 2024/5/10;draw";
        QTest::newRow("2024-02-29 year 2028")
            << Date(2024, 2, 29) << "year" << 2028 << Date(2028, 2, 29)
            << "before;yearmonth 2028/2/29;draw;day 2028/2/29;draw";
        // The time of day is dropped, so writing the current day still changes the date.
        QTest::newRow("2024-02-01 noon day 1")
            << Date(2024, 2, 1) + 0.5 << "day" << 1 << Date(2024, 2, 1) << "before;day 2024/2/1;draw";
    }
    void partWrites()
    {
        QFETCH(double, from);
        QFETCH(QString, part);
        QFETCH(int, value);
        QFETCH(double, expected);
        QFETCH(QString, events);
        TLoggingCalendar calendar;
        calendar.SetCurrentDate(from);
        calendar.Log.Entries.clear();
        const auto v = static_cast<std::uint16_t>(value);
        if (part == "day") calendar.SetDay(v);
        else if (part == "month") calendar.SetMonth(v);
        else calendar.SetYear(v);
        QCOMPARE(calendar.CurrentDate(), expected);
        QCOMPARE(calendar.Log.Text(), events);
    }

    void navigation_data()
    {
        QTest::addColumn<double>("from");
        QTest::addColumn<QString>("move");
        QTest::addColumn<double>("expected");
        const double noon = 0.5;
        QTest::newRow("2024-01-31 next month") << Date(2024, 1, 31) << "NextMonth" << Date(2024, 2, 29);
        QTest::newRow("2025-01-31 next month") << Date(2025, 1, 31) << "NextMonth" << Date(2025, 2, 28);
        QTest::newRow("2024-03-31 prev month") << Date(2024, 3, 31) << "PrevMonth" << Date(2024, 2, 29);
        QTest::newRow("2024-12-15 next month") << Date(2024, 12, 15) + noon << "NextMonth" << Date(2025, 1, 15) + noon;
        QTest::newRow("2024-01-15 prev month") << Date(2024, 1, 15) << "PrevMonth" << Date(2023, 12, 15);
        QTest::newRow("2024-05-31 next month") << Date(2024, 5, 31) << "NextMonth" << Date(2024, 6, 30);
        QTest::newRow("2024-02-28 next day") << Date(2024, 2, 28) + noon << "NextDay" << Date(2024, 2, 29) + noon;
        QTest::newRow("2024-03-01 prev day") << Date(2024, 3, 1) << "PrevDay" << Date(2024, 2, 29);
        QTest::newRow("2024-12-28 next week") << Date(2024, 12, 28) << "NextWeek" << Date(2025, 1, 4);
        QTest::newRow("2024-01-03 prev week") << Date(2024, 1, 3) + noon << "PrevWeek" << Date(2023, 12, 27) + noon;
        QTest::newRow("9999-12-31 next day") << Date(9999, 12, 31) << "NextDay" << Date(9999, 12, 31);
        QTest::newRow("9999-12-15 next month") << Date(9999, 12, 15) << "NextMonth" << Date(9999, 12, 15);
        QTest::newRow("0001-01-15 prev month") << Date(1, 1, 15) << "PrevMonth" << Date(1, 1, 15);
    }
    void navigation()
    {
        QFETCH(double, from);
        QFETCH(QString, move);
        QFETCH(double, expected);
        TKyCustomCalendar calendar;
        calendar.SetCurrentDate(from);
        if (move == "NextMonth") calendar.NextMonth();
        else if (move == "PrevMonth") calendar.PrevMonth();
        else if (move == "NextDay") calendar.NextDay();
        else if (move == "PrevDay") calendar.PrevDay();
        else if (move == "NextWeek") calendar.NextWeek();
        else if (move == "PrevWeek") calendar.PrevWeek();
        QCOMPARE(calendar.CurrentDate(), expected);
    }

    void currentDayOfWeek()
    {
        TKyCustomCalendar calendar;
        calendar.SetCurrentDate(Date(2024, 2, 11));
        QCOMPARE(calendar.CurrentDayOfWeek(), 1); // Sunday
        calendar.SetCurrentDate(Date(2024, 2, 10) + 0.75);
        QCOMPARE(calendar.CurrentDayOfWeek(), 7); // Saturday
        QCOMPARE(calendar.Year(), 2024);
        QCOMPARE(calendar.Month(), 2);
        QCOMPARE(calendar.Day(), 10);
    }

    void dayFonts_data()
    {
        QTest::addColumn<double>("date");
        QTest::addColumn<int>("dayFont");
        QTest::addColumn<int>("textFont");
        // 2024-02-11 is a Sunday; the lists are filled in dayFonts().
        QTest::newRow("2024-02-11 Sunday holiday") << Date(2024, 2, 11) << int(cfHoliday) << int(cfHolidayText);
        QTest::newRow("2024-02-10 Saturday day off")
            << Date(2024, 2, 10) << int(cfCustomDayOff) << int(cfCustomDayOffText);
        QTest::newRow("2024-02-12 substitute Monday") << Date(2024, 2, 12) << int(cfHoliday) << int(cfHolidayText);
        QTest::newRow("2024-02-17 plain Saturday") << Date(2024, 2, 17) << int(cfSaturday) << int(cfWeekday);
        QTest::newRow("2024-02-18 plain Sunday") << Date(2024, 2, 18) << int(cfSunday) << int(cfWeekday);
        QTest::newRow("2024-02-14 special day") << Date(2024, 2, 14) << int(cfSpecialDay) << int(cfSpecialDayText);
        QTest::newRow("2024-02-15 ordinary Thursday") << Date(2024, 2, 15) << int(cfWeekday) << int(cfWeekday);
        QTest::newRow("2024-02-23 holiday and special day")
            << Date(2024, 2, 23) << int(cfSpecialDay) << int(cfSpecialDayText);
        QTest::newRow("2024-03-20 computed equinox") << Date(2024, 3, 20) << int(cfHoliday) << int(cfHolidayText);
    }
    void dayFonts()
    {
        QFETCH(double, date);
        QFETCH(int, dayFont);
        QFETCH(int, textFont);
        TKyCustomCalendar calendar;
        AddMonthDay(calendar.HolidayList(), 2, 11, "a");
        AddMonthDay(calendar.HolidayList(), 2, 23, "b");
        AddMonthDay(calendar.SpecialDayList(), 2, 14, "c");
        AddMonthDay(calendar.SpecialDayList(), 2, 23, "d");
        AddMonthDay(calendar.CustomDayOffList(), 2, 10, "e");
        const TDateParts parts = DecodeDate(date);
        const auto y = static_cast<std::uint16_t>(parts.Year);
        const auto m = static_cast<std::uint8_t>(parts.Month);
        const auto d = static_cast<std::uint8_t>(parts.Day);
        QCOMPARE(&calendar.GetDayFont(y, m, d), &calendar.Fonts().GetFont(dayFont));
        QCOMPARE(&calendar.GetDayTextFont(y, m, d), &calendar.Fonts().GetFont(textFont));
    }

    void listLoadRedraws()
    {
        TTempFolder folder;
        TKyDayItemList items;
        AddMonthDay(items, 5, 3, "x");
        const std::string path = folder / "holidays.dat";
        WriteFileAtomically(path, WriteDayFile(items));

        TLoggingCalendar calendar;
        calendar.Log.Entries.clear();
        calendar.HolidayList().LoadFromFile(path);
        QCOMPARE(calendar.HolidayList().Count(), 1);
        QCOMPARE(calendar.Log.Text(), QString("draw"));

        calendar.Log.Entries.clear();
        calendar.SetAutoEquinox(false);
        calendar.SetAutoFurikae(false);
        QVERIFY(!calendar.DateEx().AutoEquinox);
        QVERIFY(!calendar.DateEx().AutoFurikae);
        QCOMPARE(calendar.Log.Text(), QString()); // writing the rules does not redraw
    }

    void hiddenCalendarDrawsWhenShown()
    {
        TLoggingCalendar calendar;
        calendar.hide();
        calendar.Log.Entries.clear();
        AddMonthDay(calendar.HolidayList(), 5, 3, "x");
        calendar.HolidayList().Changed();
        calendar.SetColor(0x654321);
        QCOMPARE(calendar.Log.Text(), QString());
        calendar.show();
        QCOMPARE(calendar.Log.Text(), QString("draw"));
        QCOMPARE(QColor(calendar.Bitmap().pixel(5, 5)), QColor(0x21, 0x43, 0x65));
    }

    void colorRedrawsOnChange()
    {
        TLoggingCalendar calendar;
        calendar.Log.Entries.clear();
        calendar.SetColor(clWindow);
        QCOMPARE(calendar.Log.Text(), QString());
        calendar.SetColor(0x123456);
        QCOMPARE(calendar.Log.Text(), QString("draw"));
        QCOMPARE(QColor(calendar.Bitmap().pixel(5, 5)), QColor(0x56, 0x34, 0x12));
    }

    void mouseEnterAndLeave()
    {
        TKyCustomCalendar calendar;
        QStringList events;
        calendar.OnMouseEnter = [&](TKyCustomCalendar&) { events << "enter"; };
        calendar.OnMouseLeave = [&](TKyCustomCalendar&) { events << "leave"; };
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(&calendar, &enter);
        QVERIFY(calendar.MouseInside());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&calendar, &leave);
        QVERIFY(!calendar.MouseInside());
        QCOMPARE(events, QStringList({"enter", "leave"}));
    }

    void resizeRedrawsAtTheNewSize()
    {
        TLoggingCalendar calendar;
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        calendar.Log.Entries.clear();
        calendar.resize(400, 300);
        QCoreApplication::processEvents();
        QCOMPARE(calendar.Bitmap().size(), QSize(calendar.ClientWidth(), calendar.ClientHeight()));
        QCOMPARE(calendar.ClientWidth(), 400 - 2 * calendar.frameWidth());
        QVERIFY(calendar.Log.Entries.size() >= 1);
    }

    void hasFocusOnAForm()
    {
        QWidget form;
        QVBoxLayout layout(&form);
        QLineEdit edit;
        TKyCustomCalendar calendar;
        layout.addWidget(&edit);
        layout.addWidget(&calendar);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        calendar.setFocus();
        QVERIFY(calendar.HasFocus());
        edit.setFocus();
        QVERIFY(!calendar.HasFocus());
    }
};

static TRegisterTest<TCalendarBaseTest> registerCalendarBaseTest;

} // namespace orvexp::test

#include "CalendarBaseTest.moc"
