#pragma once

#include <QLoggingCategory>

#include <string_view>

// Diagnostics of the program: single lines on the "kx.trace" category, which is
// off unless enabled (QT_LOGGING_RULES="kx.trace.debug=true"). Never shown to the
// user, never written to a file by the program itself.
Q_DECLARE_LOGGING_CATEGORY(lcKxTrace)

namespace kx {

void Trace(std::string_view line);
void TraceF(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "==================<member>.Close===============", written after a window
// closes one of its sessions.
void TraceSessionClosed(std::string_view member);
// "==================DestroyWindow===============", written before the first.
void TraceDestroyWindow();

} // namespace kx
