#include "core/vlan/PvidModel.h"

#include "core/kit/SnmpRequests.h"

using namespace kx::vlan;

std::vector<int> PvidModel::PvidsFrom(const std::vector<kx::WalkRow>& rows, std::vector<int> current)
{
    const int portCount = static_cast<int>(current.size());
    for (const kx::WalkRow& row : rows) {
        const int port = row.indexNumber();
        if (port >= 1 && port <= portCount && !row.values.empty())
            current[static_cast<std::size_t>(port - 1)] = row.value(0).toInt();
    }
    return current;
}

QString PvidModel::AggregationRefusal(const std::vector<int>& pvids, const kx::TrunkMembership& trunks)
{
    const int portCount = static_cast<int>(pvids.size());
    for (int p = 1; p <= portCount; ++p) {
        const int pvid = pvids[static_cast<std::size_t>(p - 1)];
        const int group = trunks.group(p);
        if (pvid == 1 || group == 0)
            continue;
        for (int q = 1; q <= portCount; ++q)
            if (trunks.group(q) == group && pvids[static_cast<std::size_t>(q - 1)] != pvid)
                return QStringLiteral("You should let all Trunk member in the same PVID !");
        return QStringLiteral(
            "Setting PVID on a Trunk is not supported. Please use Web interface for the settings.");
    }
    return {};
}

QString PvidModel::VlanRefusal(const std::vector<int>& pvids, const VlanEntries& entries)
{
    for (int pvid : pvids) {
        const VlanEntry* found = nullptr;
        for (const VlanEntry& e : entries)
            if (e.vid == pvid) {
                found = &e;
                break;
            }
        if (!found)
            return QStringLiteral("Invalid PVID");
        if (found->egressCount <= 0)
            return QStringLiteral("Invalid PVID,VlAN is empty");
    }
    return {};
}

QString PvidModel::Check(const std::vector<int>& pvids, const kx::TrunkMembership& trunks,
                         const VlanEntries& entries)
{
    QString refusal = AggregationRefusal(pvids, trunks);
    if (refusal.isEmpty())
        refusal = VlanRefusal(pvids, entries);
    return refusal;
}

int PvidModel::Write(const std::vector<int>& pvids, const SetPath& path)
{
    const int portCount = static_cast<int>(pvids.size());
    for (int p = 1; p <= portCount; ++p) {
        // The switch needs a breather after the first forty ports.
        if (p == 41 && path.pause)
            path.pause(50);
        const int pvid = pvids[static_cast<std::size_t>(p - 1)];
        if (!path.set({kx::SetBinding::Unsigned(kx::Oid(kDot1qVlanPvid, p), static_cast<quint32>(pvid))}).ok())
            return p - 1;
    }
    return portCount;
}
