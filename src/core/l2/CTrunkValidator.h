#pragma once

// The aggregated-link member rules at work: loads what they judge when the
// member dialog opens, then judges a member set on OK and writes it.
//
// Init() declares the twelve loads (TrunkLoadPlan) for the dialog's read, each on
// its own session, in the order the device is asked; each answer is folded into
// the one snapshot the judgement reads, on the UI thread. The dialog keeps OK
// disabled until that read has ended (a failed load counts as ended, and the
// rules judge the zeros it leaves).

#include "core/kit/ReadPlan.h"
#include "core/kit/SessionSet.h"
#include "core/kit/SnmpRequests.h"
#include "core/l2/TrunkRules.h"
#include "core/l2/TrunkSnapshot.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class CTrunkValidator : public QObject
{
    Q_OBJECT

public:
    explicit CTrunkValidator(QObject* parent = nullptr);

    // Zero-fills the snapshot for `portCount` ports and adds every load to
    // `loads`. Returns 0, adding nothing, when there are no ports to load for;
    // 1 otherwise.
    int Init(int portCount, kx::ReadPlan& loads);

    // What OK decides: the first failing rule (or none) and whether the members
    // were written.
    struct Judgement
    {
        kx::l2::TrunkVerdict verdict;
        // The three global states as the RSTP rule read them again.
        std::optional<kx::l2::TrunkGlobalStates> reread;
        bool written = false;
    };
    // OK's requests in their order, to run off the UI thread: the RSTP rule's
    // second read of the global states, then, when every rule passes, one set of
    // the members (one flag per port) and the mode value ("1" or "2") of
    // `group`, whatever the device answers: the refresh that follows shows what
    // it took. Works on a copy of the snapshot as it is now.
    std::function<Judgement()> Judge(const kx::PortFlags& CandidateSet, const QString& CurrentMembers,
                                     const QString& group, const QString& modeValue) const;
    // Keeps what a judgement read again.
    void Remember(const Judgement& judgement);

    kx::SessionSet& sessions() { return m_sessions; }
    const kx::l2::TrunkSnapshot& snapshot() const { return m_snapshot; }

private:
    kx::SessionSet m_sessions;
    // The sessions, named after their members; closed in this order.
    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = m_sessions.add(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = m_sessions.add(QStringLiteral("m_cCommonSNMPSet"));
    kx::l2::TrunkSnapshot m_snapshot;
    int m_portCount = 0;
};
