// Fitting Shift_JIS text to a width: whole characters give way to "...".

#include <QFontMetrics>
#include <QTest>

#include "WidgetTestSupport.h"
#include "calendar/widget/KyFont.h"
#include "calendar/widget/TextFit.h"
#include "platform/Text.h"

namespace orvexp::test {

namespace {

// One pixel per byte: a double-byte character is two wide, as in a fixed-pitch face.
int ByteWidth(std::string_view text)
{
    return static_cast<int>(text.size());
}

QByteArray Bytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

class TTextFitTest : public QObject {
    Q_OBJECT

private slots:
    void fitLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("fits") << QByteArray("ABC") << 3 << QByteArray("ABC");
        QTest::newRow("ascii cut") << QByteArray("ABCDEF") << 5 << QByteArray("AB...");
        // AB日本X: a cut by bytes would leave the lead byte of 日 before "...".
        QTest::newRow("double-byte not split") << QByteArray("AB\x93\xFA\x96\x7BX") << 6 << QByteArray("AB...");
        QTest::newRow("double-byte kept whole") << QByteArray("AB\x93\xFA\x96\x7BXY") << 7 << QByteArray("AB\x93\xFA...");
        // 日本語です at width 7: 日本... is exactly 7.
        QTest::newRow("kanji only") << QByteArray("\x93\xFA\x96\x7B\x8C\xEA\x82\xC5\x82\xB7") << 7 << QByteArray("\x93\xFA\x96\x7B...");
        // ソ has 0x5C as its second byte, which must not count as a character of its own.
        QTest::newRow("trail byte 0x5C") << QByteArray("\x83\x5C\x83\x5C\x83\x5C") << 5 << QByteArray("\x83\x5C...");
        QTest::newRow("lone lead byte at the end") << QByteArray("ABCD\x93") << 4 << QByteArray("A...");
        QTest::newRow("nothing fits") << QByteArray("ABCDEF") << 2 << QByteArray("...");
        QTest::newRow("empty") << QByteArray("") << 0 << QByteArray("");
    }
    void fitLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, width);
        QFETCH(QByteArray, expected);
        QCOMPARE(Bytes(FitLine(line.toStdString(), width, ByteWidth)), expected);
    }

    void fitText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("two lines") << QByteArray("AB\r\nCDEFG") << QByteArray("AB\r\nC...\r\n");
        QTest::newRow("break at the end") << QByteArray("AB\r\n") << QByteArray("AB\r\n");
        QTest::newRow("lone LF and CR") << QByteArray("A\nB\rC") << QByteArray("A\r\nB\r\nC\r\n");
        QTest::newRow("empty line kept") << QByteArray("A\r\n\r\nB") << QByteArray("A\r\n\r\nB\r\n");
        QTest::newRow("empty") << QByteArray("") << QByteArray("");
    }
    void fitText()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(Bytes(FitText(text.toStdString(), 4, ByteWidth)), expected);
    }

    // With a real proportional face: the longest run of whole characters that fits with "...".
    void realFontKeepsTheLongestFittingPrefix()
    {
        TKyFont font;
        font.SetHeight(-12);
        const QFontMetrics metrics(font.Font());
        const TTextMeasure measure = [&](std::string_view sjis) {
            return metrics.horizontalAdvance(QString::fromStdString(Cp932ToUtf8(sjis)));
        };
        const std::string line = Utf8ToCp932("会議資料の準備とA社への連絡、プロジェクト報告");
        for (int width : {20, 45, 60, 100, 150}) {
            const std::string fitted = FitLine(line, width, measure);
            QVERIFY(fitted.size() >= 3);
            QCOMPARE(fitted.substr(fitted.size() - 3), std::string("..."));
            QVERIFY(measure(fitted) <= width || fitted == "...");
            const std::string kept = fitted.substr(0, fitted.size() - 3);
            QCOMPARE(line.substr(0, kept.size()), kept);
            const std::vector<std::size_t> starts = SjisCharStarts(line);
            const auto next = std::upper_bound(starts.begin(), starts.end(), kept.size());
            QVERIFY(kept.empty() || std::find(starts.begin(), starts.end(), kept.size()) != starts.end());
            if (next != starts.end()) QVERIFY(measure(line.substr(0, *next) + "...") > width);
        }
    }
};

static TRegisterTest<TTextFitTest> registerTextFitTest;

} // namespace orvexp::test

#include "TextFitTest.moc"
