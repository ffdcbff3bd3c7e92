// What the schedule calendar draws: backgrounds by day kind, hidden
// neighbour days, the month label, the day contents' line steps, and the
// partial redraw after a date change.

#include <QFontMetrics>
#include <QTest>

#include "WidgetTestSupport.h"
#include "calendar/widget/CalendarCanvas.h"
#include "calendar/widget/OrvanelCalendar.h"

namespace orvexp::test {

namespace {

QColor Pixel(const TKyOrvanelCalendar& calendar, int x, int y)
{
    return QColor(calendar.Bitmap().pixel(x, y));
}

// The first row of `rect` holding a pixel of `color`; -1 when none does.
int FirstRowWith(const TKyOrvanelCalendar& calendar, const TRect& rect, const QColor& color)
{
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            if (Pixel(calendar, x, y) == color) return y;
    return -1;
}

// The columns of `rect` in which any pixel differs from `background`: {first, last}.
std::pair<int, int> InkColumns(const TKyOrvanelCalendar& calendar, const TRect& rect, const QColor& background)
{
    int first = -1;
    int last = -1;
    for (int x = rect.Left; x < rect.Right; ++x)
        for (int y = rect.Top; y < rect.Bottom; ++y)
            if (Pixel(calendar, x, y) != background) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return {first, last};
}

// A large calendar on May 2024 with "today" far away and plain colours.
void Prepare(TKyOrvanelCalendar& calendar)
{
    calendar.Clock = [] { return Date(2030, 1, 1); };
    calendar.resize(704, 500);
    calendar.SetCurrentDate(Date(2024, 5, 15));
    calendar.SetColor(clWhite);
    calendar.Redraw();
}

} // namespace

class TOrvanelDrawTest : public QObject {
    Q_OBJECT

private slots:
    void backgrounds_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("showNeighbor");
        QTest::addColumn<QColor>("expected");
        // May 2024; the lists are filled in backgrounds(); today is 2024-05-08 (3,2).
        QTest::newRow("2024-05-09 plain") << 4 << 2 << true << QColor(Qt::white);
        QTest::newRow("2024-05-08 today") << 3 << 2 << true << QColor(0x11, 0x11, 0x11);
        QTest::newRow("2024-05-03 holiday") << 5 << 1 << true << QColor(0x22, 0x22, 0x22);
        QTest::newRow("2024-05-10 special day") << 5 << 2 << true << QColor(0x33, 0x33, 0x33);
        QTest::newRow("2024-05-17 day off") << 5 << 3 << true << QColor(0x44, 0x44, 0x44);
        QTest::newRow("2024-05-24 day off and holiday") << 5 << 4 << true << QColor(0x44, 0x44, 0x44);
        QTest::newRow("2024-04-29 neighbour holiday") << 1 << 1 << true << QColor(0x22, 0x22, 0x22);
        QTest::newRow("2024-04-29 hidden neighbour holiday") << 1 << 1 << false << QColor(0x55, 0x55, 0x55);
        QTest::newRow("2024-04-28 plain neighbour") << 0 << 1 << true << QColor(0x55, 0x55, 0x55);
    }
    void backgrounds()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(bool, showNeighbor);
        QFETCH(QColor, expected);
        TKyOrvanelCalendar calendar;
        AddMonthDay(calendar.HolidayList(), 5, 3, "");
        AddMonthDay(calendar.HolidayList(), 4, 29, "");
        AddMonthDay(calendar.HolidayList(), 5, 24, "");
        AddMonthDay(calendar.SpecialDayList(), 5, 10, "");
        AddMonthDay(calendar.CustomDayOffList(), 5, 17, "");
        AddMonthDay(calendar.CustomDayOffList(), 5, 24, "");
        Prepare(calendar);
        calendar.Clock = [] { return Date(2024, 5, 8) + 0.4; };
        calendar.SetTodayBkColor(0x111111);
        calendar.SetHolidayBkColor(0x222222);
        calendar.SetSpecialDaysBkColor(0x333333);
        calendar.SetDaysOffBkColor(0x444444);
        calendar.SetNeighborBkColor(0x555555);
        calendar.SetShowNeighbor(showNeighbor);
        calendar.Redraw();
        const TRect rect = calendar.CellRect(column, row);
        QCOMPARE(Pixel(calendar, rect.Right - 3, rect.Bottom - 3), expected);
    }

    void hiddenNeighbourShowsOnlyItsBackground()
    {
        TKyOrvanelCalendar calendar;
        Prepare(calendar);
        const TRect rect = calendar.CellRect(1, 1); // 2024-04-29
        const QColor silver = ColorToQColor(clSilver);
        QVERIFY(InkColumns(calendar, rect, silver).first >= 0); // number and grid while shown
        calendar.SetShowNeighbor(false);
        QCOMPARE(InkColumns(calendar, rect, silver).first, -1);
    }

    void monthlyLabelOnTheFirst()
    {
        TKyOrvanelCalendar calendar;
        Prepare(calendar);
        calendar.SetCurrentDate(Date(2024, 12, 10));
        calendar.SetShowGrid(false);
        calendar.Redraw();
        QImage scratch(8, 8, QImage::Format_RGB32);
        const TKyFont& font = calendar.Fonts().Weekday();
        const int h = std::abs(font.Height());
        // 2024-12-01 is a Sunday in row 2 (Sunday font); 2024-12-02 the Monday beside it.
        const struct {
            int Column;
            const char* Label;
            const TKyFont* Font;
        } cells[] = {{0, "12/1", &calendar.Fonts().Sunday()}, {1, "2", &font}};
        for (const auto& cell : cells) {
            const TRect rect = calendar.CellRect(cell.Column, 2);
            const TRect band{rect.Left + 4, rect.Top + 4, rect.Right, rect.Top + h + 6};
            const auto [first, last] = InkColumns(calendar, band, QColor(Qt::white));
            const QFontMetrics metrics(cell.Font->Font(), &scratch);
            const int width = metrics.tightBoundingRect(QString::fromLatin1(cell.Label)).width();
            QVERIFY2(first >= band.Left && first <= band.Left + 2, cell.Label);
            QVERIFY2(std::abs((last - first + 1) - width) <= 1,
                     qPrintable(QString("%1: ink %2..%3, text width %4").arg(cell.Label).arg(first).arg(last).arg(width)));
        }
    }

    void contentWithoutLineBreakStillTakesALine()
    {
        const QColor lime(0, 255, 0);
        const auto topOfSecondItem = [&](const std::string& firstItem) {
            TKyOrvanelCalendar calendar;
            calendar.OnDrawDayContents = [&](TKyCustomOrvanelCalendar&, std::uint16_t, std::uint16_t m,
                                             std::uint16_t d, TKyDrawDayTextList& list) {
                if (m != 5 || d != 9) return;
                list.Add(firstItem, clBlack);
                list.Add("\x81\xA1\x81\xA1\x81\xA1\r\n", clLime); // ■■■
            };
            Prepare(calendar);
            return FirstRowWith(calendar, calendar.CellRect(4, 2), lime);
        };
        const int afterEmpty = topOfSecondItem("");
        const int afterUnbroken = topOfSecondItem("no line break");
        const int afterOneLine = topOfSecondItem("one line\r\n");
        const int afterTwoLines = topOfSecondItem("one\r\ntwo\r\n");
        QVERIFY(afterEmpty > 0);
        TKyOrvanelCalendar calendar;
        QImage scratch(8, 8, QImage::Format_RGB32);
        QPainter painter(&scratch);
        const int lineHeight = TextHeight(painter, calendar.Fonts().DayContents());
        QCOMPARE(afterUnbroken - afterEmpty, lineHeight);
        QCOMPARE(afterOneLine - afterEmpty, lineHeight);
        QCOMPARE(afterTwoLines - afterEmpty, 2 * lineHeight);

        Prepare(calendar); // a line the cell cannot hold whole is left out, not cut through
        const int room = calendar.CellRect(4, 2).Bottom - 1 - afterEmpty;
        QVERIFY(room % lineHeight > lineHeight / 2);
        std::string filler;
        for (int line = 0; line < room / lineHeight; ++line) filler += "x\r\n";
        QCOMPARE(topOfSecondItem(filler), -1);
    }

    void dateChangeRedrawsOnlyTwoCells_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<double>("to");
        QTest::addColumn<QStringList>("drawn");
        QTest::newRow("monthly2 2024-05-15 to 2024-05-16")
            << int(csMonthly2) << Date(2024, 5, 16) << QStringList({"2024/05/15", "2024/05/16"});
        QTest::newRow("monthly2 2024-05-15 to 2024-05-02")
            << int(csMonthly2) << Date(2024, 5, 2) << QStringList({"2024/05/15", "2024/05/02"});
        QTest::newRow("vertical 2024-05-15 to 2024-05-16")
            << int(csVertical1) << Date(2024, 5, 16)
            << QStringList({"2024/05/10", "2024/05/11", "2024/05/12", "2024/05/13", "2024/05/14", "2024/05/15",
                            "2024/05/16"});
    }
    void dateChangeRedrawsOnlyTwoCells()
    {
        QFETCH(int, style);
        QFETCH(double, to);
        QFETCH(QStringList, drawn);
        TKyOrvanelCalendar calendar;
        calendar.SetCalendarStyle(static_cast<TKyOrvanelCalendarStyle>(style));
        calendar.SetCurrentDate(Date(2024, 5, 15));
        calendar.SetStartDate(Date(2024, 5, 9));
        calendar.Redraw();
        QStringList log;
        calendar.OnDrawDayContents = [&](TKyCustomOrvanelCalendar&, std::uint16_t y, std::uint16_t m,
                                         std::uint16_t d, TKyDrawDayTextList&) {
            log << DateText(Date(y, m, d));
        };
        calendar.SetCurrentDate(to);
        QCOMPARE(log, drawn);
        int column = 0;
        int row = 0;
        if (style != csVertical1) {
            QVERIFY(calendar.SelectedCell(column, row));
            TDateTime selected = 0;
            QVERIFY(calendar.CellDate(column, row, selected));
            QCOMPARE(DateText(selected), DateText(to));
        }
    }

    void monthChangeRedrawsTheGrid()
    {
        TKyOrvanelCalendar calendar;
        calendar.SetCurrentDate(Date(2024, 5, 15));
        int drawn = 0;
        calendar.OnDrawDayContents = [&](TKyCustomOrvanelCalendar&, std::uint16_t, std::uint16_t, std::uint16_t,
                                         TKyDrawDayTextList&) { ++drawn; };
        calendar.NextMonth();
        QCOMPARE(drawn, kGridCellCount + 2);
    }
};

static TRegisterTest<TOrvanelDrawTest> registerOrvanelDrawTest;

} // namespace orvexp::test

#include "OrvanelDrawTest.moc"
