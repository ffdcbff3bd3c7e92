#include "platform/MessageSink.h"

#include <iostream>
#include <utility>

namespace orvexp {

namespace {

void WriteToStandardError(TMessageKind, const std::string& utf8Text)
{
    std::cerr << utf8Text;
    if (utf8Text.empty() || utf8Text.back() != '\n') std::cerr << '\n';
    std::cerr.flush();
}

TMessageSink& CurrentSink()
{
    static TMessageSink sink = WriteToStandardError;
    return sink;
}

} // namespace

void SetMessageSink(TMessageSink sink)
{
    CurrentSink() = sink ? std::move(sink) : TMessageSink(WriteToStandardError);
}

void ShowMessage(TMessageKind kind, const std::string& utf8Text)
{
    // A copy: the sink may install another sink while it runs.
    const TMessageSink sink = CurrentSink();
    sink(kind, utf8Text);
}

} // namespace orvexp
