#include "base/Trace.h"

#include <QString>

Q_LOGGING_CATEGORY(lcKxTrace, "kx.trace", QtInfoMsg)

namespace kx {

namespace {

void QtSink(std::string_view line)
{
    if (lcKxTrace().isDebugEnabled())
        QMessageLogger(nullptr, 0, nullptr, lcKxTrace().categoryName()).debug().noquote()
            << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

} // namespace

void InstallQtTraceSink()
{
    SetTraceSink(&QtSink);
}

} // namespace kx
