// The sample's schedule: every repeat kind, timed and all-day, with the texts
// that trouble writers: several lines, commas, double quotes, blanks at both
// ends, "<" and "&", and Shift_JIS characters whose second byte is 0x5C ("\")
// or 0x7C ("|"), such as ソ, 表, 能 and ポ.

#include <initializer_list>
#include <memory>
#include <string_view>

#include "platform/DateTime.h"
#include "tools/sample/SampleData.h"
#include "tools/sample/SampleText.h"

namespace orvexp {

namespace {

using sample::Sjis;

// Weekday bits of an entry: bit n = weekday n, 1 Sunday ... 7 Saturday.
constexpr std::uint8_t kSunday = 1 << 1, kMonday = 1 << 2, kTuesday = 1 << 3, kWednesday = 1 << 4,
                       kThursday = 1 << 5, kFriday = 1 << 6, kSaturday = 1 << 7;
constexpr std::uint8_t kWorkdays = kMonday | kTuesday | kWednesday | kThursday | kFriday;

struct TWhen {
    std::uint16_t Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0;
    std::uint8_t DaysOfWeek = 0x01; // a new entry's value; only the weekday kinds set it
};

TAlarm2& Add(TAlarmList& alarms, TAlarmKind kind, const TWhen& when, std::initializer_list<std::string_view> lines)
{
    auto alarm = std::make_unique<TAlarm2>();
    alarm->Kind = kind;
    alarm->DateTime.Year = when.Year;
    alarm->DateTime.Month = when.Month;
    alarm->DateTime.Day = when.Day;
    alarm->DateTime.Hour = when.Hour;
    alarm->DateTime.Minute = when.Minute;
    alarm->DateTime.DaysOfWeek = when.DaysOfWeek;
    for (std::string_view line : lines) alarm->Messages.push_back(Sjis(line));
    TAlarm2& added = *alarm;
    alarms.Add(std::move(alarm));
    return added;
}

TDateTime At(int year, unsigned month, unsigned day, unsigned hour, unsigned minute)
{
    return EncodeDate(year, month, day) + EncodeTime(hour, minute);
}

} // namespace

void FillSampleSchedule(TAlarmList& alarms)
{
    // Timed entries that repeat.
    TAlarm2& stretch = Add(alarms, akEveryDayAt, {.Hour = 7, .Minute = 0}, {"朝のストレッチ"});
    stretch.Action = aaMessage;
    stretch.LastFired = At(2026, 12, 7, 7, 0);

    Add(alarms, akWeekdaysAt, {.Hour = 9, .Minute = 30, .DaysOfWeek = kWorkdays},
        {"朝会", "進捗表を更新しておく"});
    Add(alarms, akWeekdaysAt, {.Hour = 19, .Minute = 0, .DaysOfWeek = kWednesday}, {"英会話レッスン (オンライン)"});
    Add(alarms, akMonthDayAt, {.Day = 25, .Hour = 10, .Minute = 0}, {"給料日, 口座の入金を確認"});
    Add(alarms, akMonthDayAt, {.Day = 27, .Hour = 12, .Minute = 0}, {"家賃の振込"});
    Add(alarms, akYearDayAt, {.Month = 4, .Day = 1, .Hour = 9, .Minute = 0}, {"年度初め: 能力評価シートを提出"});
    Add(alarms, akYearDayAt, {.Month = 12, .Day = 28, .Hour = 17, .Minute = 0}, {"仕事納め"});

    // Timed entries on one date.
    Add(alarms, akDateAt, {.Year = 2026, .Month = 1, .Day = 5, .Hour = 9, .Minute = 0}, {"仕事始め"});
    TAlarm2& checkup = Add(alarms, akDateAt, {.Year = 2026, .Month = 3, .Day = 10, .Hour = 8, .Minute = 45},
                           {"健康診断 (中止)", "9時までに受付"});
    checkup.Active = 0;
    Add(alarms, akDateAt, {.Year = 2026, .Month = 6, .Day = 10, .Hour = 19, .Minute = 0},
        {"結婚記念日のディナー", "予約: 18:45 駅前"});
    Add(alarms, akDateAt, {.Year = 2026, .Month = 9, .Day = 18, .Hour = 13, .Minute = 0},
        {"四半期報告, 部長へ提出", "売上表と原価表を添付"});
    TAlarm2& review = Add(alarms, akDateAt, {.Year = 2026, .Month = 12, .Day = 8, .Hour = 14, .Minute = 0},
                          {"ソフトウェア設計レビュー", "会議室: 3F 第2会議室", "資料: 機能一覧表 v2"});
    review.Action = aaMessage;
    review.Alert.Kind = paHours;
    review.Alert.Amount = 2;
    Add(alarms, akDateAt, {.Year = 2026, .Month = 12, .Day = 8, .Hour = 9, .Minute = 0}, {"歯医者"});
    Add(alarms, akDateAt, {.Year = 2026, .Month = 12, .Day = 11, .Hour = 15, .Minute = 0},
        {"  ポスト投函 (年賀状)  "});
    TAlarm2& meeting = Add(alarms, akDateAt, {.Year = 2026, .Month = 12, .Day = 15, .Hour = 10, .Minute = 0},
                           {"オンライン会議 (リンクを開く)"});
    meeting.Action = aaLaunch;
    meeting.ShellExecute.FileName = "https://www.example.jp/meeting/2026-12-15";
    meeting.Alert.Kind = paMinutes;
    meeting.Alert.Amount = 10;
    TAlarm2& party = Add(alarms, akDateAt, {.Year = 2026, .Month = 12, .Day = 24, .Hour = 18, .Minute = 30},
                         {"忘年会 \"2026年を振り返る会\" <レストラン&バー 山田>", "会費 5,000円"});
    party.Alert.Kind = paDays;
    party.Alert.Amount = 1;
    Add(alarms, akDateAt, {.Year = 2027, .Month = 1, .Day = 5, .Hour = 9, .Minute = 0}, {"仕事始め"});

    // All-day entries.
    Add(alarms, akEveryDay, {}, {"日記を書く"});
    Add(alarms, akWeekdays, {.DaysOfWeek = kSaturday | kSunday}, {"  週末の買い出し  "});
    Add(alarms, akWeekdays, {.DaysOfWeek = kTuesday | kFriday}, {"燃えるゴミの日"});
    Add(alarms, akWeekdays, {.DaysOfWeek = kThursday}, {"\"資源ごみ\" (缶・ビン)"});
    Add(alarms, akMonthDay, {.Day = 31}, {"経費精算の締め (31日の月のみ)"});
    Add(alarms, akMonthDay, {.Day = 1}, {"家計簿の締め", "先月分の領収書を整理"});
    Add(alarms, akDate, {.Year = 2026, .Month = 1, .Day = 1}, {"初詣"});
    Add(alarms, akDate, {.Year = 2026, .Month = 8, .Day = 13}, {"帰省 (新幹線 10:03 発)"});
    Add(alarms, akDate, {.Year = 2026, .Month = 11, .Day = 20}, {"R&D 発表会 <社内>"});
    Add(alarms, akDate, {.Year = 2026, .Month = 12, .Day = 31}, {"大掃除", "換気扇, 窓, ベランダ"});
    Add(alarms, akDate, {.Year = 2025, .Month = 12, .Day = 31}, {"大掃除"});
    Add(alarms, akYearDay, {.Month = 2, .Day = 29}, {"閏日: 4年に1度の点検"});
    Add(alarms, akYearDay, {.Month = 3, .Day = 14}, {"母の誕生日"});
    Add(alarms, akYearDay, {.Month = 9, .Day = 1}, {"防災の日 - 非常用持出袋を点検"});

    // Due once after each load; the reader forgets the stored LastFired.
    TAlarm2& startup = Add(alarms, akStartup, {}, {"予定表を確認する"});
    startup.Action = aaMessage;
    startup.LastFired = At(2026, 12, 7, 8, 2);
}

} // namespace orvexp
