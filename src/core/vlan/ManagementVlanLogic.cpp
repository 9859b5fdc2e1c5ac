#include "core/vlan/ManagementVlanLogic.h"

#include "core/vlan/VlanTable.h"
#include "core/kit/ValueCodecs.h"

namespace kx::vlan {

QStringList ManagementVlanLogic::WalkColumns()
{
    return {kDot1qVlanStaticName, kDot1qVlanStaticRowState};
}

bool ManagementVlanLogic::ReadState(const GetResult& answer, ManagementVlan& out)
{
    if (!answer.ok() || answer.values.size() < 2 || answer.value(0).isException() ||
        answer.value(1).isException())
        return false;
    out.state = answer.value(0).text();
    out.vid = answer.value(1).text();
    return true;
}

QString ManagementVlanLogic::NameOid(const QString& vid)
{
    return Oid(kDot1qVlanStaticName, vid);
}

bool ManagementVlanLogic::ReadName(const GetResult& answer, QString& name)
{
    if (!answer.ok() || answer.values.empty() || answer.value(0).isException())
        return false;
    Utf8ToText(answer.value(0).octets, name);
    return true;
}

QString ManagementVlanLogic::EgressOid(const QString& vid)
{
    return Oid(kDot1qVlanStaticEgressPorts, vid);
}

bool ManagementVlanLogic::IsEmptyVlan(const GetResult& egressAnswer, int portCount)
{
    if (!egressAnswer.ok() || egressAnswer.values.empty() || egressAnswer.value(0).isException())
        return false;
    QString members;
    return PortListToNumberText(egressAnswer.value(0).octets, members, portCount) == 0;
}

std::vector<SetBinding> ManagementVlanLogic::ApplyBindings(const ManagementVlan& chosen)
{
    std::vector<SetBinding> bindings;
    if (!chosen.state.isEmpty())
        bindings.push_back(SetBinding::Integer(kManagementVlanState, chosen.state));
    if (!chosen.vid.isEmpty())
        bindings.push_back(SetBinding::Integer(kManagementVlanId, chosen.vid));
    return bindings;
}

ManagementVlanLogic::ApplyOutcome ManagementVlanLogic::Apply(CCommonSNMP& getSession, CCommonSNMP& setSession,
                                                             const ManagementVlan& chosen, int portCount)
{
    ApplyOutcome outcome;
    if (!chosen.vid.isEmpty() && chosen.vid != QLatin1String("1") &&
        IsEmptyVlan(GetValues(getSession, {EgressOid(chosen.vid)}), portCount)) {
        outcome.emptyVlan = true;
        return outcome;
    }
    outcome.set = SetValues(setSession, ApplyBindings(chosen));
    return outcome;
}

ReadPlan ManagementVlanView::RefreshPlan(std::shared_ptr<CCommonSNMP> table, std::shared_ptr<CCommonSNMP> get)
{
    vids.clear();
    rowStates.clear();
    walkReachedEnd = false;
    ReadPlan plan;
    plan.walk(std::move(table), ManagementVlanLogic::WalkColumns(), [this](const WalkResult& result) {
        walkReachedEnd = result.reachedEnd();
        for (const WalkRow& row : result.rows) {
            vids << row.index;
            rowStates << row.value(1).text();
        }
    });
    return plan.add(StatePlan(std::move(get), true));
}

ReadPlan ManagementVlanView::ShowPlan(std::shared_ptr<CCommonSNMP> get)
{
    return StatePlan(std::move(get), false);
}

ReadPlan ManagementVlanView::StatePlan(std::shared_ptr<CCommonSNMP> get, bool afterWalk)
{
    // A walk that broke off shows nothing of the state.
    ReadPlan plan;
    plan.get(get, ManagementVlanLogic::StateOids(),
             [this](const GetResult& answer) { ManagementVlanLogic::ReadState(answer, read); })
        .afterPrevious()
        .objectsAtStart([this, afterWalk] {
            return !afterWalk || walkReachedEnd ? ManagementVlanLogic::StateOids() : QStringList();
        });
    plan.get(get, {}, [this](const GetResult& answer) { ManagementVlanLogic::ReadName(answer, name); })
        .afterPrevious()
        .objectsAtStart([this, afterWalk] {
            if ((afterWalk && !walkReachedEnd) || read.vid.isEmpty())
                return QStringList();
            if (ManagementVlanLogic::IsDefaultName(read.vid)) {
                name = ManagementVlanLogic::DefaultName();
                return QStringList();
            }
            return QStringList{ManagementVlanLogic::NameOid(read.vid)};
        });
    return plan;
}

QStringList ManagementVlanView::ActiveVids() const
{
    QStringList active;
    for (int i = 0; i < vids.size(); ++i)
        if (rowStates.value(i) == QLatin1String("1"))
            active << vids[i];
    return active;
}

} // namespace kx::vlan
