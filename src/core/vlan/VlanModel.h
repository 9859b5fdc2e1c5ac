#pragma once

// The "Add VLAN" / "Edit VLAN" dialog without its widgets: the per-port choice of
// tagged, untagged or not a member, the checks of OK with their messages, and the
// sets that write the VLAN.
//
// The device keeps a VLAN's untagged ports within its egress ports, so the write
// first makes every port an egress member, then writes the untagged set, then the
// real member set, then the name, and activates the VLAN last. When one of the
// port sets fails, the VLAN is not activated as it stands (it would carry traffic
// on every port): an added row is destroyed again, an edited VLAN gets back what
// can be restored of the lists it had and is active again, and the dialog stays
// open. Only when the device answers the first port set of an edit with an
// error has it changed no port: the sequence then goes on as the device expects
// (name and activation), and the refresh shows the VLAN as it holds it.

#include "core/vlan/VlanTable.h"
#include "core/kit/SnmpRequests.h"
#include "core/kit/TrunkMembership.h"
#include "core/kit/ValueCodecs.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace kx::vlan {

// Where a write sequence sends its requests, one set each, and the pauses it
// makes between them.
struct SetPath
{
    std::function<SetResult(const std::vector<SetBinding>& bindings)> set;
    std::function<void(int milliseconds)> pause;
};

// The path of a dialog: synchronous sets on its session, pauses on the calling
// thread (the dialog shows the wait cursor meanwhile).
SetPath SessionSetPath(CCommonSNMP& session);

} // namespace kx::vlan

class VlanModel
{
public:
    enum class Mode
    {
        Add,
        Edit,
    };
    enum class PortChoice
    {
        Tag,
        Untag,
        NotMember,
    };
    // What OK's write did.
    enum class WriteResult
    {
        Written,    // the VLAN is written and active: the dialog closes
        RolledBack, // a port set failed and was undone: the dialog stays open
    };

    // `asymmetricMode` 1 enabled, 2 disabled. In edit mode `editVid` names the
    // entry whose name and ports the dialog starts from.
    VlanModel(Mode mode, int portCount, int asymmetricMode, VlanEntries entries, int editVid = 0);

    int portCount() const { return m_portCount; }
    Mode mode() const { return m_mode; }
    int editVid() const { return m_editVid; }
    // The edited VLAN as it was read; null in add mode or when no entry has the VID.
    const VlanEntry* editedEntry() const;

    // A click on one of port `port`'s buttons. Untag is refused in symmetric mode
    // for a port that is untagged elsewhere: false, and nothing changes.
    bool choose(int port, PortChoice choice);
    PortChoice choiceOf(int port) const;
    const kx::PortFlags& members() const { return m_member; }
    const kx::PortFlags& untagged() const { return m_untagged; }
    const kx::PortFlags& notMembers() const { return m_notMember; }
    // Every port untagged in some VLAN, as port number texts (a port once a VLAN).
    const QStringList& untaggedElsewhere() const { return m_untaggedPorts; }

    void setTrunks(const kx::TrunkMembership& trunks) { m_trunks = trunks; }

    // The checks of OK in their order: the first refusal's message, or empty.
    QString check(const QString& vidText, const QString& name) const;
    // The VID OK writes: the typed one in add mode, the edited one in edit mode.
    int vidFor(const QString& vidText) const;

    // Writes the VLAN (after check() passed).
    WriteResult write(int vid, const QString& name, const kx::vlan::SetPath& path) const;

private:
    void set(int port, int member, int untagged, int notMember);
    QString trunkRefusal(const kx::PortFlags& set) const;

    Mode m_mode;
    int m_portCount;
    int m_asymmetricMode;
    VlanEntries m_entries;
    int m_editVid;
    QStringList m_untaggedPorts;
    kx::PortFlags m_member;
    kx::PortFlags m_untagged;
    kx::PortFlags m_notMember;
    kx::TrunkMembership m_trunks;
};
