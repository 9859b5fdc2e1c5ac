#include "core/panel/PanelDevice.h"

#include "base/DeviceModels.h"
#include "base/Trace.h"
#include "core/kit/SnmpRequests.h"

namespace kx {

namespace {

// The first binding's value, when the answer carries one: the request went
// through, the agent reported no error, and the binding is not an exception.
bool FirstValue(int rc, const std::unique_ptr<CSnmp>& response, std::string& text)
{
    if (rc != 0 || !response)
        return false;
    int errorStatus = 0;
    int errorIndex = 0;
    if (response->getErrorInfo(errorStatus, errorIndex) != 0 || errorStatus != 0)
        return false;
    int type = 0;
    if (response->getValue(0, type, text) != 0)
        return false;
    return type != SnmpType::Null && type != SnmpType::NoSuchObject &&
           type != SnmpType::NoSuchInstance && type != SnmpType::EndOfMibView;
}

std::string Scalar(const char* oid)
{
    return std::string(oid) + ".0";
}

} // namespace

PanelDevice::PanelDevice(const PanelDeviceConfig& config)
    : m_config(config),
      m_isPoeModel(IsPoeModel(config.deviceName)),
      m_model(config.portCount, config.isAllGiga)
{
}

void PanelDevice::configure(const PanelDeviceConfig& config)
{
    std::lock_guard lock(m_modelMutex);
    m_config = config;
    m_isPoeModel = IsPoeModel(config.deviceName);
    m_model = PanelStatusModel(config.portCount, config.isAllGiga);
}

PanelDevice::~PanelDevice()
{
    stopRequests();
    // The sessions' destructors close them; the window has normally done so already.
}

bool PanelDevice::stopping() const
{
    std::lock_guard lock(m_requestMutex);
    return m_stopping;
}

void PanelDevice::stopRequests()
{
    {
        std::lock_guard lock(m_requestMutex);
        if (m_stopping)
            return;
        m_stopping = true;
    }
    // Closing abandons a request in flight at once; nothing opens these sessions
    // again, as every opener checks the flag set above first.
    m_cCommonSNMP.Close();
    m_cCommonSNMPFan.Close();
    m_cCommonSNMPPoe.Close();
    m_cCommonSNMPDevStat.Close();
    m_walkRunning.store(false);
}

bool PanelDevice::openGet(CCommonSNMP& session, const std::string& oid)
{
    std::lock_guard lock(m_requestMutex);
    if (m_stopping)
        return false;
    if (!session.Open(SnmpPdu::Get))
        return false;
    return session.addValue(oid, SnmpType::Null, nullptr) == 0;
}

bool PanelDevice::probe()
{
    bool answered = false;
    if (openGet(m_cCommonSNMP, Scalar(panel_oid::kProbe))) {
        std::unique_ptr<CSnmp> response;
        answered = m_cCommonSNMP.send(response, kProbeTimeoutMs) == 0 && response;
    }
    m_agentAnswered.store(answered);
    return answered;
}

void PanelDevice::readFan()
{
    Trace("======GetGetFanStatus======");
    if (!openGet(m_cCommonSNMPFan, Scalar(panel_oid::kFanStatus)))
        return;
    std::unique_ptr<CSnmp> response;
    const int rc = m_cCommonSNMPFan.send(response, kFanTimeoutMs);
    std::string text;
    if (FirstValue(rc, response, text))
        m_fanStatus.store(text == "1" ? FanNormal : FanFault);
}

int PanelDevice::readPoeBudget()
{
    Trace("Get10PPOEOrLinkStatus");
    if (m_walkInProgress.load() && m_skipCounter < 3) {
        ++m_skipCounter;
        return -1;
    }
    m_skipCounter = 0;
    m_walkInProgress.store(true);
    if (!openGet(m_cCommonSNMPPoe, Scalar(panel_oid::kPoeBudget)))
        return 0;
    std::unique_ptr<CSnmp> response;
    const int rc = m_cCommonSNMPPoe.send(response, kPoeBudgetTimeoutMs);
    std::string text;
    if (!FirstValue(rc, response, text))
        return 0;
    if (const std::optional<bool> reached = PoeBudgetReached(text)) {
        m_BIsPowMax.store(*reached);
        Trace(*reached ? "pThis->m_BIsPowMax = TRUE" : "pThis->m_BIsPowMax = FALSE");
    }
    return 0;
}

bool PanelDevice::startStatusWalk()
{
    Trace("---------GetDevStatus--------");
    if (m_walkRunning.load())
        return false;
    {
        std::lock_guard lock(m_modelMutex);
        m_model.beginWalk();
    }
    std::lock_guard lock(m_requestMutex);
    if (m_stopping || !m_cCommonSNMPDevStat.Open(SnmpPdu::GetNext))
        return false;
    for (const char* column : {panel_oid::kIfType, panel_oid::kIfSpeed, panel_oid::kIfAdminStatus,
                               panel_oid::kIfOperStatus, panel_oid::kPortValue,
                               panel_oid::kPoePortStatus})
        if (m_cCommonSNMPDevStat.addValue(column, SnmpType::Null, nullptr) != 0)
            return false;
    m_walkRunning.store(true);
    if (m_cCommonSNMPDevStat.getNext(&PanelDevice::snmpTable4wCBFun, this, kWalkFirstStepTimeoutMs) != 0) {
        m_walkRunning.store(false);
        return false;
    }
    return true;
}

void PanelDevice::snmpTable4wCBFun(std::unique_ptr<CSnmp> response, int requestId, void* context,
                                   int status)
{
    Trace("------snmpTable4wCBFun snmpTable4wCBFun-------");
    auto* self = static_cast<PanelDevice*>(context);
    if (!self->m_cCommonSNMPDevStat.TakePending(requestId))
        return;
    if (status == SnmpResult::Ok && response) {
        self->handleRow(*response);
    } else if (status == SnmpResult::EndOfTable) {
        self->finishWalk(PanelStatusSnapshot::Kind::Evaluated);
    } else {
        self->finishWalk(PanelStatusSnapshot::Kind::Failed);
    }
}

StatusRow DecodeStatusRow(const std::vector<std::pair<std::string, std::string>>& bindings)
{
    StatusRow row;
    std::string* fields[] = {nullptr, &row.speed, &row.adminStatus, &row.operStatus, &row.portValue,
                             &row.poeStatus};
    const std::string indexColumn = std::string(panel_oid::kIfType) + ".";
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const auto& [oid, value] = bindings[i];
        if (oid.find(panel_oid::kProxyAnswer) != std::string::npos)
            continue;
        if (i == 0) {
            if (oid.compare(0, indexColumn.size(), indexColumn) == 0)
                row.ifIndex = oid.substr(indexColumn.size());
        } else if (i < 6) {
            *fields[i] = value;
        }
        Trace("=====================================");
        Trace(value);
        Trace("zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz");
    }
    return row;
}

