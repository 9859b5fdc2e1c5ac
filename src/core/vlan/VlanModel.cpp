#include "core/vlan/VlanModel.h"

#include "base/TextNumber.h"

#include <QThread>

#include <optional>

using namespace kx::vlan;
using kx::PortFlags;
using kx::SetBinding;

namespace {

std::size_t At(int port)
{
    return static_cast<std::size_t>(port - 1);
}

PortFlags FlagsOf(const QString& numberList, int portCount)
{
    PortFlags flags(static_cast<std::size_t>(portCount), 0);
    ParsePortNumberText(numberList, flags, 1, portCount);
    return flags;
}

} // namespace

SetPath kx::vlan::SessionSetPath(CCommonSNMP& session)
{
    return {
        [&session](const std::vector<SetBinding>& bindings) { return kx::SetValues(session, bindings); },
        [](int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); },
    };
}

VlanModel::VlanModel(Mode mode, int portCount, int asymmetricMode, VlanEntries entries, int editVid)
    : m_mode(mode),
      m_portCount(portCount > 0 ? portCount : 0),
      m_asymmetricMode(asymmetricMode),
      m_entries(std::move(entries)),
      m_editVid(editVid),
      m_member(static_cast<std::size_t>(m_portCount), 0),
      m_untagged(static_cast<std::size_t>(m_portCount), 0),
      m_notMember(static_cast<std::size_t>(m_portCount), 1),
      m_trunks(m_portCount)
{
    for (const VlanEntry& e : m_entries)
        if (!e.untaggedList.isEmpty())
            m_untaggedPorts += e.untaggedList.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (const VlanEntry* e = editedEntry()) {
        const PortFlags egress = FlagsOf(e->egressList, m_portCount);
        const PortFlags untagged = FlagsOf(e->untaggedList, m_portCount);
        for (int p = 1; p <= m_portCount; ++p)
            if (egress[At(p)])
                set(p, 1, untagged[At(p)] ? 1 : 0, 0);
    }
}

const VlanEntry* VlanModel::editedEntry() const
{
    if (m_mode != Mode::Edit)
        return nullptr;
    for (const VlanEntry& e : m_entries)
        if (e.vid == m_editVid)
            return &e;
    return nullptr;
}

void VlanModel::set(int port, int member, int untagged, int notMember)
{
    m_member[At(port)] = member;
    m_untagged[At(port)] = untagged;
    m_notMember[At(port)] = notMember;
}

bool VlanModel::choose(int port, PortChoice choice)
{
    if (port < 1 || port > m_portCount)
        return false;
    const QString number = QString::number(port);
    switch (choice) {
    case PortChoice::Untag:
        // In symmetric mode a port sends untagged in one VLAN only.
        if (m_asymmetricMode == 2 && m_untaggedPorts.contains(number))
            return false;
        set(port, 1, 1, 0);
        return true;
    case PortChoice::Tag:
    case PortChoice::NotMember:
        // The port no longer sends this VLAN untagged: it may do so elsewhere.
        if (m_mode == Mode::Edit && m_untagged[At(port)])
            m_untaggedPorts.removeOne(number);
        if (choice == PortChoice::Tag)
            set(port, 1, 0, 0);
        else
            set(port, 0, 0, 1);
        return true;
    }
    return false;
}

VlanModel::PortChoice VlanModel::choiceOf(int port) const
{
    if (port < 1 || port > m_portCount || !m_member[At(port)])
        return PortChoice::NotMember;
    return m_untagged[At(port)] ? PortChoice::Untag : PortChoice::Tag;
}

int VlanModel::vidFor(const QString& vidText) const
{
    return m_mode == Mode::Edit ? m_editVid : kx::LeadingDecimal(vidText);
}

QString VlanModel::trunkRefusal(const PortFlags& set) const
{
    if (m_trunks.membersAgree(set))
        return {};
    return QStringLiteral("Members in VLAN have to be in the same trunk !");
}

