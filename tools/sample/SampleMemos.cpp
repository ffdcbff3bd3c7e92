// The sample's memos: one Shift_JIS file per day of the sample year, CR LF
// line breaks. Most days get one to three everyday lines; a few dates carry
// the awkward cases (several lines, an empty line inside, commas, quotes,
// "<" and "&", blanks at both ends, a zero-byte file, a file holding only a
// line break, a last line without a break).

#include <array>
#include <cstdio>
#include <map>
#include <string_view>
#include <vector>

#include "platform/DateTime.h"
#include "tools/sample/SampleData.h"
#include "tools/sample/SampleText.h"

namespace orvexp {

namespace {

using sample::Sjis;

constexpr std::array<std::string_view, 16> kEverydayLines = {
    "晴れ。散歩 30分",
    "雨。家で読書",
    "買い物: 牛乳, 卵, パン",
    "ジムで 5km ラン",
    "図書館で本を返却",
    "部屋の掃除",
    "友人と昼食 (駅前のカフェ)",
    "資格試験の勉強 2時間",
    "家族に電話",
    "映画「未来の表現者」を観た",
    "プログラミングの練習 (C++20)",
    "体重 62.5kg",
    "植木に水やり",
    "自転車の空気を入れる",
    "洗濯, アイロンがけ",
    "早めに寝る",
};

// The dates with texts of their own; an empty list of lines is a zero-byte file.
struct TSpecialMemo {
    std::vector<std::string_view> Lines;
    bool EndsWithBreak = true;
};

const std::map<std::string_view, TSpecialMemo>& SpecialMemos()
{
    static const std::map<std::string_view, TSpecialMemo> memos = {
        {"20260101", {{"元日。今年の目標:", "1. 毎日の運動", "2. 資格試験 (情報処理)", "3. 本を 24 冊読む"}}},
        {"20260203", {{"節分: 豆まき & 恵方巻"}}},
        {"20260214", {{"チョコレートを \"義理\" で 3 個"}}},
        {"20260707", {{"短冊に願いごと: 健康第一"}}},
        {"20260813", {{"帰省。実家で夕食", "お土産 ×2"}}},
        {"20261205", {{"午前: 大掃除の準備", "", "午後: 買い出し"}}},
        {"20261208",
         {{"設計レビューの準備", "機能一覧表とソースを確認, 明日までに修正", "\"重要\" <必読> & 共有",
           "  先頭と末尾に空白  "}}},
        {"20261209", {{}}},
        {"20261210", {{""}}},
        {"20261211", {{"ポスト投函済み", "能登の友人へも年賀状"}}},
        {"20261224", {{"クリスマス・イブ", "ケーキを受け取る (17:00)"}}},
        {"20261231", {{"大晦日。今年もお疲れさま"}, false}},
    };
    return memos;
}

std::string MemoBytes(const std::vector<std::string_view>& lines, bool endsWithBreak)
{
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) bytes += "\r\n";
        bytes += Sjis(lines[i]);
    }
    if (endsWithBreak && !lines.empty()) bytes += "\r\n";
    return bytes;
}

} // namespace

std::vector<TSampleFile> SampleMemoFiles()
{
    std::vector<TSampleFile> files;
    const TDateTime first = EncodeDate(kSampleYear, 1, 1);
    const TDateTime last = EncodeDate(kSampleYear, 12, 31);
    for (TDateTime date = first; date <= last; date += 1) {
        const int dayOfYear = static_cast<int>(date - first);
        const TDateParts parts = DecodeDate(date);
        char name[16];
        std::snprintf(name, sizeof name, "%04d%02u%02u", parts.Year, parts.Month, parts.Day);
        const std::string path = std::string("Memo/") + name + ".txt";

        if (const auto special = SpecialMemos().find(name); special != SpecialMemos().end()) {
            files.push_back({path, MemoBytes(special->second.Lines, special->second.EndsWithBreak)});
            continue;
        }
        // About one day in three, with one to three lines.
        if (dayOfYear % 3 != 0) continue;
        std::vector<std::string_view> lines;
        const int count = 1 + (dayOfYear / 3) % 3;
        for (int k = 0; k < count; ++k)
            lines.push_back(kEverydayLines[static_cast<std::size_t>(dayOfYear * 7 + k * 5) % kEverydayLines.size()]);
        files.push_back({path, MemoBytes(lines, true)});
    }
    return files;
}

} // namespace orvexp
