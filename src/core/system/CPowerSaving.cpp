#include "core/system/CPowerSaving.h"

#include "core/poe/TimeProfiles.h"

namespace kx::powersaving {

kx::ReadPlan CPowerSaving::LoadSettings(std::function<void(const Reading&)> deliver)
{
    kx::ReadPlan plan;
    plan.get(m_cCommonSNMP, ReadOids(m_model),
             [deliver = std::move(deliver), model = m_model, ports = PortCount()](const kx::GetResult& answer) {
                 if (answer.ok())
                     deliver(FromAnswer(answer, model, ports));
             });
    return plan;
}

kx::ReadPlan CPowerSaving::LoadProfileNames(std::function<void(const QStringList&)> deliver)
{
    kx::ReadPlan plan;
    plan.walk(m_cCommonSNMPTable, {poe::ProfileColumn(2)}, [deliver = std::move(deliver)](const kx::WalkResult& r) {
        QStringList names;
        for (const kx::WalkRow& row : r.rows)
            if (!row.value(0).octets.isEmpty())
                names << row.value(0).text();
        deliver(names);
    });
    return plan;
}

} // namespace kx::powersaving