QString VlanModel::check(const QString& vidText, const QString& name) const
{
    const int vid = vidFor(vidText);
    if (m_mode == Mode::Add) {
        if (vid < 2 || vid > 4094)
            return QStringLiteral("Invalid VLAN ID, VLAN ID should be (2-4094) !");
        for (const VlanEntry& e : m_entries)
            if (e.vid == vid)
                return QStringLiteral("The VLAN ID has been used, please input again !");
    }
    if (name.isEmpty() || !CheckNameChars(name))
        return QStringLiteral("Invalid Vlan Name.");
    QString trunk = trunkRefusal(m_member);
    if (trunk.isEmpty())
        trunk = trunkRefusal(m_untagged);
    if (!trunk.isEmpty())
        return trunk;
    if (m_mode == Mode::Edit) {
        bool anyMember = false;
        for (int p = 1; p <= m_portCount; ++p)
            anyMember = anyMember || m_member[At(p)];
        bool otherHasMembers = false;
        for (const VlanEntry& e : m_entries)
            otherHasMembers = otherHasMembers || (e.vid != vid && e.egressCount > 0);
        if (!anyMember && !otherHasMembers)
            return QStringLiteral("You have to include at least one member in the vlan");
    }
    return {};
}

VlanModel::WriteResult VlanModel::write(int vid, const QString& name, const SetPath& path) const
{
    using Step = std::optional<kx::SetResult>; // empty: not sent
    auto rowState = [&](const QString& status) {
        return path.set({SetBinding::Integer(kx::Oid(kDot1qVlanStaticRowState, vid), status)});
    };
    auto ports = [&](const QString& column, const PortFlags& flags) {
        return path.set({SetBinding::Octets(kx::Oid(column, vid), kx::PortFlagsToPortList(flags, m_portCount))});
    };
    auto took = [](const Step& step) { return step && step->ok(); };
    // Taken, or sent without an answer: the device may hold it.
    auto mayHold = [](const Step& step) { return step && (step->ok() || !step->answered()); };

    const bool adding = m_mode == Mode::Add;
    // The default VLAN is never taken out of service and never opened to every port.
    const bool isDefault = !adding && vid == 1;
    Step status;
    if (adding)
        status = rowState(kRowCreateAndWait);
    else if (!isDefault)
        status = rowState(kRowNotInService);

    Step allPorts;
    Step untagged;
    Step members;
    if (!isDefault)
        allPorts = ports(kDot1qVlanStaticEgressPorts, PortFlags(static_cast<std::size_t>(m_portCount), 1));
    const bool noPortChanged = !adding && allPorts && allPorts->answered() && !allPorts->ok();
    if (isDefault || took(allPorts))
        untagged = ports(kDot1qVlanStaticUntaggedPorts, m_untagged);
    if (took(untagged))
        members = ports(kDot1qVlanStaticEgressPorts, m_member);

    if (!took(members) && !noPortChanged) {
        if (adding) {
            if (took(status))
                rowState(kRowDestroy);
        } else {
            const VlanEntry* before = editedEntry();
            // Untagged first: the device refuses untagged ports outside the egress list.
            if (mayHold(untagged))
                ports(kDot1qVlanStaticUntaggedPorts, FlagsOf(before ? before->untaggedList : QString(), m_portCount));
            if (mayHold(allPorts) || mayHold(members))
                ports(kDot1qVlanStaticEgressPorts, FlagsOf(before ? before->egressList : QString(), m_portCount));
            // Active again whatever the restore achieved: a VLAN out of service
            // drops from the list and carries no traffic.
            if (!isDefault)
                rowState(kRowActive);
        }
        return WriteResult::RolledBack;
    }

    QByteArray utf8;
    TextToUtf8(name, utf8, 128);
    path.set({SetBinding::Octets(kx::Oid(kDot1qVlanStaticName, vid), utf8)});
    if (path.pause)
        path.pause(50);
    rowState(kRowActive);
    return WriteResult::Written;
}
