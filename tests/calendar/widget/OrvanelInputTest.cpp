// Keyboard and mouse navigation of the schedule calendar.

#include <QTest>

#include "WidgetTestSupport.h"
#include "calendar/widget/OrvanelCalendar.h"

namespace orvexp::test {

namespace {

QPoint CellCentre(const TKyOrvanelCalendar& calendar, int column, int row)
{
    const TRect rect = calendar.CellRect(column, row);
    return calendar.contentsRect().topLeft() + QPoint((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2);
}

} // namespace

class TOrvanelInputTest : public QObject {
    Q_OBJECT

private slots:
    void keys_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<double>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<double>("expected");
        const int monthly1 = csMonthly1;
        const int monthly2 = csMonthly2;
        const int vertical = csVertical1;
        QTest::newRow("monthly2 2024-05-31 right") << monthly2 << Date(2024, 5, 31) << int(Qt::Key_Right) << Date(2024, 6, 1);
        QTest::newRow("monthly2 2024-05-01 left") << monthly2 << Date(2024, 5, 1) << int(Qt::Key_Left) << Date(2024, 4, 30);
        QTest::newRow("monthly2 2024-05-03 up") << monthly2 << Date(2024, 5, 3) << int(Qt::Key_Up) << Date(2024, 4, 26);
        QTest::newRow("monthly2 2024-05-29 down") << monthly2 << Date(2024, 5, 29) << int(Qt::Key_Down) << Date(2024, 6, 5);
        QTest::newRow("monthly2 2024-03-31 page up") << monthly2 << Date(2024, 3, 31) << int(Qt::Key_PageUp) << Date(2024, 2, 29);
        QTest::newRow("monthly2 2024-01-31 page down")
            << monthly2 << Date(2024, 1, 31) << int(Qt::Key_PageDown) << Date(2024, 2, 29);
        QTest::newRow("monthly2 2024-05-15 home") << monthly2 << Date(2024, 5, 15) << int(Qt::Key_Home) << Date(2024, 5, 15);
        QTest::newRow("monthly1 2024-05-15 right") << monthly1 << Date(2024, 5, 15) << int(Qt::Key_Right) << Date(2024, 5, 16);
        QTest::newRow("monthly1 2024-05-15 page up") << monthly1 << Date(2024, 5, 15) << int(Qt::Key_PageUp) << Date(2024, 4, 15);
        QTest::newRow("vertical 2024-05-15 up") << vertical << Date(2024, 5, 15) << int(Qt::Key_Up) << Date(2024, 5, 14);
        QTest::newRow("vertical 2024-05-31 down") << vertical << Date(2024, 5, 31) << int(Qt::Key_Down) << Date(2024, 6, 1);
        QTest::newRow("vertical 2024-05-15 page up") << vertical << Date(2024, 5, 15) << int(Qt::Key_PageUp) << Date(2024, 5, 8);
        QTest::newRow("vertical 2024-05-31 page down")
            << vertical << Date(2024, 5, 31) << int(Qt::Key_PageDown) << Date(2024, 6, 7);
        QTest::newRow("vertical 2024-05-15 right") << vertical << Date(2024, 5, 15) << int(Qt::Key_Right) << Date(2024, 5, 15);
        QTest::newRow("vertical 2024-05-15 left") << vertical << Date(2024, 5, 15) << int(Qt::Key_Left) << Date(2024, 5, 15);
    }
    void keys()
    {
        QFETCH(int, style);
        QFETCH(double, from);
        QFETCH(int, key);
        QFETCH(double, expected);
        TKyOrvanelCalendar calendar;
        calendar.SetCalendarStyle(static_cast<TKyOrvanelCalendarStyle>(style));
        calendar.SetCurrentDate(from);
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        QTest::keyClick(&calendar, static_cast<Qt::Key>(key));
        QCOMPARE(DateText(calendar.CurrentDate()), DateText(expected));
    }

    void clicks_data()
    {
        QTest::addColumn<bool>("neighborJump");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<double>("expected");
        // May 2024 (the 1st a Wednesday), 2024-05-15 selected.
        QTest::newRow("header cell") << true << 3 << 0 << Date(2024, 5, 15);
        QTest::newRow("2024-05-09") << true << 4 << 2 << Date(2024, 5, 9);
        QTest::newRow("2024-05-09 without jumps") << false << 4 << 2 << Date(2024, 5, 9);
        QTest::newRow("2024-04-28 neighbour with jumps") << true << 0 << 1 << Date(2024, 4, 28);
        QTest::newRow("2024-04-28 neighbour without jumps") << false << 0 << 1 << Date(2024, 5, 15);
        QTest::newRow("2024-06-08 neighbour without jumps") << false << 6 << 6 << Date(2024, 5, 15);
    }
    void clicks()
    {
        QFETCH(bool, neighborJump);
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(double, expected);
        TKyOrvanelCalendar calendar;
        calendar.SetCurrentDate(Date(2024, 5, 15));
        calendar.SetNeighborJump(neighborJump);
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        TEventLog log;
        log.Attach(calendar);
        QTest::mouseClick(&calendar, Qt::LeftButton, {}, CellCentre(calendar, column, row));
        QCOMPARE(DateText(calendar.CurrentDate()), DateText(expected));
        if (expected == Date(2024, 5, 15)) QCOMPARE(log.Text(), QString()); // not even an attempt
    }

    void clickBelowTheLastRowBand()
    {
        TKyOrvanelCalendar calendar;
        calendar.SetCurrentDate(Date(2024, 5, 15));
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        // Rows are 23 pixels from y 14: y 152..155 lie below them.
        QTest::mouseClick(&calendar, Qt::LeftButton, {}, calendar.contentsRect().topLeft() + QPoint(300, 154));
        QCOMPARE(DateText(calendar.CurrentDate()), DateText(Date(2024, 5, 15)));
    }

    void verticalClick_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<double>("expected");
        // Client height 156, seven rows starting 2024-05-01.
        QTest::newRow("y 0 is 2024-05-01") << 0 << Date(2024, 5, 1);
        QTest::newRow("y 22 is 2024-05-01") << 22 << Date(2024, 5, 1);
        QTest::newRow("y 23 is 2024-05-02") << 23 << Date(2024, 5, 2);
        QTest::newRow("y 80 is 2024-05-04") << 80 << Date(2024, 5, 4);
        QTest::newRow("y 155 is 2024-05-07") << 155 << Date(2024, 5, 7);
    }
    void verticalClick()
    {
        QFETCH(int, y);
        QFETCH(double, expected);
        TKyOrvanelCalendar calendar;
        calendar.SetCalendarStyle(csVertical1);
        calendar.SetCurrentDate(Date(2024, 5, 1));
        calendar.SetStartDate(Date(2024, 5, 1));
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        QTest::mouseClick(&calendar, Qt::LeftButton, {}, calendar.contentsRect().topLeft() + QPoint(100, y));
        QCOMPARE(DateText(calendar.CurrentDate()), DateText(expected));
        QCOMPARE(DateText(calendar.StartDate()), DateText(Date(2024, 5, 1)));
    }
};

static TRegisterTest<TOrvanelInputTest> registerOrvanelInputTest;

} // namespace orvexp::test

#include "OrvanelInputTest.moc"
