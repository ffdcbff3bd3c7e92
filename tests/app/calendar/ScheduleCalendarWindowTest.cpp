// The window of `orvexp calendar` over a data folder written by our own
// writers: signs, day contents, day files and the style choice.

#include <QApplication>
#include <QTest>

#include "tests/app/calendar/SampleDataFolder.h"
#include "tests/calendar/widget/WidgetTestSupport.h"
#include "app/calendar/ScheduleCalendarWindow.h"
#include "calendar/widget/WinColors.h"

namespace orvexp::test {

namespace {

QByteArray Bytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// The sign entry of `date` in the displayed month's grid.
const TMemoScheduleExists* SignsOf(TKyOrvanelCalendar& calendar, TDateTime date)
{
    for (int row = 1; row <= 6; ++row)
        for (int column = 0; column <= 6; ++column) {
            TDateTime cell = 0;
            if (calendar.CellDate(column, row, cell) && cell == date)
                return &calendar.MemoScheduleExists()[static_cast<std::size_t>((row - 1) * 7 + column)];
        }
    return nullptr;
}

} // namespace

class TScheduleCalendarWindowTest : public QObject {
    Q_OBJECT

private slots:
    void dayContents_data()
    {
        QTest::addColumn<double>("date");
        QTest::addColumn<QByteArray>("expected");
        // Entries in preview order ("--:--" first, then by time), each "time content" CR LF; then the memo's first line.
        QTest::newRow("2024-05-10") << Date(2024, 5, 10)
                                    << Bytes(Sjis("08:00 歯医者\r\n|09:30 打ち合わせ\r\n|18:00 送別会\r\n|資料を印刷する\r\n"));
        QTest::newRow("2024-05-20")
            << Date(2024, 5, 20)
            << Bytes(Sjis("--:-- プロジェクト報告書の提出期限 - 第3四半期の数値を確認してから送付すること\r\n|08:00 朝会\r\n"));
        QTest::newRow("2024-05-22") << Date(2024, 5, 22) << Bytes(Sjis("08:00 朝会\r\n|読書: 吾輩は猫である\r\n"));
        QTest::newRow("2024-05-03") << Date(2024, 5, 3) << Bytes(Sjis("家族で遠出\r\n"));
        QTest::newRow("2024-06-25") << Date(2024, 6, 25) << Bytes(Sjis("--:-- 給料日\r\n"));
        QTest::newRow("2024-05-11") << Date(2024, 5, 11) << QByteArray();
    }
    void dayContents()
    {
        QFETCH(double, date);
        QFETCH(QByteArray, expected);
        TTempFolder folder;
        const TScheduleCalendarData data(WriteSampleDataFolder(folder.Path));
        TKyDrawDayTextList list;
        data.FillDayContents(date, list);
        QByteArray joined;
        for (int i = 0; i < list.Count(); ++i) {
            if (i > 0) joined += '|';
            joined += Bytes(list[i].Text);
        }
        QCOMPARE(joined, expected);
    }

    void signsAndMemosIgnoreCase()
    {
        TTempFolder folder;
        const std::string scheduleFile = WriteSampleDataFolder(folder.Path);
        std::filesystem::rename(folder / "Memo", folder / "MEMO");
        const TScheduleCalendarData data(scheduleFile);
        QVERIFY(data.HasMemo(Date(2024, 5, 3)));
        QVERIFY(data.HasMemo(Date(2024, 5, 10))); // 20240510.TXT
        QVERIFY(!data.HasMemo(Date(2024, 5, 11)));
        // Marked as the exports treat them: an empty file or a lone line break is no memo.
        const struct {
            const char* Name;
            const char* Bytes;
            bool Marked;
        } files[] = {{"20240512.txt", "", false},  {"20240513.txt", "\r\n", false}, {"20240514.txt", "\n", false},
                     {"20240515.txt", "\n\n", true}, {"20240516.txt", " ", true}};
        for (const auto& file : files) WriteFileAtomically(folder.Path + "/MEMO/" + file.Name, file.Bytes);
        const TScheduleCalendarData again(scheduleFile);
        for (unsigned i = 0; i < 5; ++i) QCOMPARE(again.HasMemo(Date(2024, 5, 12 + i)), files[i].Marked);
        QCOMPARE(Bytes(data.MemoFirstLine(Date(2024, 5, 10))), Bytes(Sjis("資料を印刷する")));
        QVERIFY(data.HasSchedule(Date(2024, 5, 25)));
        QVERIFY(!data.HasSchedule(Date(2024, 5, 11)));
    }

