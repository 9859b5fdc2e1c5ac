#pragma once

// The aggregated-link member rules at work: loads what they judge when the
// member dialog opens, judges a member set on OK, and writes it.
//
// The twelve loads (TrunkLoadPlan) run at once, each on its own session; each
// hands its finished result to the UI thread, where it is folded into the one
// snapshot Validate() reads. Nothing reads a buffer a worker is still filling:
// the caller keeps its OK button waiting on the load set it hands to Init() (a
// failed load counts as ended, and the rules judge the zeros it leaves).

#include "core/l2/TrunkRules.h"
#include "core/l2/TrunkSnapshot.h"
#include "snmp/CCommonSNMP.h"
#include "core/kit/SnmpLoads.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class CTrunkValidator : public QObject
{
    Q_OBJECT

public:
    explicit CTrunkValidator(QObject* parent = nullptr);
    ~CTrunkValidator() override;

    // Zero-fills the snapshot for `portCount` ports and starts every load,
    // counted in `loads` until it ends. Returns 0, starting nothing, when there
    // are no ports to load for; 1 otherwise. The loads run once per validator.
    int Init(int portCount, kx::LoadSet* loads);

    // Judges CandidateSet (one flag per port) as the members of the group whose
    // present members are CurrentMembers ("7,8"). Shows the first failing rule's
    // message and returns 0, or returns 1. The RSTP rule reads the three global
    // states again, synchronously. Run it once the loads have ended.
    int Validate(const kx::PortFlags& CandidateSet, const QString& CurrentMembers);

    // One set of the members (one flag per port of `portCount`) and the mode
    // value ("1" or "2") of `group`, whatever the device answers: the refresh
    // that follows shows what it took.
    void WriteMembers(const kx::PortFlags& members, int portCount, const QString& group,
                      const QString& modeValue);

    // Closes the sessions in member order, one trace line each (once).
    void Close();

    CCommonSNMP* sessionNamed(const QString& memberName) const;

private:
    std::shared_ptr<CCommonSNMP> addSession(const QString& memberName);
    void startLoad(const kx::l2::TrunkLoad& load);

    struct NamedSession
    {
        QString name;
        std::shared_ptr<CCommonSNMP> session;
    };
    std::vector<NamedSession> m_sessions;
    bool m_closed = false;

    // The sessions, named after their members; closed in this order.
    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPMirror = addSession(QStringLiteral("m_cCommonSNMPMirror"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableACL = addSession(QStringLiteral("m_cCommonSNMPTableACL"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPPoint = addSession(QStringLiteral("m_cCommonSNMPPoint"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableVlan = addSession(QStringLiteral("m_cCommonSNMPTableVlan"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableTrunk = addSession(QStringLiteral("m_cCommonSNMPTableTrunk"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableStaticPor =
        addSession(QStringLiteral("m_cCommonSNMPTableStaticPor"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableGetVlanTrunk =
        addSession(QStringLiteral("m_cCommonSNMPTableGetVlanTrunk"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableArp = addSession(QStringLiteral("m_cCommonSNMPTableArp"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableCamera = addSession(QStringLiteral("m_cCommonSNMPTableCamera"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableRstp = addSession(QStringLiteral("m_cCommonSNMPTableRstp"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPDhcp = addSession(QStringLiteral("m_cCommonSNMPDhcp"));

    kx::LoadSet* m_loads = nullptr;
    bool m_started = false;
    kx::l2::TrunkSnapshot m_snapshot;
};
