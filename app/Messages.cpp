#include "app/Messages.h"

#include "platform/ByteStream.h"
#include "platform/ErrorText.h"
#include "platform/FileSystem.h"
#include "schedule/Alarm.h"

namespace orvexp::msg {

std::string FailureCause(const std::exception& failure)
{
    if (dynamic_cast<const EInvalidFileHeader*>(&failure))
        return std::string("Orvanelの予定ファイルではありません (") + failure.what() + ")";
    if (const auto* open = dynamic_cast<const EFOpenError*>(&failure))
        return open->Error != 0 ? ErrorText(open->Error) : failure.what();
    if (dynamic_cast<const EStreamReadError*>(&failure)) return std::string("壊れています: ") + failure.what();
    return failure.what();
}

std::string ScheduleFileFailureLine(const std::string& path, const std::exception& failure)
{
    return std::string(kScheduleFileNotOpened) + "(" + path + ": " + FailureCause(failure) + ")";
}

std::string ScheduleFileFailureText(const std::string& path, const std::exception& failure)
{
    return std::string(kScheduleFileNotOpened) + "\r\n\r\n" + path + "\r\n" + FailureCause(failure);
}

} // namespace orvexp::msg
