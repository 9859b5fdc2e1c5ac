#pragma once

// The aggregated-link member rules: the checks a new member set of one group
// must pass before it is written, in a fixed order, each with its own message.
// The first failing rule decides; the later ones do not run.
//
// CheckTrunkMembers is a function of its inputs only, apart from the second
// read of the three global states that the RSTP rule asks for through
// `rereadGlobals` (the validator answers it with a synchronous get; tests
// answer with whatever states they need, or leave it empty to judge on the
// snapshot's states).

#include "core/l2/TrunkSnapshot.h"

#include <QString>

#include <functional>
#include <optional>

namespace kx::l2 {

enum class TrunkRule
{
    None = 0,
    OtherGroup,         // 1
    PortType,           // 2
    HalfDuplex,         // 3
    Speed,              // 3
    DhcpScreening,      // 4
    Dot1xEnabled,       // 5, port value 2
    Dot1xChannelMode,   // 5, port value 1
    Vlan,               // 6
    AutoLearning,       // 7
    DefaultPriority,    // 8a
    Pvid,               // 8b
    PortSecurity,       // 8c
    LoopbackDetection,  // 8d
    MirrorSource,       // 9
    MirrorTarget,       // 10
    ArpSpoofing,        // 11
    RateControl,        // 12
    Rstp,               // 13
    VoiceVlan,          // 14
    StaticFdb,          // 15
    Acl,                // 16
    SurveillanceCamera, // 17, camera port
    SurveillanceDynamic // 17, dynamic mode
};

// The message a failing rule shows.
QString TrunkRuleMessage(TrunkRule rule);

struct TrunkVerdict
{
    TrunkRule rule = TrunkRule::None;
    QString message;

    bool passed() const { return rule == TrunkRule::None; }
};

// The second read of the global states; nullopt when it failed.
using GlobalStatesReread = std::function<std::optional<TrunkGlobalStates>()>;

// Judges `candidates` (CandidateSet: one flag per port, non-zero = ticked) as the
// members of the group whose present members are `currentMembers` (a port list
// text such as "7,8"). The RSTP rule first asks `rereadGlobals` for the global
// states and, when it answers, judges it and the later rules on those.
TrunkVerdict CheckTrunkMembers(const TrunkSnapshot& snapshot, const PortFlags& candidates,
                               const QString& currentMembers,
                               const GlobalStatesReread& rereadGlobals = {});

} // namespace kx::l2
