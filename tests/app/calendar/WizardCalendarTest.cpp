// The schedule calendar as the wizard's form holds it.

#include <QTest>

#include "app/wizard/WizardCalendar.h"
#include "calendar/widget/OrvanelCalendar.h"
#include "tests/calendar/widget/WidgetTestSupport.h"

namespace orvexp::testing {

class TWizardCalendarTest : public QObject {
    Q_OBJECT

private slots:
    void wizardFormValues()
    {
        TKyOrvanelCalendar calendar;
        ApplyWizardCalendarValues(calendar);
        QCOMPARE(calendar.objectName(), QString("KyOrvanelCalendar1"));
        QVERIFY(calendar.isHidden());
        QCOMPARE(calendar.Year(), 1999);
        QCOMPARE(calendar.Month(), 12);
        QCOMPARE(calendar.Day(), 4);
        QCOMPARE(calendar.CurrentDate(), Date(1999, 12, 4));
        QCOMPARE(calendar.Color(), clInfoBk);
        QVERIFY(calendar.AutoEquinox());
        QVERIFY(calendar.AutoFurikae());
        QCOMPARE(calendar.CalendarStyle(), csMonthly2);
        const TKyCalendarFonts& fonts = calendar.Fonts();
        QVERIFY(!fonts.Synchronize() && !fonts.SizeSynchronize() && !fonts.StyleSynchronize());
        const struct {
            int Index;
            int Height;
            QColor Color;
        } expected[] = {
            {cfWeekday, -12, Qt::black},       {cfSaturday, -12, Qt::blue},
            {cfSunday, -12, Qt::red},          {cfDayOfWeek, -12, Qt::white},
            {cfHoliday, -12, Qt::red},         {cfSpecialDay, -12, Qt::red},
            {cfCustomDayOff, -12, Qt::red},    {cfRokuyo, -13, Qt::black},
            {cfHolidayText, -9, Qt::red},      {cfSpecialDayText, -9, Qt::red},
            {cfCustomDayOffText, -9, Qt::red}, {cfScheduleSign, -7, QColor(0, 0x80, 0)},
            {cfMemoSign, -7, Qt::blue},        {cfDayContents, -12, Qt::black},
        };
        for (const auto& font : expected) {
            const TKyFont& actual = fonts.GetFont(font.Index);
            QCOMPARE(actual.Height(), font.Height);
            QCOMPARE(actual.Color(), font.Color);
            QCOMPARE(actual.Name(), std::string("ＭＳ Ｐゴシック"));
            QCOMPARE(actual.Charset(), SHIFTJIS_CHARSET);
            QCOMPARE(actual.Style().Contains(fsBold), font.Index == cfDayOfWeek);
        }
    }
};

static TRegisterTest<TWizardCalendarTest> registerWizardCalendarTest;

} // namespace orvexp::testing

#include "WizardCalendarTest.moc"
