#include "schedule/ShellExecute.h"

#include "schedule/ScheduleString.h"

namespace orvexp {

void TShellExecute::LoadFromStream(TByteReader& stream)
{
    Handle = stream.ReadU32("the launch block");
    Operation = ReadScheduleString(stream, "the launch operation");
    FileName = ReadScheduleString(stream, "the launch file name");
    Parameters = ReadScheduleString(stream, "the launch parameters");
    Directory = ReadScheduleString(stream, "the launch directory");
    ShowCmd = stream.ReadI32("the launch block");
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
