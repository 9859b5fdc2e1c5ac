#include "ui/security/CArpSpoofingAddDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/kit/IpAddressEdit.h"
#include "ui/kit/PortCheckGrid.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

using namespace kx::security;

namespace {

constexpr int kPortsPerRow = 8;
constexpr int kGridTop = 104;
constexpr int kRowStep = 24;

int PortRows(int portCount)
{
    return std::max(1, (std::max(portCount, 0) + kPortsPerRow - 1) / kPortsPerRow);
}

} // namespace

QSize CArpSpoofingAddDlg::WindowSize(int portCount)
{
    return {480, 250 + (PortRows(portCount) - 1) * kRowStep};
}

CArpSpoofingAddDlg::CArpSpoofingAddDlg(const ArpRows& rows, QWidget* parent)
    : CArpSpoofingAddDlg(rows, false, parent)
{}

CArpSpoofingAddDlg::CArpSpoofingAddDlg(const ArpRows& rows, bool readRows, QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Add ARP Spoofing Prevention Entry"), parent),
      m_model(DevicePortCount(), GetDeviceInfo().DeviceName, rows)
{
    const int portCount = m_model.portCount();
    const QSize size = WindowSize(portCount);
    setFixedSize(size);

    kx::Form form(this);
    form.reserve({QStringLiteral("&Apply"), QStringLiteral("Cancel")});
    m_ip = form.ipAddress(QStringLiteral("&IP Address:"));
    form.at({20, 22, 110, 20}, {135, 18, 170, 24});
    m_mac = form.edit(QStringLiteral("&MAC Address:"), kx::FieldOptions::Limit(17));
    form.at({20, 54, 110, 20}, {135, 52, 170, 22});
    m_mac->setPlaceholderText(QStringLiteral("00-00-00-00-00-01"));

    auto* portsTitle = new QLabel(QStringLiteral("Ports:"), this);
    portsTitle->setGeometry(20, kGridTop - 22, 110, 18);
    kx::PortGridGeometry grid;
    grid.columns = kPortsPerRow;
    m_ports = new kx::PortCheckGrid(portCount, grid, this, 6001);
    m_ports->setGeometry(20, kGridTop, size.width() - 30, PortRows(portCount) * kRowStep);
    m_allPorts = form.check(QStringLiteral("All &Ports"));
    form.at({20, kGridTop + PortRows(portCount) * kRowStep + 6, 120, 22});

    m_apply = form.button(QStringLiteral("&Apply"));
    QPushButton* cancel = form.button(QStringLiteral("Cancel"));
    m_apply->setGeometry(size.width() - 200, size.height() - 40, 80, 26);
    cancel->setGeometry(size.width() - 105, size.height() - 40, 80, 26);

    connect(m_allPorts, &QCheckBox::clicked, m_ports, &kx::PortCheckGrid::setAllChecked);
    connect(m_apply, &QPushButton::clicked, this, &CArpSpoofingAddDlg::OnApply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // The aggregated-link rule of Apply needs the groups: Apply waits for them.
    auto trunks = [this](const kx::WalkResult& result) {
        m_model.setTrunks(kx::TrunkMembership::FromRows(result.rows, m_model.portCount()));
    };
    kx::ReadPlan plan;
    if (readRows) {
        // Opened without the list: the rows it would hand over come first.
        plan.walk(m_cCommonSNMPTable, ArpColumns(), [this](const kx::WalkResult& result) {
            ArpRows walked;
            for (const kx::WalkRow& row : result.rows)
                walked.push_back(ArpRowFrom(row, m_model.portCount()));
            m_model = ArpAddModel(m_model.portCount(), GetDeviceInfo().DeviceName, walked);
        });
        plan.walk(m_cCommonSNMPTable, {kx::kLaPortChannelMemberList}, trunks).afterPrevious();
    } else {
        plan.walk(m_cCommonSNMPTable, {kx::kLaPortChannelMemberList}, trunks);
    }
    read(plan, {m_apply});
}

CArpSpoofingAddDlg* CArpSpoofingAddDlg::ForDevice(QWidget* parent)
{
    return new CArpSpoofingAddDlg({}, true, parent);
}

void CArpSpoofingAddDlg::OnApply()
{
    const ArpEntry entry{m_ip->text(), m_mac->text(), m_ports->flags()};
    const ArpCheck check = m_model.check(m_ip->filledFieldCount(), entry);
    if (!check.passed()) {
        QWidget* field = check.field == ArpField::Ip    ? static_cast<QWidget*>(m_ip->fieldEdit(0))
                         : check.field == ArpField::Mac ? static_cast<QWidget*>(m_mac)
                                                        : nullptr;
        refuse(check.refusal, field);
        return;
    }
    if (!prompter().question(ArpAddModel::Question()))
        return;
    writeSequence<ArpWriteOutcome>(
        [model = m_model, check, entry, session = m_cCommonSNMPSet] {
            return model.write(check, entry, SessionRequests(*session));
        },
        [this, entry](const ArpWriteOutcome& outcome) {
            m_model.remember(entry, outcome);
            m_mac->selectAll();
            m_mac->clear();
        });
}
