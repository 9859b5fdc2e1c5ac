#include "core/vlan/AutoSurveillanceModel.h"

#include "core/vlan/VlanTable.h"

#include <thread>

using namespace kx::vlan;

AutoSurveillanceModel::AutoSurveillanceModel(int portCount, QObject* parent) : CFeatureModel(portCount, parent) {}

kx::ReadPlan AutoSurveillanceModel::Refresh()
{
    kx::ReadPlan plan;
    if (!AggregationGroupsLoaded())
        plan.add(LoadAggregationGroups());

    // The VLAN IDs only; the global objects are read once the list is whole.
    m_read.vlanIds.clear();
    m_vlansWalked = false;
    plan.walk(m_cCommonSNMPTableVlan, {kDot1qVlanStaticName},
              [this](const kx::WalkResult& r) { m_vlansWalked = r.reachedEnd(); })
        .rows([this](const kx::WalkRow& row) { m_read.vlanIds << row.index; });
    plan.get(m_cCommonSNMPGet, {}, [this](const kx::GetResult& r) {
            if (r.ok() && r.values.size() >= 4)
                m_read.state = r.value(0).text();
            emit globalRead(r);
        })
        .afterPrevious()
        .objectsAtStart([this] { return m_vlansWalked ? SurveillanceGlobalOids() : QStringList(); });

    plan.get(m_cCommonSNMP, {kAsymmetricVlanState, kVoiceVlanState, kVoiceVlanId}, [this](const kx::GetResult& r) {
        if (!r.ok() || r.values.size() < 3)
            return;
        m_read.asymmetric = r.value(0).text() == QLatin1String("1") ? 1 : 2;
        m_read.voiceState = r.value(1).text() == QLatin1String("1") ? 1 : 2;
        m_read.voiceVid = r.value(2).toInt();
    });

    plan.walk(m_cCommonSNMPTableOui, {kOuiType, kOuiDescription, kOuiAddress, kOuiRowStatus})
        .rows([this](const kx::WalkRow& row) { emit ouiRow(OuiRowTexts(row), row.index); });

    m_voiceOuis.clear();
    plan.walk(m_cCommonSNMPTableVoiceOui, {kVoiceOuiAddress, kVoiceOuiMarker})
        .rows([this](const kx::WalkRow& row) { m_voiceOuis.push_back(VoiceOuiOf(row)); });
    return plan;
}

std::function<kx::SetResult()> AutoSurveillanceModel::Send(std::vector<kx::SetBinding> bindings) const
{
    return [session = m_cCommonSNMPSet, bindings = std::move(bindings)] { return kx::SetValues(*session, bindings); };
}

std::function<kx::SetResult()> AutoSurveillanceModel::SendNewOui(OuiAdd add) const
{
    return [session = m_cCommonSNMPSet, add = std::move(add)] {
        // The row's own answer decides nothing: the details' answer tells.
        kx::SetValues(*session, add.create);
        std::this_thread::sleep_for(std::chrono::milliseconds(kSettleMs));
        return kx::SetValues(*session, add.details);
    };
}

std::function<kx::SetResult()> AutoSurveillanceModel::SendDelete(kx::SetBinding binding) const
{
    return [session = m_cCommonSNMP, binding = std::move(binding)] { return kx::SetValues(*session, {binding}); };
}
