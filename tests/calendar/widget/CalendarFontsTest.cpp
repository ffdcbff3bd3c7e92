// The font set: writes by index under the three synchronisation flags,
// copying a whole set, and the redraw a font change causes.

#include <QTest>

#include "WidgetTestSupport.h"
#include "calendar/widget/CalendarFonts.h"
#include "calendar/widget/CustomCalendar.h"

namespace orvexp::test {

namespace {

// Each font of the set made different in colour, style and size.
void MakeDistinct(TKyCalendarFonts& fonts)
{
    for (int i = 0; i < TKyCalendarFonts::kFontCount; ++i) {
        TKyFont& font = fonts.GetFont(i);
        font.SetColor(QColor(i * 10, 0, 255 - i * 10));
        font.SetStyle(i % 2 ? TFontStyles{fsItalic} : TFontStyles{fsUnderline});
        font.SetSize(6 + i);
    }
}

TKyFont BoldFourteen()
{
    TKyFont font;
    font.SetName("IPAGothic");
    font.SetSize(14);
    font.SetStyle({fsBold});
    font.SetColor(Qt::magenta);
    return font;
}

class TCountingCalendar : public TKyCustomCalendar {
public:
    int Draws = 0;

protected:
    void DrawCalendar() override
    {
        ++Draws;
        TKyCustomCalendar::DrawCalendar();
    }
};

} // namespace

class TCalendarFontsTest : public QObject {
    Q_OBJECT

private slots:
    void sizeAndHeight_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("height");
        // Heights stored on the wizard form and the sizes the calendars set.
        QTest::newRow("5 pt") << 5 << -7;
        QTest::newRow("7 pt") << 7 << -9;
        QTest::newRow("9 pt") << 9 << -12;
        QTest::newRow("10 pt") << 10 << -13;
        QTest::newRow("14 pt") << 14 << -19;
    }
    void sizeAndHeight()
    {
        QFETCH(int, size);
        QFETCH(int, height);
        TKyFont font;
        font.SetSize(size);
        QCOMPARE(font.Height(), height);
        QCOMPARE(font.Size(), size);
        QCOMPARE(font.Font().pixelSize(), -height);
    }

    void sizeSynchronize()
    {
        TKyCalendarFonts fonts;
        MakeDistinct(fonts);
        TKyCalendarFonts before;
        before.Assign(fonts);
        fonts.SetSizeSynchronize(true);
        fonts.SetHoliday(BoldFourteen());
        for (int i = 0; i < TKyCalendarFonts::kFontCount; ++i) {
            const TKyFont& font = fonts.GetFont(i);
            QCOMPARE(font.Size(), 14);
            QCOMPARE(font.Color(), before.GetFont(i).Color());
            QVERIFY(font.Style() == before.GetFont(i).Style());
            QCOMPARE(font.Name(), before.GetFont(i).Name());
        }
    }

    void synchronizeCopiesEverything()
    {
        TKyCalendarFonts fonts;
        MakeDistinct(fonts);
        fonts.SetSynchronize(true);
        fonts.SetSizeSynchronize(true); // Synchronize wins
        fonts.SetFont(cfMemoSign, BoldFourteen());
        for (int i = 0; i < TKyCalendarFonts::kFontCount; ++i) QVERIFY(fonts.GetFont(i).SameAs(BoldFourteen()));
    }

    void styleSynchronize()
    {
        TKyCalendarFonts fonts;
        MakeDistinct(fonts);
        TKyCalendarFonts before;
        before.Assign(fonts);
        fonts.SetStyleSynchronize(true);
        fonts.SetSunday(BoldFourteen());
        for (int i = 0; i < TKyCalendarFonts::kFontCount; ++i) {
            QVERIFY(fonts.GetFont(i).Style() == TFontStyles{fsBold});
            QCOMPARE(fonts.GetFont(i).Size(), before.GetFont(i).Size());
            QCOMPARE(fonts.GetFont(i).Color(), before.GetFont(i).Color());
        }
    }

    void plainWriteTouchesOneFont()
    {
        TKyCalendarFonts fonts;
        MakeDistinct(fonts);
        TKyCalendarFonts before;
        before.Assign(fonts);
        fonts.SetDayContents(BoldFourteen());
        for (int i = 0; i < TKyCalendarFonts::kFontCount; ++i) {
            if (i == cfDayContents) QVERIFY(fonts.GetFont(i).SameAs(BoldFourteen()));
            else QVERIFY(fonts.GetFont(i).SameAs(before.GetFont(i)));
        }
        // Writing one of the set's own fonts to another index.
        fonts.SetWeekday(fonts.GetFont(cfDayContents));
        QVERIFY(fonts.Weekday().SameAs(BoldFourteen()));
    }

    void assignCopiesFontsAndFlags()
    {
        TKyCalendarFonts source;
        MakeDistinct(source);
        source.SetSynchronize(true);
        source.SetStyleSynchronize(true);
        TKyCalendarFonts copy;
        copy.Assign(source);
        for (int i = 0; i < TKyCalendarFonts::kFontCount; ++i) {
            QVERIFY(copy.GetFont(i).SameAs(source.GetFont(i)));
            QVERIFY(&copy.GetFont(i) != &source.GetFont(i));
        }
        QVERIFY(copy.Synchronize());
        QVERIFY(!copy.SizeSynchronize());
        QVERIFY(copy.StyleSynchronize());
    }

    void indexOutOfRange()
    {
        TKyCalendarFonts fonts;
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, fonts.GetFont(14));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, fonts.GetFont(-1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, fonts.SetFont(14, TKyFont()));
    }

    void fontChangesRedraw()
    {
        TCountingCalendar calendar;
        calendar.Draws = 0;
        calendar.Fonts().Sunday().SetColor(Qt::darkRed);
        QCOMPARE(calendar.Draws, 1);
        calendar.Fonts().Sunday().SetColor(Qt::darkRed); // no change, no redraw
        QCOMPARE(calendar.Draws, 1);

        TKyCalendarFonts other;
        other.SetSizeSynchronize(true);
        calendar.Draws = 0;
        calendar.SetFonts(other);
        QVERIFY(calendar.Draws >= 1);
        QVERIFY(calendar.Fonts().SizeSynchronize());
        QVERIFY(calendar.Fonts().Sunday().SameAs(other.Sunday()));
    }
};

static TRegisterTest<TCalendarFontsTest> registerCalendarFontsTest;

} // namespace orvexp::test

#include "CalendarFontsTest.moc"
