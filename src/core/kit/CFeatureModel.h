#pragma once

// The base of the per-feature data objects (bandwidth, storm control, mirroring,
// multicast, IP-MAC-port binding, DHCP screening, segmentation, surveillance
// VLAN, power saving, time profiles). A dialog owns its feature object; the
// object lives exactly as long as the dialog.
//
// A derived object walks its tables with startRowWalk(): each row reaches the
// owner on the UI thread as rowMessage(message, 0, row) and the end of the table
// as rowMessage(message, 1, {}), with the feature's private message number.

#include "core/kit/SnmpLoads.h"
#include "core/kit/TrunkMembership.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <vector>

namespace kx {

// The private row message numbers, one per feature object.
namespace RowMessage {
enum : int
{
    TableRow = 0x400 + 10,               // bandwidth, storm control, mirroring, SNMP administration
    DhcpScreening = 0x400 + 101,
    IgmpSnooping = 0x400 + 102,
    MulticastEntries = 0x400 + 115,
    IpMacPortBinding = 0x400 + 1101,
    IpMacPortBindingSettings = 0x400 + 1102,
    PowerSaving = 0x400 + 1215,
    TimeProfiles = 0x400 + 1315,
};
}

// wParam meanings of a row message.
namespace RowParam {
enum : int
{
    Row = 0,
    EndOfWalk = 1,
};
}

} // namespace kx

class CFeatureModel : public QObject
{
    Q_OBJECT

public:
    explicit CFeatureModel(QObject* parent = nullptr);
    ~CFeatureModel() override;

    // 0 (refused) for a null owner, else 1.
    int SetOwner(QObject* owner);
    QObject* Owner() const { return m_owner; }

    // Synchronous get on the first session; `value` gets binding 0's octets when
    // the answer has error status 0 and is left untouched otherwise.
    void GetScalar(const QString& oid, QByteArray& value);

    // Writes a row status ("1", "4", "5" or "6") on the second session. Any other
    // text shows "error status value!" and sends nothing. 1 when the send
    // succeeded, 0 otherwise.
    int SetRowStatus(const QString& oidWithInstance, const QString& status);

    // Walks the port-channel member lists on the third session. The groups
    // arrive on the UI thread as one snapshot when the walk ends
    // (aggregationGroupsLoaded()); until then the previous snapshot stays.
    void LoadAggregationGroups();
    bool AggregationGroupsLoading() const;
    // True once a walk has ended having delivered at least one answer; a failed
    // walk counts as not loaded.
    bool AggregationGroupsLoaded() const { return m_groupsLoaded; }
    // The walk behind LoadAggregationGroups(), for a dialog's LoadSet.
    kx::TableWalker* AggregationGroupWalker() const { return m_groupWalker; }
    // The per-port group numbers; null when the object has no array.
    const std::vector<int>* AggregationGroups() const;

    // Ports of one aggregated link must carry the same value: for every port p
    // with a non-zero value and a non-zero group, every port of that group must
    // carry the same value. 1 when they agree or the groups are not loaded.
    int MembersAgree(const std::vector<int>& perPortValues) const;

    int PortCount() const { return m_portCount; }

    // Scratch lists of the derived objects.
    QStringList m_strList1;
    QStringList m_strList2;
    QStringList m_strList3;

signals:
    void aggregationGroupsLoaded();
    void rowMessage(int message, int wParam, const QStringList& row);

protected:
    // A further session of a derived object (closed when the object goes).
    std::shared_ptr<CCommonSNMP> AddSession();

    // Walks `columns` on `session` and turns each row into the strings of a row
    // message: `format` decides the texts (default: each value's text).
    using RowFormat = std::function<QStringList(const kx::WalkRow& row)>;
    kx::TableWalker* StartRowWalk(const std::shared_ptr<CCommonSNMP>& session, int message,
                                  const QStringList& columns, RowFormat format = {});

    std::shared_ptr<CCommonSNMP> m_cCommonSNMP;      // gets and multi-object sets
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet;   // row-status sets
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable; // the aggregation-group walk

private:
    void OnGroupsWalked(const kx::WalkResult& result);

    int m_portCount;
    bool m_hasArray;
    QPointer<QObject> m_owner;
    kx::TrunkMembership m_groups;
    bool m_groupsLoaded = false;
    kx::TableWalker* m_groupWalker = nullptr;
    std::vector<std::shared_ptr<CCommonSNMP>> m_sessions;
    std::vector<kx::TableWalker*> m_rowWalkers;
};
