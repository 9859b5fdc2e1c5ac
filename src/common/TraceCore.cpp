#include "common/TraceCore.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kx {

namespace {

void StderrSink(std::string_view line)
{
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

TraceSink DefaultSink()
{
    const char* on = std::getenv("KX_TRACE");
    return on && *on && *on != '0' ? &StderrSink : nullptr;
}

std::atomic<TraceSink>& Sink()
{
    static std::atomic<TraceSink> sink{DefaultSink()};
    return sink;
}

} // namespace

void SetTraceSink(TraceSink sink)
{
    Sink().store(sink ? sink : DefaultSink());
}

void Trace(std::string_view line)
{
    if (TraceSink sink = Sink().load(std::memory_order_relaxed))
        sink(line);
}

void TraceF(const char* format, ...)
{
    TraceSink sink = Sink().load(std::memory_order_relaxed);
    if (!sink)
        return;
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    sink(buffer);
}

void TraceSessionClosed(std::string_view member)
{
    std::string line(18, '=');
    line += member;
    line += ".Close";
    line += std::string(15, '=');
    Trace(line);
}

void TraceDestroyWindow()
{
    Trace("==================DestroyWindow===============");
}

} // namespace kx