    void windowShowsTheFolder()
    {
        TTempFolder folder;
        TScheduleCalendarWindow window(std::make_unique<TScheduleCalendarData>(WriteSampleDataFolder(folder.Path)));
        TKyOrvanelCalendar& calendar = window.Calendar();
        QVERIFY(window.DayFileProblems().empty());
        QCOMPARE(calendar.HolidayList().Count(), 5);
        QCOMPARE(calendar.SpecialDayList().Count(), 1);
        QCOMPARE(calendar.CustomDayOffList().Count(), 1);

        window.ShowDate(Date(2024, 5, 10));
        QCOMPARE(window.MonthLabel().text(), QString::fromUtf8("2024年5月"));
        const TMemoScheduleExists* may10 = SignsOf(calendar, Date(2024, 5, 10));
        const TMemoScheduleExists* may11 = SignsOf(calendar, Date(2024, 5, 11));
        const TMemoScheduleExists* may3 = SignsOf(calendar, Date(2024, 5, 3));
        const TMemoScheduleExists* june1 = SignsOf(calendar, Date(2024, 6, 1));
        QVERIFY(may10 && may11 && may3 && june1);
        QVERIFY(may10->ScheduleExists && may10->MemoExists);
        QVERIFY(!may11->ScheduleExists && !may11->MemoExists);
        QVERIFY(!may3->ScheduleExists && may3->MemoExists);
        QVERIFY(!june1->ScheduleExists && !june1->MemoExists);

        calendar.NextMonth();
        QCOMPARE(window.MonthLabel().text(), QString::fromUtf8("2024年6月"));
        QVERIFY(SignsOf(calendar, Date(2024, 6, 25))->ScheduleExists);

        window.StyleBox().setCurrentIndex(2);
        QCOMPARE(calendar.CalendarStyle(), csVertical1);
        window.StyleBox().setCurrentIndex(0);
        QCOMPARE(calendar.CalendarStyle(), csMonthly1);
        window.SetStyle(csMonthly2);
        QCOMPARE(window.StyleBox().currentIndex(), 1);
    }

    // Cut short (a crash while saving, a bad copy): the whole records before
    // the cut are shown, and the window says nothing, as the HTML export does.
    void cutDayFilesKeepTheirWholeRecords()
    {
        TTempFolder folder;
        const std::string scheduleFile = WriteSampleDataFolder(folder.Path);
        WriteFileAtomically(folder / "spcldays.dat", std::string("\x2F\x0E\x31", 3));
        std::string holidays;
        QVERIFY(TryReadFile(folder / "holidays.dat", holidays));
        WriteFileAtomically(folder / "holidays.dat", holidays.substr(0, holidays.size() - 10));
        TScheduleCalendarWindow window(std::make_unique<TScheduleCalendarData>(scheduleFile));
        QVERIFY(window.DayFileProblems().empty());
        QCOMPARE(window.Calendar().HolidayList().Count(), 4);
        QCOMPARE(window.Calendar().SpecialDayList().Count(), 0);
        QCOMPARE(window.Calendar().CustomDayOffList().Count(), 1);
    }

    // At its default size the Saturday column's right line and the last row's
    // bottom line lie on the control's last pixels; Esc, Ctrl+W and Ctrl+Q close it.
    void defaultSizeShowsTheWholeMonthAndKeysClose()
    {
        TTempFolder folder;
        const std::string scheduleFile = WriteSampleDataFolder(folder.Path);
        for (const QKeyCombination keys : {QKeyCombination(Qt::Key_Escape), Qt::CTRL | Qt::Key_W, Qt::CTRL | Qt::Key_Q}) {
            TScheduleCalendarWindow window(std::make_unique<TScheduleCalendarData>(scheduleFile));
            window.show();
            QApplication::setActiveWindow(&window);
            QVERIFY(QTest::qWaitForWindowActive(&window));
            TKyOrvanelCalendar& calendar = window.Calendar();
            QVERIFY(window.rect().contains(calendar.geometry()) && calendar.ShowGrid());
            const QImage image = calendar.grab(calendar.contentsRect()).toImage();
            for (int line = 1; line <= 6; ++line) {
                const TRect saturday = calendar.CellRect(6, line), last = calendar.CellRect(line, 6);
                QCOMPARE(image.pixelColor(saturday.Right - 1, saturday.Bottom - 9), ColorToQColor(calendar.GridColor()));
                QCOMPARE(image.pixelColor(last.Left + 9, last.Bottom - 1), ColorToQColor(calendar.GridColor()));
            }
            QTest::keyClick(&calendar, keys.key(), keys.keyboardModifiers());
            QVERIFY(!window.isVisible());
        }
    }

    void badScheduleFileRaises()
    {
        TTempFolder folder;
        const std::string missing = folder / "schedule.dat";
        QVERIFY_THROWS_EXCEPTION(EFOpenError, TScheduleCalendarData{missing});
        WriteFileAtomically(missing, "not a schedule file");
        QVERIFY_THROWS_EXCEPTION(std::exception, TScheduleCalendarData{missing});
    }
};

static TRegisterTest<TScheduleCalendarWindowTest> registerScheduleCalendarWindowTest;

} // namespace orvexp::test

#include "ScheduleCalendarWindowTest.moc"
