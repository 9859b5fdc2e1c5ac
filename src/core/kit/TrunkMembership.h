#pragma once

// Which aggregation group names each port: built from one walk of the
// port-channel member list column. Every dialog with an aggregated-link rule
// loads its own copy when it opens.

#include "core/kit/SnmpValue.h"

#include <QString>

#include <vector>

namespace kx {

// laPortChannelMemberList: a PortList per aggregation group, indexed by group.
inline const QString kLaPortChannelMemberList = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.8.1.3.1.2");

class TrunkMembership
{
public:
    TrunkMembership() = default;
    explicit TrunkMembership(int portCount);

    // Applies one answered row: every member port 1..N gets the row's group (or
    // 1 with `storeOne`, for users that only ask "in any group?"). A row with no
    // members changes nothing; a row answered later wins.
    void applyRow(const WalkRow& row, bool storeOne = false);
    static TrunkMembership FromRows(const std::vector<WalkRow>& rows, int portCount,
                                    bool storeOne = false);

    // The group of port `port` (1-based), 0 when none or outside 1..N.
    int group(int port) const;
    const std::vector<int>& groups() const { return m_groups; }
    int portCount() const { return static_cast<int>(m_groups.size()); }

    // Whether every group is taken whole: each port with a non-zero value in
    // `perPort` (port 1 first; ports past its end read 0) shares that value with
    // every other port of its group. Ports in no group are free.
    bool membersAgree(const std::vector<int>& perPort) const;

    // The group number of a row: the last sub-identifier of its instance.
    static int GroupOf(const WalkRow& row);

private:
    std::vector<int> m_groups;
};

} // namespace kx
