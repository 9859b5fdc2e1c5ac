#include "app/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <string>

Q_LOGGING_CATEGORY(lcKxTrace, "kx.trace", QtInfoMsg)

namespace kx {

void Trace(std::string_view line)
{
    if (lcKxTrace().isDebugEnabled())
        QMessageLogger(nullptr, 0, nullptr, lcKxTrace().categoryName()).debug().noquote()
            << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

void TraceF(const char* format, ...)
{
    if (!lcKxTrace().isDebugEnabled())
        return;
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    Trace(buffer);
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
