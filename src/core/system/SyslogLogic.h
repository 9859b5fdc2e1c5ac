#pragma once

// "Syslog Host Configuration" without its widgets: the five objects it reads, how
// the answer reads, the checks of Apply with their texts, and Apply's requests.
//
// The success text follows only an Apply whose every request the device took:
// a refused server request, or an answer with an error status, shows nothing.

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kx::syslog {

inline const QString kSyslog = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.16.1");
inline const QString kSyslogServer = kSyslog + QStringLiteral(".1.0");
inline const QString kSyslogPort = kSyslog + QStringLiteral(".2.0");
inline const QString kSyslogSeverity = kSyslog + QStringLiteral(".4.0");
inline const QString kSyslogFacility = kSyslog + QStringLiteral(".5.0");
inline const QString kSyslogState = kSyslog + QStringLiteral(".6.0");

inline const QStringList kFacilityTexts = {
    QStringLiteral("local0"), QStringLiteral("local1"), QStringLiteral("local2"), QStringLiteral("local3"),
    QStringLiteral("local4"), QStringLiteral("local5"), QStringLiteral("local6"), QStringLiteral("local7")};
inline const QStringList kSeverityTexts = {QStringLiteral("Warning"), QStringLiteral("Info"), QStringLiteral("All")};

constexpr int kPortLength = 5;
inline const QString kDefaultPort = QStringLiteral("514");
// The device's pause between the server settings and the state.
constexpr int kStatePauseMs = 30;

struct SyslogSettings
{
    QString server;
    QString port;
    int facility = 0;  // position in kFacilityTexts
    int severity = -1; // position in kSeverityTexts, -1 for a value not listed
    bool enabled = false;
};

// What the user set; an empty address, or a list with nothing chosen (-1), leaves
// the server settings unwritten.
struct SyslogInput
{
    bool enabled = false;
    QString server; // dotted, empty when the address control is blank
    QString port;
    int facility = -1;
    int severity = -1;
};

enum class SyslogField
{
    None,
    Server,
    Port,
};

struct SyslogDecision
{
    QString refusal; // empty when Apply may write
    SyslogField field = SyslogField::None;
    std::vector<SetBinding> server; // empty: the server settings are not written
    std::vector<SetBinding> state;
};

struct SyslogOutcome
{
    std::optional<SetResult> server;
    SetResult state;
    // Every request sent came back without an error status.
    bool succeeded() const { return (!server || server->ok()) && state.ok(); }
};

class SyslogLogic
{
public:
    // One get, in this order: server, port, facility, severity, state.
    static QStringList ReadOids();
    static std::optional<SyslogSettings> Read(const GetResult& answer);
    static int FacilityIndex(int value);
    static int SeverityIndex(int value);

    static SyslogDecision Decide(const SyslogInput& input);
    // The server settings (when there are any), the pause, then the state.
    static SyslogOutcome Send(CCommonSNMP& session, const SyslogDecision& decision, int pauseMs = kStatePauseMs);
    static QString SuccessText() { return QStringLiteral("Set System log Server successfully"); }
};

} // namespace kx::syslog
