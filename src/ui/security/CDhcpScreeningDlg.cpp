#include "ui/security/CDhcpScreeningDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/IpAddressEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::security;

CDhcpScreeningDlg::CDhcpScreeningDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("DHCP Server Screening Settings  "), parent),
      m_model(new CDhcpScreeningModel(DevicePortCount(), this)), m_portCount(DevicePortCount())
{
    adoptSessions(m_model->Sessions());
    m_model->SetOwner(this);

    m_list = new kx::GridListView(QStringLiteral("Trusted DHCP Servers"), this);
    m_list->setColumns({{QStringLiteral("Index"), 150}, {QStringLiteral("IP Address"), 450}});

    kx::Form form(this);
    form.reserve({QStringLiteral("&Add"), QStringLiteral("&Delete"), QStringLiteral("&Refresh"),
                  QStringLiteral("&Close")});
    m_ip = form.ipAddress(QStringLiteral("&Server IP Address:"));
    QLabel* ipLabel = form.lastLabel();
    m_ip->setFixedWidth(170);
    m_add = form.button(QStringLiteral("&Add"));
    m_delete = form.button(QStringLiteral("&Delete"));
    m_refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* group = new QGroupBox(QStringLiteral("DHCP Server Trusted Port Settings"), this);
    kx::Form portForm(group);
    portForm.mnemonics() = form.mnemonics();
    m_ports = portForm.edit(QStringLiteral("Ex:(1,2,4-6) "));
    QLabel* portsLabel = portForm.lastLabel();
    // The list's Add has the window's "A": this one is reached through its edit.
    m_addPorts = portForm.button(QStringLiteral("Add"), QStringLiteral("Add Trusted Ports"));
    auto* groupRow = new QHBoxLayout(group);
    groupRow->addWidget(portsLabel);
    groupRow->addWidget(m_ports, 1);
    groupRow->addWidget(m_addPorts);

    auto* serverRow = new QHBoxLayout;
    serverRow->addWidget(ipLabel);
    serverRow->addWidget(m_ip);
    serverRow->addWidget(m_add);
    serverRow->addWidget(m_delete);
    serverRow->addStretch();
    auto* noteRow = new QHBoxLayout;
    noteRow->addStretch();
    noteRow->addWidget(new QLabel(QStringLiteral("Note:Maximum 5 entries"), this));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(noteRow);
    layout->addLayout(serverRow);
    layout->addWidget(group);
    layout->addLayout(kx::Form::ButtonRow({m_refresh, close}));
    resize(640, 400);

    connect(m_model, &CFeatureModel::rowArrived, this, &CDhcpScreeningDlg::OnServerRow);
    connect(m_model, &CDhcpScreeningModel::trustedPortsRead, this, [this](const QString& text) {
        m_ports->setText(text);
        m_lastShownPorts = text;
    });
    connect(m_add, &QPushButton::clicked, this, &CDhcpScreeningDlg::OnAddServer);
    connect(m_delete, &QPushButton::clicked, this, &CDhcpScreeningDlg::OnDeleteServer);
    connect(m_refresh, &QPushButton::clicked, this, &CDhcpScreeningDlg::Refresh);
    connect(m_addPorts, &QPushButton::clicked, this, &CDhcpScreeningDlg::OnTrustedPorts);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    Refresh();
}

void CDhcpScreeningDlg::Refresh()
{
    m_list->clearRows();
    m_walked.clear();
    kx::ReadPlan plan;
    plan.add(m_model->ReadTrustedPorts());
    plan.add(m_model->WalkServers());
    plan.add(m_model->LoadAggregationGroups());
    // The trusted-port Add judges the aggregated links: it waits for them too.
    read(plan, {m_add, m_delete, m_refresh, m_addPorts});
}

void CDhcpScreeningDlg::OnServerRow(const QStringList& row)
{
    const DhcpServerRow server{row.value(0), row.value(1), row.value(2)};
    m_walked.push_back(server);
    if (server.active())
        m_list->addRow({server.index, server.address});
}

void CDhcpScreeningDlg::OnAddServer()
{
    QStringList listed;
    for (int r = 0; r < m_list->rowCount(); ++r)
        listed << m_list->cellText(r, 1);
    const QString ip = m_ip->text();
    const DhcpServerAdd add = DhcpCheckServerAdd(m_ip->filledFieldCount(), ip, listed, m_walked);
    if (refuse(add.refusal, add.focusAddress ? m_ip->fieldEdit(0) : nullptr))
        return;
    writeSequence<kx::SetResult>(m_model->AddServer(add.number, ip),
                                 [this](const kx::SetResult& result) {
                                     if (result.answered())
                                         Refresh();
                                 });
}

void CDhcpScreeningDlg::OnDeleteServer()
{
    const int row = m_list->selectedRow();
    if (refuse(DhcpDeleteRefusal(row >= 0)))
        return;
    writeSequence<kx::SetResult>(m_model->DeleteServer(m_list->cellText(row, 0)),
                                 [this](const kx::SetResult& result) {
                                     if (result.answered())
                                         Refresh();
                                 });
}

void CDhcpScreeningDlg::OnTrustedPorts()
{
    const DhcpTrustedPorts decision = DhcpCheckTrustedPorts(
        m_ports->text(), m_lastShownPorts, m_portCount,
        [this](const kx::PortFlags& trusted) { return m_model->MembersAgree(trusted) != 0; });
    if (decision.kind == DhcpTrustedPorts::Unchanged)
        return;
    if (refuse(decision.refusal, m_ports))
        return;
    writeSequence<kx::SetResult>(m_model->WriteTrustedPorts(decision.trusted),
                                 [this](const kx::SetResult& result) {
                                     if (result.answered())
                                         Refresh();
                                 });
}