void PanelDevice::handleRow(const CSnmp& response)
{
    std::vector<std::pair<std::string, std::string>> bindings;
    const int count = response.getValuesCount();
    for (int i = 0; i < count; ++i) {
        std::string oid;
        int type = 0;
        std::string value;
        if (response.getOid(i, oid) != 0)
            continue;
        response.getValue(i, type, value);
        bindings.emplace_back(std::move(oid), std::move(value));
    }
    StatusRow row = DecodeStatusRow(bindings);

    PanelStatusModel::RowResult result;
    {
        std::lock_guard lock(m_modelMutex);
        result = m_model.addRow(std::move(row));
    }
    if (result == PanelStatusModel::RowResult::PastFrontPanel) {
        finishWalk(PanelStatusSnapshot::Kind::Evaluated);
        return;
    }
    ++m_rowCount;
    if (stopping()) {
        endWalkWithoutSnapshot();
        return;
    }
    if (m_cCommonSNMPDevStat.getNext(&PanelDevice::snmpTable4wCBFun, this, kWalkStepTimeoutMs) != 0) {
        // The step could not be sent: the walk has ended without an answer.
        if (stopping())
            endWalkWithoutSnapshot();
        else
            finishWalk(PanelStatusSnapshot::Kind::Failed);
    }
}

void PanelDevice::finishWalk(PanelStatusSnapshot::Kind kind)
{
    PanelStatusSnapshot snapshot;
    {
        std::lock_guard lock(m_modelMutex);
        if (kind == PanelStatusSnapshot::Kind::Evaluated)
            m_model.evaluate();
        else
            m_model.resetAfterFailure();
        snapshot = m_model.snapshot(kind);
        snapshot.sequence = ++m_sequence;
    }
    snapshot.powMax = m_BIsPowMax.load();
    snapshot.agentAnswered = m_agentAnswered.load();
    snapshot.fanStatus = m_fanStatus.load();
    // The walk is over before anyone hears of it, so that whoever reacts to the
    // snapshot may start the next one.
    endWalkWithoutSnapshot();
    if (m_sink)
        m_sink(std::move(snapshot));
}

void PanelDevice::endWalkWithoutSnapshot()
{
    m_cCommonSNMPDevStat.SetWalkDone();
    m_walkInProgress.store(false);
    m_walkRunning.store(false);
}

bool PanelDevice::saveConfiguration()
{
    const QString oid = QString::fromStdString(Scalar(panel_oid::kSaveConfiguration));
    return SetValues(m_cCommonSNMPset, {SetBinding::Integer(oid, 1)}, kSaveTimeoutMs).ok();
}

void PanelDevice::closeSessions()
{
    if (m_closed)
        return;
    m_closed = true;
    stopRequests();
    TraceDestroyWindow();
    m_cCommonSNMP.Close();
    TraceSessionClosed("m_cCommonSNMP");
    m_cCommonSNMPset.Close();
    TraceSessionClosed("m_cCommonSNMPset");
    m_cCommonSNMPFan.Close();
    TraceSessionClosed("m_cCommonSNMPFan");
    m_cCommonSNMPPoe.Close();
    TraceSessionClosed("m_cCommonSNMPPoe");
    m_cCommonSNMPDevStat.Close();
    TraceSessionClosed("m_cCommonSNMPDevStat");
    m_cCommonSNMPPoeStat.Close();
    TraceSessionClosed("m_cCommonSNMPPoeStat");
}

int RebootCommand::run()
{
    const QString oid = QString::fromStdString(Scalar(panel_oid::kReboot));
    return SetValues(m_cCommonSNMP, {SetBinding::Integer(oid, 1)}).status;
}

} // namespace kx
