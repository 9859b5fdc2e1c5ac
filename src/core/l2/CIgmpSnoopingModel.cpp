#include "core/l2/CIgmpSnoopingModel.h"

using namespace kx::l2;

CIgmpSnoopingModel::CIgmpSnoopingModel(int portCount, QObject* parent) : CFeatureModel(portCount, parent) {}

kx::ReadPlan CIgmpSnoopingModel::ReadGlobal()
{
    kx::ReadPlan plan;
    plan.get(m_cCommonSNMP, IgmpGlobalOids(), [this](const kx::GetResult& answer) {
        if (!answer.ok() || answer.values.size() < static_cast<std::size_t>(kIgmpGlobalFieldCount))
            return;
        m_lastRead.clear();
        for (int k = 0; k < kIgmpGlobalFieldCount; ++k)
            m_lastRead << answer.value(static_cast<std::size_t>(k)).text();
        emit globalRead(m_lastRead);
    });
    plan.timeout(kIgmpGlobalReadTimeoutMs);
    return plan;
}

kx::ReadPlan CIgmpSnoopingModel::WalkVlans()
{
    const int ports = PortCount();
    return RowWalk(m_cCommonSNMPTableIgmp, IgmpVlanColumns(),
                   [ports](const kx::WalkRow& row) { return IgmpVlanRowTexts(row, ports); });
}

kx::ReadPlan CIgmpSnoopingModel::WalkEntries()
{
    const int ports = PortCount();
    return RowWalk(m_cCommonSNMPTableIgmp, MulticastEntryColumns(),
                   [ports](const kx::WalkRow& row) { return MulticastEntryTexts(row, ports); });
}

std::function<kx::SetResult()> CIgmpSnoopingModel::Send(std::vector<std::vector<kx::SetBinding>> requests) const
{
    return [session = m_cCommonSNMPSet, requests = std::move(requests)] {
        kx::SetResult result;
        result.status = 0; // nothing to send is nothing that failed
        for (const std::vector<kx::SetBinding>& request : requests) {
            result = kx::SetValues(*session, request);
            if (!result.answered())
                break;
        }
        return result;
    };
}
