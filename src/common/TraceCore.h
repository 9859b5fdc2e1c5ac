#pragma once

// Diagnostics of the program: single lines, never shown to the user and never
// written to a file by the program itself. Where they go is the sink's choice:
// the Qt layer routes them to the "kx.trace" logging category (app/Trace.h);
// without it (kxsnmp, the SNMP layer's tests) KX_TRACE=1 sends them to
// standard error, and otherwise they go nowhere.

#include <string_view>

namespace kx {

using TraceSink = void (*)(std::string_view line);

// Replaces the sink; nullptr restores the default.
void SetTraceSink(TraceSink sink);

void Trace(std::string_view line);
void TraceF(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "==================<member>.Close===============", written after a window
// closes one of its sessions.
void TraceSessionClosed(std::string_view member);
// "==================DestroyWindow===============", written before the first.
void TraceDestroyWindow();

} // namespace kx
