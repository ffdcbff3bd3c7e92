// The control's own Shift_JIS texts against glibc's converter, and the
// Windows colour values against the palette.

#include <QGuiApplication>
#include <QPalette>
#include <QTest>

#include "WidgetTestSupport.h"
#include "calendar/widget/WidgetTexts.h"
#include "calendar/widget/WinColors.h"
#include "platform/Text.h"

namespace orvexp::test {

class TWidgetTextsTest : public QObject {
    Q_OBJECT

private slots:
    void sjisTexts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("schedule sign") << QByteArray(sjis::kScheduleSign) << QString("■");
        QTest::newRow("memo sign") << QByteArray(sjis::kMemoSign) << QString("□");
    }
    void sjisTexts()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        std::string converted;
        QVERIFY(Utf8ToCp932(text.toStdString(), converted));
        QCOMPARE(QByteArray::fromStdString(converted), bytes);
    }

    void colors_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<QColor>("expected");
        const QPalette palette = QGuiApplication::palette();
        QTest::newRow("red 255") << int(clRed) << QColor(255, 0, 0);
        QTest::newRow("blue 16711680") << int(clBlue) << QColor(0, 0, 255);
        QTest::newRow("0x563412") << 0x563412 << QColor(0x12, 0x34, 0x56);
        QTest::newRow("today 12639424") << 12639424 << QColor(0xC0, 0xDC, 0xC0);
        QTest::newRow("holiday 15790335") << 15790335 << QColor(0xFF, 0xF0, 0xF0);
        QTest::newRow("clInfoBk") << int(clInfoBk) << palette.color(QPalette::Active, QPalette::ToolTipBase);
        QTest::newRow("cl3DDkShadow") << int(cl3DDkShadow) << palette.color(QPalette::Active, QPalette::Shadow);
        QTest::newRow("clWindow") << int(clWindow) << palette.color(QPalette::Active, QPalette::Base);
        QTest::newRow("clWindowText 0x80000008") << int(0x80000008u) << palette.color(QPalette::Active, QPalette::Text);
        QTest::newRow("unknown system colour") << int(SystemColor(99)) << QColor(0, 0, 0);
    }
    void colors()
    {
        QFETCH(int, color);
        QFETCH(QColor, expected);
        QCOMPARE(ColorToQColor(color).rgb(), expected.rgb());
        QCOMPARE(QColorToColor(ColorToQColor(color)), ColorToRgb(color));
    }

    // The wizard's samples resolve through their form's palette, not the
    // application's: every entry here differs, so a wrong group or role shows.
    void colorsThroughAGivenPalette()
    {
        QPalette palette;
        const QPalette::ColorGroup groups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};
        for (int g = 0; g < 3; ++g) {
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                palette.setColor(groups[g], static_cast<QPalette::ColorRole>(role), QColor(10 + g * 80, role * 10, 77));
            }
        }
        const struct {
            TColor Color;
            QPalette::ColorGroup Group;
            QPalette::ColorRole Role;
        } rows[] = {
            {clBackground, QPalette::Active, QPalette::Dark},
            {clInactiveCaption, QPalette::Inactive, QPalette::Mid},
            {clGrayText, QPalette::Disabled, QPalette::Text},
            {clInactiveCaptionText, QPalette::Inactive, QPalette::HighlightedText},
            {clWindowText, QPalette::Active, QPalette::Text},
            {clBtnFace, QPalette::Active, QPalette::Button},
        };
        for (const auto& row : rows) {
            QCOMPARE(ColorToQColor(row.Color, palette).rgb(), palette.color(row.Group, row.Role).rgb());
        }
        QCOMPARE(ColorToQColor(clRed, palette).rgb(), QColor(255, 0, 0).rgb());
        QCOMPARE(ColorToQColor(SystemColor(99), palette).rgb(), QColor(0, 0, 0).rgb());
    }

    void neighbourColourIsOrOfBoth()
    {
        QCOMPARE(OrColors(clBlack, clGray), clGray);
        QCOMPARE(OrColors(clRed, clGray), 0x8080FF);
        QCOMPARE(OrColors(clBlue, clGray), 0xFF8080);
    }
};

static TRegisterTest<TWidgetTextsTest> registerWidgetTextsTest;

} // namespace orvexp::test

#include "WidgetTextsTest.moc"
