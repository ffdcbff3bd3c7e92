// `orvexp calendar` run as a program: the failures that end it before any window opens.

#include <QProcess>
#include <QTest>

#include "tests/app/calendar/SampleDataFolder.h"
#include "tests/calendar/widget/WidgetTestSupport.h"

namespace orvexp::test {

class TCalendarCommandTest : public QObject {
    Q_OBJECT

private slots:
    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        // "@" stands for the temporary folder.
        QTest::newRow("missing file") << QStringList({"--data", "@/none.dat"}) << 1
                                      << QString::fromUtf8("orvexp: Orvanelの予定ファイルが開けませんでした。(@/none.dat: ファイルまたはフォルダがありません)\n");
        QTest::newRow("no schedule file") << QStringList({"--data", "@/holidays.dat"}) << 1
                                          << QString::fromUtf8("orvexp: Orvanelの予定ファイルが開けませんでした。(@/holidays.dat: Orvanelの予定ファイルではありません (Invalid File Header))\n");
        QTest::newRow("unknown style") << QStringList({"--data", "@/schedule.dat", "--style", "weekly"}) << 2
                                       << QString("orvexp: --style: \"weekly\" is none of monthly1, monthly2, vertical1\n");
        QTest::newRow("bad date") << QStringList({"--data", "@/schedule.dat", "--date", "2024/13/01"}) << 2
                                  << QString("orvexp: --date: \"2024/13/01\" is not a date of the form YYYY/MM/DD\n");
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        TTempFolder folder;
        WriteSampleDataFolder(folder.Path);
        const QString path = QString::fromStdString(folder.Path).chopped(1); // "@/..." in the rows
        for (QString& argument : arguments) argument.replace("@", path);
        message.replace("@", path);

        QProcess process;
        process.start(ORVEXP_BINARY, QStringList({"calendar"}) + arguments);
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), exitCode);
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()), message);
        QCOMPARE(process.readAllStandardOutput(), QByteArray());
    }
};

static TRegisterTest<TCalendarCommandTest> registerCalendarCommandTest;

} // namespace orvexp::test

#include "CalendarCommandTest.moc"
