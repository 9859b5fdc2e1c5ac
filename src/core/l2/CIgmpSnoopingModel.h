#pragma once

// The IGMP feature object of "IGMP Snooping Configuration", "The VLAN Settings
// of IGMP snooping " and "Multicast Entry Table": each dialog owns one. It
// declares the dialogs' reads as loads (the eight global objects, the IGMP VLAN
// table with the VLAN names, the multicast entries, and the base's aggregation
// groups) and makes their writes as sequences to run off the UI thread.
//
// What it reads reaches the dialog on the UI thread: the eight values as
// globalRead(), table rows as the base's rowArrived() (the texts of one list
// row) and tableWalked().

#include "core/kit/CFeatureModel.h"
#include "core/l2/IgmpLogic.h"

#include <functional>

class CIgmpSnoopingModel : public CFeatureModel
{
    Q_OBJECT

public:
    explicit CIgmpSnoopingModel(int portCount, QObject* parent = nullptr);

    // The get of the eight global objects in one request. An answer without an
    // error becomes the values last read and globalRead(); a failure changes
    // nothing.
    kx::ReadPlan ReadGlobal();
    // The eight texts last read, in kx::l2::IgmpGlobalField order (empty before).
    const kx::l2::IgmpGlobalTexts& GlobalLastRead() const { return m_lastRead; }

    // The IGMP VLAN table with the VLAN names: one row of texts per VLAN
    // (kx::l2::IgmpVlanColumn order).
    kx::ReadPlan WalkVlans();
    // The multicast entries: VLAN ID, group address, MAC, member ports per row.
    kx::ReadPlan WalkEntries();

    // Sends `requests` in order on the set session, each waiting for its
    // answer; the first that gets none ends the sequence (the next would wait
    // as long for nothing). For writeSequence(): touches no member.
    std::function<kx::SetResult()> Send(std::vector<std::vector<kx::SetBinding>> requests) const;

signals:
    void globalRead(const QStringList& texts);

private:
    // The IGMP table walks; the base's table session loads the aggregation
    // groups meanwhile.
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableIgmp = AddSession(QStringLiteral("m_cCommonSNMPTableIgmp"));
    kx::l2::IgmpGlobalTexts m_lastRead;
};
