#pragma once

// The base of the per-feature data objects (bandwidth, storm control, mirroring,
// multicast, IP-MAC-port binding, DHCP screening, segmentation, surveillance
// VLAN, power saving, time profiles). A dialog owns its feature object; the
// object lives exactly as long as the dialog.
//
// The object owns its sessions and declares its reads as loads of the dialog's
// ReadPlan; what a table walk brings reaches the dialog on the UI thread as the
// typed signals rowArrived() and tableWalked(). Its synchronous requests
// (GetScalar, SetRowStatus and those of derived objects) belong in the dialog's
// write sequences, off the UI thread.

#include "core/kit/ReadPlan.h"
#include "core/kit/SessionSet.h"
#include "core/kit/SnmpRequests.h"
#include "core/kit/TrunkMembership.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class CFeatureModel : public QObject
{
    Q_OBJECT

public:
    // `portCount` ports: the aggregation-group array has one element a port, and
    // none when the count is not positive.
    explicit CFeatureModel(int portCount, QObject* parent = nullptr);
    ~CFeatureModel() override;

    // 0 (refused) for a null owner, else 1.
    int SetOwner(QObject* owner);
    QObject* Owner() const { return m_owner; }

    // Synchronous get on the first session; `value` gets binding 0's octets when
    // the answer has error status 0 and is left untouched otherwise.
    void GetScalar(const QString& oid, QByteArray& value);

    // Writes a row status ("1", "4", "5" or "6") on the second session. Any other
    // text sends nothing and returns 0 with RowStatusRefusal() in `refusal`; 1
    // when the send succeeded, 0 otherwise.
    int SetRowStatus(const QString& oidWithInstance, const QString& status, QString* refusal = nullptr);
    // "error status value!" for a status text SetRowStatus does not send, else empty.
    static QString RowStatusRefusal(const QString& status);

    // The walk of the port-channel member lists on the third session, for the
    // dialog's read. Until it ends the previous groups stay.
    kx::ReadPlan LoadAggregationGroups();
    // True once a walk has ended having delivered at least one answer; a failed
    // walk counts as not loaded.
    bool AggregationGroupsLoaded() const { return m_groupsLoaded; }
    // The per-port group numbers; null when the object has no array.
    const std::vector<int>* AggregationGroups() const;
    const kx::TrunkMembership& Groups() const { return m_groups; }

    // Ports of one aggregated link must carry the same value: for every port p
    // with a non-zero value and a non-zero group, every port of that group must
    // carry the same value. 1 when they agree or the groups are not loaded.
    int MembersAgree(const std::vector<int>& perPortValues) const;

    int PortCount() const { return m_portCount; }
    kx::SessionSet& Sessions() { return m_sessions; }

    // Sets `bindings` in one request on the first session (the base's
    // multi-object set), synchronously: for the dialog's write sequences. The
    // session travels with the sequence, so it outlives a dialog closed meanwhile.
    std::function<kx::SetResult()> SetObjects(std::vector<kx::SetBinding> bindings) const;

    // Scratch lists of the derived objects.
    QStringList m_strList1;
    QStringList m_strList2;
    QStringList m_strList3;

signals:
    void aggregationGroupsLoaded();
    // One row of a RowWalk() as its texts, and the walk's end.
    void rowArrived(const QStringList& row);
    void tableWalked(const kx::WalkResult& result);
    // The objects of a RecordRead() as its texts. Only an answer without an
    // error status arrives: after a failed get the dialog keeps what it shows.
    void recordArrived(const QStringList& record);

protected:
    // A further session of a derived object (closed when the object goes).
    std::shared_ptr<CCommonSNMP> AddSession(const QString& memberName);

    // A walk of `columns` on `session` for the dialog's read: each row becomes
    // rowArrived() with the texts `format` makes (default: each value's text),
    // the end tableWalked().
    using RowFormat = std::function<QStringList(const kx::WalkRow& row)>;
    kx::ReadPlan RowWalk(const std::shared_ptr<CCommonSNMP>& session, const QStringList& columns,
                         RowFormat format = {});

    // The design's synchronous gets of a few scalars that fill a record for the
    // dialog, as one get of `oids` on `session` for the dialog's read; an answer
    // without an error status becomes recordArrived() with the texts `format`
    // makes (default: each value's text).
    using RecordFormat = std::function<QStringList(const kx::GetResult& answer)>;
    kx::ReadPlan RecordRead(const std::shared_ptr<CCommonSNMP>& session, const QStringList& oids,
                            RecordFormat format = {});

    // The design's runs of synchronous sets (one a port, or one a step) for the
    // dialog's write sequences: `requests` in order on `session`, each waiting
    // for the one before. A refused set does not stop the run (the refresh after
    // it shows the device's values); one without an answer does: the device is
    // not listening, and each further set would wait as long. The count of
    // answered sets. Holds the session, touches no member of the object.
    static std::function<int()> SetSequence(std::shared_ptr<CCommonSNMP> session,
                                            std::vector<std::vector<kx::SetBinding>> requests);

    kx::SessionSet m_sessions;
    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = m_sessions.add(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = m_sessions.add(QStringLiteral("m_cCommonSNMPSet"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable = m_sessions.add(QStringLiteral("m_cCommonSNMPTable"));

private:
    int m_portCount;
    bool m_hasArray;
    QPointer<QObject> m_owner;
    kx::TrunkMembership m_groups;
    bool m_groupsLoaded = false;
};
