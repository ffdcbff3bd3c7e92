#include "schedule/ShellExecute.h"

#include "platform/MessageSink.h"
#include "platform/ShellOpen.h"
#include "platform/Text.h"
#include "schedule/ScheduleString.h"

namespace orvexp {

namespace {

bool IsValidUtf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are no UTF-8.
        if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// A path of our own (the exported page) is UTF-8 already; a schedule entry's
// file name is Shift_JIS bytes.
std::string FileNameForMessage(const std::string& fileName)
{
    return IsValidUtf8(fileName) ? fileName : Cp932ToUtf8(fileName);
}

// The message for a shell error number; empty when the number has none.
std::string ShellErrorMessage(std::uint32_t result, const std::string& fileName)
{
    switch (result) {
    case 2:
    case 3:
        return FileNameForMessage(fileName) + "が見つかりません";
    case 5:
        return FileNameForMessage(fileName) + "にアクセスできません";
    case 8:
        return "メモリ不足で実行できません";
    case 11:
        return "ERROR_BAD_FORMAT";
    case 26:
        return "ファイルの共有違反です";
    case 27:
    case 31:
        return FileNameForMessage(fileName) + "の関連付けに不具合があります";
    case 28:
        return "SE_ERR_DDETIMEOUT";
    case 29:
        return "SE_ERR_DDEFAIL";
    case 30:
        return "SE_ERR_DDEBUSY";
    case 32:
        return "SE_ERR_DLLNOTFOUND";
    default:
        return {};
    }
}

} // namespace

bool TShellExecute::Execute() const
{
    const std::uint32_t result = ShellOpen(Operation, FileName, Parameters, Directory, ShowCmd);
    if (result > 32) return true;
    const std::string message = ShellErrorMessage(result, FileName);
    if (message.empty()) return true;
    ShowMessage(mkError, message);
    return false;
}

void TShellExecute::LoadFromStream(TByteReader& stream)
{
    Handle = stream.ReadU32("起動の欄");
    ReadScheduleString(stream, "起動の操作", Operation);
    ReadScheduleString(stream, "起動するファイル名", FileName);
    ReadScheduleString(stream, "起動のパラメータ", Parameters);
    ReadScheduleString(stream, "起動の作業フォルダ", Directory);
    ShowCmd = stream.ReadI32("起動の欄");
}

void TShellExecute::SaveToStream(TByteWriter& stream) const
{
    stream.WriteU32(Handle);
    WriteScheduleString(stream, Operation);
    WriteScheduleString(stream, FileName);
    WriteScheduleString(stream, Parameters);
    WriteScheduleString(stream, Directory);
    stream.WriteI32(ShowCmd);
}

} // namespace orvexp
