#pragma once

// The trace of the Qt program: the lines of app/TraceCore.h on the "kx.trace"
// logging category, which is off unless enabled
// (QT_LOGGING_RULES="kx.trace.debug=true").

#include "common/TraceCore.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcKxTrace)

namespace kx {

// Routes the trace to the category. Every Qt program of ours calls it first in
// main(); TraceCapture does in tests.
void InstallQtTraceSink();

} // namespace kx
