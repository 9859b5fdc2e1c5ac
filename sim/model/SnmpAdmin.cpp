// The switch's own SNMP agent administration: what its user, group, view,
// community and host tables take.

#include "sim/model/Model.h"

namespace kxsim {

namespace {

const Oid kUser = P({25, 2, 1, 1});
const Oid kGroup = P({25, 3, 1, 1});
const Oid kView = P({25, 4, 1, 1});
const Oid kCommunity = P({25, 5, 1, 1});
const Oid kHost = P({25, 6, 1, 1});

Oid InstanceOf(const Oid& entry, const Oid& oid)
{
    return Tail(oid, entry.size() + 1);
}

bool Creates(const Write& w)
{
    return w.value.num == 4 || w.value.num == 5;
}

// A user becomes active only with what its version needs: V1 and V2c users have
// no protocols; a V3 user's authentication protocol has its password (at most
// 32 characters for MD5, 40 for SHA), and privacy needs authentication and a
// password of its own.
// Whether a status write leaves the row active.
bool Activates(const Write& w)
{
    return w.value.num == 1 || w.value.num == 4;
}

Err UserActivation(Tx& tx, const Write& w)
{
    if (!Activates(w))
        return Err::NoError;
    const Device& d = tx.device;
    const Oid inst = InstanceOf(kUser, w.oid);
    const TableDef* t = d.table(kUser);
    if (!t || !d.rowExists(*t, inst))
        return Err::NoError;
    const auto version = d.intAt(t->cell(2, inst));
    const auto auth = d.intAt(t->cell(4, inst), 1);
    const auto priv = d.intAt(t->cell(6, inst), 1);
    const std::size_t authLength = d.bytesAt(t->cell(5, inst)).size();
    const std::size_t privLength = d.bytesAt(t->cell(7, inst)).size();
    if (version != 3)
        return auth == 1 && priv == 1 ? Err::NoError : Err::InconsistentValue;
    if (auth != 1 && (authLength == 0 || authLength > (auth == 2 ? 32u : 40u)))
        return Err::InconsistentValue;
    if (priv == 2 && (auth == 1 || privLength == 0))
        return Err::InconsistentValue;
    return Err::NoError;
}

// Only v3 groups have a security level of their own: v1 and v2c groups are
// noAuthNoPriv.
Err GroupCreation(const Device&, const Write& w)
{
    if (!Creates(w))
        return Err::NoError;
    const Oid inst = InstanceOf(kGroup, w.oid);
    if (inst.empty() || inst[0] + 3 != inst.size())
        return Err::NoError; // the index check refuses it
    const auto model = inst[inst.size() - 2];
    const auto level = inst[inst.size() - 1];
    return model != 3 && level != 1 ? Err::InconsistentName : Err::NoError;
}

// One mask octet, 0 or 1, for each sub-identifier of the subtree at most.
Err ViewMask(const Device&, const Write& w)
{
    const Oid inst = InstanceOf(kView, w.oid);
    if (inst.empty() || inst[0] + 1 >= inst.size())
        return Err::NoError;
    const std::uint64_t subtreeLength = inst[inst[0] + 1];
    const std::string& mask = w.value.bytes;
    if (mask.size() > subtreeLength)
        return Err::WrongValue;
    for (char c : mask)
        if (c != 0 && c != 1)
            return Err::WrongValue;
    return Err::NoError;
}

// A community's view policy is that of an active V1 or V2c user.
Err CommunityActivation(Tx& tx, const Write& w)
{
    if (!Activates(w))
        return Err::NoError;
    const Device& d = tx.device;
    const TableDef* communities = d.table(kCommunity);
    const TableDef* users = d.table(kUser);
    const Oid inst = InstanceOf(kCommunity, w.oid);
    if (!communities || !users || !d.rowExists(*communities, inst))
        return Err::NoError;
    const std::string user = d.bytesAt(communities->cell(2, inst));
    for (std::uint32_t version : {1u, 2u}) {
        Oid userInst{static_cast<std::uint32_t>(user.size())};
        for (unsigned char c : user)
            userInst.push_back(c);
        userInst.push_back(version);
        if (d.rowExists(*users, userInst) && d.intAt(users->cell(8, userInst)) == 1)
            return Err::NoError;
    }
    return Err::InconsistentValue;
}

// Notifications go to a host: not a network, broadcast, loopback or multicast
// address.
Err HostCreation(const Device&, const Write& w)
{
    if (!Creates(w))
        return Err::NoError;
    const Oid inst = InstanceOf(kHost, w.oid);
    if (inst.size() != 4)
        return Err::NoError;
    const bool usable = inst[0] >= 1 && inst[0] <= 223 && inst[0] != 127 && inst[3] != 0 && inst[3] < 255;
    return usable ? Err::NoError : Err::InconsistentName;
}

} // namespace

void AddSnmpAdminRules(Rules& rules)
{
    rules.on(Concat(kUser, {8}), Rule{.state = UserActivation});
    rules.on(Concat(kGroup, {7}), Rule{.value = GroupCreation});
    rules.on(Concat(kView, {3}), Rule{.value = ViewMask});
    rules.on(Concat(kCommunity, {3}), Rule{.state = CommunityActivation});
    rules.on(Concat(kHost, {4}), Rule{.value = HostCreation});
}

} // namespace kxsim
