#pragma once

// "DHCP Server Screening Settings  ": the trusted DHCP servers and the ports on
// which DHCP server packets are trusted.
//
// The device keeps the ports it screens; the dialog shows and takes the others,
// the trusted ones. The rules live in DhcpScreening* below; CDhcpScreeningModel
// is the dialog's feature object: its reads as loads, its writes as sequences
// to run off the UI thread.

#include "core/kit/CFeatureModel.h"
#include "core/kit/SnmpRequests.h"
#include "core/kit/ValueCodecs.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace kx::security {

inline const QString kDhcpScreeningPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.7.1.0");
inline const QString kDhcpServerIndex = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.7.2.1.1");
inline const QString kDhcpServerAddress = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.7.2.1.2");
inline const QString kDhcpServerRowStatus = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.7.2.1.3");
inline constexpr int kDhcpMaxServers = 5;

// One walked server row, whatever its status.
struct DhcpServerRow
{
    QString index;
    QString address;
    QString status;
    bool active() const { return status == QLatin1String("1"); }
};

// The screened ports as read, inverted: the trusted ports as a PortRangeText.
QString DhcpTrustedText(QByteArrayView screened, int portCount);

// What adding the server in the address control comes to.
struct DhcpServerAdd
{
    QString refusal;
    bool focusAddress = false;
    int number = 0; // the entry number the new row takes
};
// `ipFields`: the filled fields of the control; `listed`: the addresses the
// list shows; `walked`: every row of the last walk, active or not. The new row
// takes the smallest number 1..5 no walked row uses: counting only the listed
// rows would reuse the number of a row further up and overwrite it.
DhcpServerAdd DhcpCheckServerAdd(int ipFields, const QString& ip, const QStringList& listed,
                                 const std::vector<DhcpServerRow>& walked);
QString DhcpDeleteRefusal(bool anySelected);

// What the trusted-port Add does with the edit's text.
struct DhcpTrustedPorts
{
    enum Kind
    {
        Unchanged, // the text the last refresh showed: nothing is sent
        Refused,
        Write,
    };
    Kind kind = Unchanged;
    QString refusal;
    PortFlags trusted; // Write: one flag a port
};
// `agree` judges the trusted flags against the aggregated links.
DhcpTrustedPorts DhcpCheckTrustedPorts(const QString& text, const QString& lastShown, int portCount,
                                       const std::function<bool(const PortFlags&)>& agree);
// The screening port list that trusts exactly `trusted`.
QByteArray DhcpScreeningList(const PortFlags& trusted, int portCount);

} // namespace kx::security

class CDhcpScreeningModel : public CFeatureModel
{
    Q_OBJECT

public:
    explicit CDhcpScreeningModel(int portCount, QObject* parent = nullptr);

    // The get of the screening port list: an answer becomes trustedPortsRead()
    // with the trusted ports' text; a failure changes nothing.
    kx::ReadPlan ReadTrustedPorts();
    // The server walk: each row as the base's rowArrived() (index, address,
    // row status), the end as tableWalked().
    kx::ReadPlan WalkServers();

    // Write sequences for the dialog's writeSequence(); they touch only the
    // sessions. Each answers with its last request's result.
    std::function<kx::SetResult()> AddServer(int number, const QString& ip);
    std::function<kx::SetResult()> DeleteServer(const QString& index);
    std::function<kx::SetResult()> WriteTrustedPorts(const kx::PortFlags& trusted) const;

signals:
    void trustedPortsRead(const QString& text);

private:
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableServer =
        AddSession(QStringLiteral("m_cCommonSNMPTableServer"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSetServer =
        AddSession(QStringLiteral("m_cCommonSNMPSetServer"));
};
