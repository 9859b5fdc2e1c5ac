#pragma once

// "ARP Spoofing Prevention Setting" and its "Add ARP Spoofing Prevention Entry"
// dialog without their widgets: the gateway table as it is walked and listed,
// the refusals of both dialogs, the checks of Apply in their order, and the
// requests that write an entry.
//
// The add dialog judges duplicates against the rows it was handed when it
// opened, and keeps that copy up to date itself: every entry it creates joins
// it, so that the same gateway typed twice in one session is refused the second
// time instead of overwriting the first entry. A row with the same address that
// is not active is in the way of the new one; it is destroyed only once every
// check passed and the question was answered OK, right before the new row is
// created, so that a refusal or Cancel leaves the device as it was.

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"
#include "core/kit/TrunkMembership.h"
#include "core/kit/ValueCodecs.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace kx::security {

inline const QString kArpGatewayIp = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.3.1.1.1");
inline const QString kArpGatewayMac = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.3.1.1.2");
inline const QString kArpPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.3.1.1.3");
inline const QString kArpRowStatus = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.3.1.1.4");
inline constexpr int kArpMaxEntries = 64;

// One walked row, whatever its status.
struct ArpRow
{
    QString ip;
    QString mac;    // "00-1B-21-00-00-01"
    QString ports;  // a PortRangeText
    QString status; // the row status as text
    bool active() const { return status == QLatin1String("1"); }
};
using ArpRows = std::vector<ArpRow>;

QStringList ArpColumns();
ArpRow ArpRowFrom(const WalkRow& row, int portCount);
// The list line of an active row: its running number, IP, MAC and ports.
QStringList ArpListLine(const ArpRow& row, int number);

// The refusal of Add while the list shows `shownRows`, or empty.
QString ArpAddRefusal(int shownRows);
QString ArpDeleteRefusal(bool anySelected);
SetBinding ArpDestroyBinding(const QString& ip);

// Where a refusal of Apply puts the focus.
enum class ArpField
{
    None,
    Ip,
    Mac,
    Ports,
};

struct ArpCheck
{
    QString refusal;
    ArpField field = ArpField::None;
    // A row with the entry's address that is not active: destroyed right before
    // the entry is created.
    bool destroyStale = false;
    bool passed() const { return refusal.isEmpty(); }
};

// What Apply writes, taken as the checks saw it.
struct ArpEntry
{
    QString ip;
    QString mac;
    PortFlags ports;
};

// What the create sequence achieved.
struct ArpWriteOutcome
{
    bool staleDestroyed = false;
    bool created = false; // every request of the entry was taken
};

// Sends one set and waits for its answer; pauses on the calling thread.
struct ArpRequests
{
    std::function<SetResult(const std::vector<SetBinding>&)> set;
    std::function<void(int milliseconds)> pause;
};
// The requests of a write sequence on `session`, pausing with a sleep.
ArpRequests SessionRequests(CCommonSNMP& session);

class ArpAddModel
{
public:
    ArpAddModel(int portCount, QString modelName, ArpRows rows);

    int portCount() const { return m_portCount; }
    const ArpRows& rows() const { return m_rows; }
    void setTrunks(const TrunkMembership& trunks) { m_trunks = trunks; }

    // The checks of Apply in their order; `ipFields` is how many fields of the
    // address control hold a number.
    ArpCheck check(int ipFields, const ArpEntry& entry) const;
    static QString Question();

    // The requests of a checked and confirmed entry: the stale row's destroy
    // when the check asked for it, then the row with its columns. A failed
    // request does not stop the following ones.
    ArpWriteOutcome write(const ArpCheck& check, const ArpEntry& entry,
                          const ArpRequests& requests) const;
    // Brings the copied rows up to date with what the write did.
    void remember(const ArpEntry& entry, const ArpWriteOutcome& outcome);

private:
    int m_portCount;
    QString m_modelName;
    ArpRows m_rows;
    TrunkMembership m_trunks;
};

} // namespace kx::security
