#pragma once

// IP-MAC-port binding ("Smart Binding"): the per-port settings, the bindings the
// switch learnt or a scan found, the white list of permitted hosts and the
// black list of blocked ones.
//
// The rules of the four dialogs live in the Impb* functions below, without
// widgets. CImpbModel is the feature object each of the dialogs owns: its walks
// hand every row to the dialog as the base's rowArrived(), as texts in the slot
// order given with each walk; its writes are sequences to run off the UI thread.

#include "core/kit/CFeatureModel.h"
#include "core/kit/SnmpRequests.h"
#include "core/kit/TrunkMembership.h"
#include "core/kit/ValueCodecs.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace kx::security {

inline const QString kImpbArc = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.10");
inline const QString kImpbPortTable = kImpbArc + QStringLiteral(".1.1");
inline const QString kImpbBindingTable = kImpbArc + QStringLiteral(".2.1");
inline const QString kImpbWhiteList = kImpbArc + QStringLiteral(".3.1");
inline const QString kImpbBlackList = kImpbArc + QStringLiteral(".4.1");
inline const QString kImpbScanFrom = kImpbArc + QStringLiteral(".5.0");
inline const QString kImpbScanTo = kImpbArc + QStringLiteral(".6.0");
inline const QString kImpbScanStart = kImpbArc + QStringLiteral(".7.0");

// A column of one of the tables: "<table>.<column>".
inline QString ImpbColumn(const QString& table, int column)
{
    return table + QLatin1Char('.') + QString::number(column);
}

// --- walks and what their rows read -------------------------------------------------

// Settings rows: port, admin state, inspection mode, DHCP snooping.
QStringList ImpbSettingsColumns();
// The list line: port, admin state, "Also inspect IP packets", DHCP snooping.
QStringList ImpbSettingsLine(const QStringList& row);

// Binding rows: IP, MAC, VLAN ID, port, binding state (walked .1, .4, .3, .2, .5).
QStringList ImpbBindingColumns();
QStringList ImpbBindingRow(const WalkRow& row);
// The list line: VID, IP, MAC, port, "Bound" or "Not Bound".
QStringList ImpbBindingLine(const QStringList& row);

// White-list rows: IP, MAC, an empty slot, port, row status.
QStringList ImpbWhiteColumns();
QStringList ImpbWhiteRow(const WalkRow& row);
QStringList ImpbWhiteLine(const QStringList& row);

// Black-list rows: IP, MAC, VLAN ID, port, action.
QStringList ImpbBlackColumns();
QStringList ImpbBlackRow(const WalkRow& row);
// The list line: VID, IP, MAC, port.
QStringList ImpbBlackLine(const QStringList& row);

// --- Smart Binding Settings ----------------------------------------------------------

inline const QStringList kImpbStates = {QStringLiteral("Disabled"), QStringLiteral("Enabled")};
inline const QStringList kImpbModes = {QStringLiteral("ARP Inspection"),
                                       QStringLiteral("ARP+IP Inspection")};

// What Apply writes for each port of the range, as the device's texts.
struct ImpbPortSettings
{
    QString admin; // "1" enabled, "0" disabled
    QString mode;  // "1" ARP inspection only, "0" ARP and IP
    QString dhcp;  // "1" enabled, "0" disabled
};
// The choices of the three boxes (their texts) as written values.
ImpbPortSettings ImpbSettingsFrom(const QString& admin, const QString& mode, const QString& dhcp);

struct ImpbApplyCheck
{
    QString refusal;
    bool adminBackToDisabled = false;
};
// The checks of Apply: ports `from`..`to` of `portCount`, the groups of the
// load that ended before Apply could be pressed, the white-list rows the last
// refresh counted.
ImpbApplyCheck ImpbCheckApply(int from, int to, int portCount, const ImpbPortSettings& settings,
                              const TrunkMembership& groups, int whiteListCount);
// One request a port, ascending.
std::vector<std::vector<SetBinding>> ImpbSettingsRequests(int from, int to,
                                                          const ImpbPortSettings& settings);

// --- Smart Binding -------------------------------------------------------------------

enum class ImpbField
{
    None,
    Ip,
    Mac,
    Port,
    From,
    To,
};

struct ImpbRefusal
{
    QString text;
    ImpbField field = ImpbField::None;
    bool refused() const { return !text.isEmpty(); }
};

// Manual binding: `ipFields` filled fields of the address control.
ImpbRefusal ImpbCheckManualBinding(int ipFields, const QString& ip, const QString& mac,
                                   const QString& portText, int portCount);
// The white-list row of the host: createAndWait, its port, then (after a
// pause) active. Three requests.
std::vector<std::vector<SetBinding>> ImpbManualBindingRequests(const QString& ip,
                                                               const QString& mac, int port);

ImpbRefusal ImpbCheckScan(int fromFields, const QString& from, int toFields, const QString& to);
// The range in one request, then the start in another.
std::vector<std::vector<SetBinding>> ImpbScanRequests(const QString& from, const QString& to);

// `selected`: a line is selected; `bindingText` its "Binding" column.
QString ImpbBindingRefusal(bool selected, const QString& bindingText);
SetBinding ImpbBindBinding(const QString& mac, const QString& port, const QString& ip);

// --- White List and Black List --------------------------------------------------------

QString ImpbDeleteRefusal(bool selected);
SetBinding ImpbWhiteDestroy(const QString& ip, const QString& mac);

struct ImpbBlackFilter
{
    QString vid;
    QString ip;
    QString mac;
    QString port;
};
// Whether a black-list row (slot order) passes every non-empty filter field.
bool ImpbBlackMatches(const QStringList& row, const ImpbBlackFilter& filter);
// The removal, on MAC.1.port whatever VLAN the line shows: the form the switch
// takes.
SetBinding ImpbBlackRemove(const QString& mac, const QString& port);

} // namespace kx::security

class CImpbModel : public CFeatureModel
{
    Q_OBJECT

public:
    explicit CImpbModel(int portCount, QObject* parent = nullptr);

    // Each walk hands its rows over as rowArrived() in its slot order, the end
    // as tableWalked().
    kx::ReadPlan WalkSettings();
    kx::ReadPlan WalkBindings();
    kx::ReadPlan WalkWhiteList();
    kx::ReadPlan WalkBlackList();
    // A walk of the white list that only counts its rows (the settings dialog's).
    kx::ReadPlan CountWhiteList();
    // The rows the last white-list walk saw.
    int WhiteListCount() const { return m_whiteListCount; }

    // A write sequence for the dialog's writeSequence(): the requests in order
    // on the set session, `pauseAfter[i]` milliseconds after request i. An
    // unanswered request ends it (the next would wait as long for nothing).
    // The result: whether every request was taken, and the last one's answer.
    struct Sent
    {
        bool allOk = false;
        kx::SetResult last;
    };
    std::function<Sent()> Send(std::vector<std::vector<kx::SetBinding>> requests,
                               std::vector<int> pauseAfter = {}) const;

private:
    kx::ReadPlan CountingWalk(const QStringList& columns, bool handRows);

    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableImpb =
        AddSession(QStringLiteral("m_cCommonSNMPTableImpb"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableWhite =
        AddSession(QStringLiteral("m_cCommonSNMPTableWhite"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSetImpb =
        AddSession(QStringLiteral("m_cCommonSNMPSetImpb"));
    int m_whiteListCount = 0;
};
