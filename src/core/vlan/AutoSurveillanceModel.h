#pragma once

// The feature object of "Auto Surveillance VLAN Settings": the dialog owns one.
// It declares the dialog's read as loads (the aggregation groups, the VLAN
// list, then the four global objects, the asymmetric and voice VLAN objects,
// the OUI table and the voice VLAN's OUIs) and keeps what Apply and Add judge.
//
// What it reads reaches the dialog on the UI thread: the global objects as
// globalRead(), OUI rows as ouiRow() (the list's texts and the row's instance).

#include "core/kit/CFeatureModel.h"
#include "core/vlan/AutoSurveillance.h"

class AutoSurveillanceModel : public CFeatureModel
{
    Q_OBJECT

public:
    explicit AutoSurveillanceModel(int portCount, QObject* parent = nullptr);

    // Every read of the dialog's refresh. The aggregation groups are read once.
    kx::ReadPlan Refresh();

    const kx::vlan::SurveillanceRead& LastRead() const { return m_read; }
    const std::vector<kx::vlan::VoiceOui>& VoiceOuis() const { return m_voiceOuis; }

    // One request on the set session, for writeSequence().
    std::function<kx::SetResult()> Send(std::vector<kx::SetBinding> bindings) const;
    // createAndGo, the switch's pause, then the entry's details.
    std::function<kx::SetResult()> SendNewOui(kx::vlan::OuiAdd add) const;
    // The row destroyed on the small-request session.
    std::function<kx::SetResult()> SendDelete(kx::SetBinding binding) const;

signals:
    // state, VLAN ID, priority, ports (as the switch's octets)
    void globalRead(const kx::GetResult& answer);
    void ouiRow(const QStringList& texts, const QString& instance);

private:
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPGet = AddSession(QStringLiteral("m_cCommonSNMPGet"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableVlan = AddSession(QStringLiteral("m_cCommonSNMPTableVlan"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableOui = AddSession(QStringLiteral("m_cCommonSNMPTableOui"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableVoiceOui =
        AddSession(QStringLiteral("m_cCommonSNMPTableVoiceOui"));

    kx::vlan::SurveillanceRead m_read;
    std::vector<kx::vlan::VoiceOui> m_voiceOuis;
    bool m_vlansWalked = false;
};
