#pragma once

// What the status polling decides, without sessions or widgets: the rows of a
// status walk, the link and PoE states derived from them, the PoE budget
// decision, which lamp bitmap each lamp shows in a blink phase, and the texts
// that describe the lamps to a user who cannot see them.

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kx {

// Port and PoE state arrays have at least this many entries, and the failure
// reset covers them all, whatever the port count.
inline constexpr int kMinPortArraySize = 52;
// A port count beyond this (a damaged User.ini) is treated as this many ports,
// so that no array is sized by a number nobody checked.
inline constexpr int kMaxPanelPorts = 1024;

// The PoE budget lamp lights when at most this many watts are left.
inline constexpr double PowerLimitThreshold = 7.0;

enum PoeState : int
{
    PoePowered = 0,
    PoeNotPowered = 1,
    PoeFault = 2,
    PoeUnknown = 3, // initial
};

// The fan status as a code, so that it crosses threads as one word: "1" normal, "2" fault.
enum FanStatus : int
{
    FanNormal = 1,
    FanFault = 2,
};

// The port count clamped to 0..kMaxPanelPorts.
int BoundedPortCount(int devicePortNum);
// Entries of the port and PoE state arrays for a port count.
int PortArraySize(int devicePortNum);

// The link state (PortState) of one interface row: 2 disabled unless the
// administrative status is "1", 3 no link unless the operational status is "1",
// 1 at the port's top speed, else 0.
int LinkState(const std::string& adminStatus, const std::string& operStatus,
              const std::string& speed, bool isAllGiga);
// The top speed's text: "1000000000" with IsAllGiga, else "100000000".
const char* TopSpeedText(bool isAllGiga);

// "POWER ON" 0, "POWER OFF" and "Time-based OFF" 1, any other text 2.
int PoeStateOf(const std::string& statusText);

// The budget decision for the value of the remaining-power object: true when it
// is at most PowerLimitThreshold, false above; nullopt when the text is not a
// decimal number (the flag then stays as it was).
std::optional<bool> PoeBudgetReached(const std::string& valueText);

// One row of the status walk as its six columns answer it.
struct StatusRow
{
    std::string ifIndex;     // the row's index, from binding 0's OID
    std::string speed;       // ifSpeed
    std::string adminStatus; // ifAdminStatus
    std::string operStatus;  // ifOperStatus
    std::string portValue;   // the private port value column
    std::string poeStatus;   // the PoE port status text
};

// The status the panel shows, handed from the polling side to the window in one
// piece per status walk. Immutable once made.
struct PanelStatusSnapshot
{
    enum class Kind
    {
        Evaluated, // a walk ended and was evaluated: lamps follow it, blinking restarts
        Failed,    // a walk failed: every lamp back to its initial state
    };

    Kind kind = Kind::Evaluated;
    int portCount = 0;                    // the bounded port count
    std::vector<std::uint8_t> portStates; // PortState per port, PortArraySize entries
    std::vector<std::uint8_t> poeStates;  // PoeState per port, PortArraySize entries
    std::vector<int> portValues;          // the private port value, portCount entries
    std::vector<int> evaluatedPorts;      // ports (from 1) the walk gave a state, in walk order
    bool powMax = false;                  // m_BIsPowMax
    bool agentAnswered = false;           // the latest reachability probe
    int fanStatus = FanNormal;
    std::uint64_t sequence = 0;           // counts snapshots from 1
};

// The panel's status record and the rows of the running walk. Not thread-safe:
// the owner serialises access.
class PanelStatusModel
{
public:
    PanelStatusModel(int devicePortNum, bool isAllGiga);

    int portCount() const { return m_portCount; }

    // Empties the rows (a walk starts).
    void beginWalk();

    enum class RowResult
    {
        Appended,
        PastFrontPanel, // the row's index is beyond the last front-panel port: not kept
    };
    RowResult addRow(StatusRow row);
    const std::vector<StatusRow>& rows() const { return m_rows; }

    // Derives link states, then PoE states, from the rows. Indices outside
    // 1..portCount are ignored.
    void evaluate();
    // Every port and PoE state back to 3 (after a failed walk).
    void resetAfterFailure();

    const std::vector<std::uint8_t>& portStates() const { return m_portStates; }
    const std::vector<std::uint8_t>& poeStates() const { return m_poeStates; }
    const std::vector<int>& portValues() const { return m_portValues; }
    const std::vector<int>& evaluatedPorts() const { return m_evaluatedPorts; }

    PanelStatusSnapshot snapshot(PanelStatusSnapshot::Kind kind) const;

private:
    int m_portCount;
    bool m_isAllGiga;
    std::vector<StatusRow> m_rows;
    std::vector<std::uint8_t> m_portStates;
    std::vector<std::uint8_t> m_poeStates;
    std::vector<int> m_portValues;
    std::vector<int> m_evaluatedPorts;
};

// One lamp bitmap to draw: lamp index 0..2 of a port, or a fixed place.
struct LampDraw
{
    int lamp = 0;
    int bitmap = 0;
    bool operator==(const LampDraw&) const = default;
};

struct FixedLampDraw
{
    int bitmap = 0;
    int x = 0;
    int y = 0;
    bool operator==(const FixedLampDraw&) const = default;
};

// The bitmaps a port's lamps 0, 1 and 2 get in one blink phase (false = phase
// 0), in drawing order. Nothing for an empty port. The panel keeps what it drew,
// so a lamp that is to blink gets the dark lamp in its other phase: a PoE fault
// blinks amber; lamp 2 blinks green in opposite phases for the two link speeds
// while lamp 0 is green at top speed and dark below it; a port without a lamp 2
// (`hasLamp2` false) blinks lamp 0 green below top speed instead. `lamp2HasLeft`:
// lamp 2's left is not 0, so it is cleared to dark before its rule.
std::vector<LampDraw> PortLampDraws(int portState, int poeState, bool blinkPhase, bool hasLamp2,
                                    bool lamp2HasLeft);

// The lamps drawn at fixed places for the model: the power lamp and PoE budget
// lamp of the KX-A1 models; the power, mode, budget and fan lamps of the KX-C1.
std::vector<FixedLampDraw> ModelLampDraws(const QString& deviceName, bool lampOrderFlag,
                                          bool powMax, bool agentAnswered, int fanStatus);

// "Port 3: link 100M, PoE powered", as a user reads the port's lamps.
QString PortLampText(int port, int portState, int poeState, bool isAllGiga);
// Lines for the whole panel: the model lamps, then one line per port shown.
QStringList PanelLampTexts(const QString& deviceName, const PanelStatusSnapshot& status,
                           int portsShown, bool isAllGiga);

} // namespace kx
