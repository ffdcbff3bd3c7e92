#pragma once
// The wizard's captions and messages (UTF-8: they go to the screen only).

#include <cstddef>
#include <string>

namespace orvexp::wiztext {

// Page titles, also shown in the title band.
inline constexpr char kPage1Title[] = "出力形式の選択";
inline constexpr char kPage2Title[] = "Orvanel予定ファイルの指定";
inline constexpr char kPage3Title[] = "出力する期間の指定";
inline constexpr char kPage4Title[] = "出力先ファイルの指定";

// The export-type list; a line's index is the ExportType.
inline constexpr const char* kExportTypeLines[] = {
    "[CSV ] 予定", "[CSV ] メモ", "[CSV ] 予定とメモ", "[HTML] 予定", "[HTML] メモ", "[HTML] 予定とメモ",
    "[iCalendar] 予定とメモ",
};

// Explanation lines, each ended with CR LF.
inline constexpr char kCsvExplanation[] = "CSV形式で出力します。\r\n"
                                          "\r\n"
                                          "CSV形式のファイルはExcel、\r\n"
                                          "Access等の表計算、データ\r\n"
                                          "ベースソフトで読み込むこと\r\n"
                                          "ができます。\r\n";
inline constexpr char kHtmlExplanation[] = "HTML形式で出力します。\r\n"
                                           "\r\n"
                                           "HTML形式のファイルは\r\n"
                                           "Internet Explorer、\r\n"
                                           "Netscape Navigator等の\r\n"
                                           "ブラウザで読み込むこと\r\n"
                                           "ができます。\r\n";
inline constexpr char kIcsExplanation[] = "iCalendar形式で出力します。\r\n"
                                          "\r\n"
                                          "iCalendar形式のファイルは\r\n"
                                          "Thunderbird、Google\r\n"
                                          "カレンダー等のカレンダーソフ\r\n"
                                          "トに取り込むことができます。\r\n"
                                          "\r\n"
                                          "繰り返しの予定は期間によらず\r\n"
                                          "同じ終わりのない予定になり、\r\n"
                                          "続く期間を順に取り込んでも欠\r\n"
                                          "けません。日付指定の予定、メ\r\n"
                                          "モ、祝日等は期間内だけです。\r\n";

// Buttons.
inline constexpr char kPreviousCaption[] = "< 戻る(&B)";
inline constexpr char kNextCaption[] = "次へ(&F) >";
inline constexpr char kFinishCaption[] = "完了(&F)";
inline constexpr char kCancelCaption[] = "終了(&X)";
inline constexpr char kBrowseCaption[] = "参照(&R)";

// Fixed texts of the pages.
inline constexpr char kExplanationGroup[] = "説明";
inline constexpr char kDataFileLabel[] = "Orvanelのデータファイルを指定してください。";
inline constexpr char kDataFileNote1[] = "OrvanelのデータファイルとはOrvanelをインストール";
inline constexpr char kDataFileNote2[] = "したフォルダにある\"schedule.dat\"というファイルです。";
inline constexpr char kStartDateLabel[] = "出力開始日";
inline constexpr char kEndDateLabel[] = "出力最終日";
inline constexpr char kRangeSeparator[] = "～";
inline constexpr char kExportFileLabel[] = "出力ファイルを指定してください。";
inline constexpr char kExportFileNote1[] = "上で指定したファイルに指定した期間の予定が保存されます。";
inline constexpr char kExportFileNote2[] = "指定後に下の「完了」ボタンを押してください。";
inline constexpr char kHtmlSettings[] = "HTML設定";
inline constexpr char kExportEmptyMemo[] = "空のメモも出力する";
inline constexpr char kCsvUtf8[] = "UTF-8 (BOM付き) で書き出す";
inline constexpr char kIcsWithDays[] = "祝日・記念日・休日も書き出す";
inline constexpr char kIcsParts[] = "1 MB ずつのファイルに分ける（Google カレンダー用）";
inline constexpr char kSampleLine1[] = "01234567890123456789";
inline constexpr char kSampleLine2[] = "あいうえおかきくけこ";
inline constexpr char kSampleDate[] = "日付";
inline constexpr char kSampleTime[] = "時間";
inline constexpr char kSampleSchedule[] = "予定";
inline constexpr char kSampleMemo[] = "メモ";
inline constexpr char kTextColorButton[] = "文字色";
inline constexpr char kBackColorButton[] = "背景色";
inline constexpr char kBeta[] = "β版";

// Message boxes.
inline constexpr char kInformationTitle[] = "情報";
inline constexpr char kConfirmationTitle[] = "確認";
inline constexpr char kOkButton[] = "OK";
inline constexpr char kYesButton[] = "はい(&Y)";
inline constexpr char kNoButton[] = "いいえ(&N)";

// After the path on page 2, before the request for the schedule file.
inline constexpr char kNotFound[] = "\r\nが見つかりません。\r\n\r\n";
inline constexpr char kIsAFolder[] = "\r\nはフォルダです。\r\n\r\n";
inline constexpr char kAlreadyExists[] = "\r\nはすでに存在します。\r\n\r\n上書きしますか？";  // after the path
inline constexpr char kSaved[] = "\r\nに保存しました。";                                          // after the path
// The iCalendar type in parts: the first and the last part and their count.
inline std::string FormatSavedParts(const std::string& first, const std::string& last, std::size_t count)
{
    if (count == 1) return first + kSaved;
    return first + "\r\n～\r\n" + last + "\r\nの " + std::to_string(count) + " 個のファイルに保存しました。";
}
// After the parts: files named as parts that this program did not write, one line each.
inline constexpr char kPartsLeftAlone[] =
    "\r\n\r\n次のファイルはこのプログラムが書いたものではないので、そのまま残しました。";
// After a single iCalendar file larger than Google Calendar imports.
inline constexpr char kGoogleCalendarHint[] =
    "\r\n\r\nGoogle カレンダーが取り込めるのは 1 MB までのファイルです。"
    "最後のページの「1 MB ずつのファイルに分ける」で分けて書き出せます。";
// After an export that could not read every input: then one line for each.
inline constexpr char kInputsNotRead[] = "次のものは読み込めませんでした。読み込めた分だけを書き出しました。\r\n";
// The count of inputs beyond those named.
inline std::string FormatMoreInputs(std::size_t count)
{
    return "ほか " + std::to_string(count) + " 件";
}

// Dialogs.
// The second filter lets a schedule file of another name be chosen.
inline constexpr char kOpenFilter[] = "Orvanel予定データ(*.dat)|*.dat|すべてのファイル (*)|*";
inline constexpr char kOpenDefaultExt[] = "*.dat";
inline constexpr char kSaveFilter[] =
    "CSVファイル(*.csv)|*.csv|HTMLファイル(*.html)|*.html|iCalendarファイル(*.ics)|*.ics";
inline constexpr char kCsvDefaultExt[] = "*.csv";
inline constexpr char kHtmlDefaultExt[] = "*.html";
inline constexpr char kIcsDefaultExt[] = "*.ics";

} // namespace orvexp::wiztext
