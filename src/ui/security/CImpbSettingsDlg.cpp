#include "ui/security/CImpbSettingsDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/PortRangePair.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::security;

CImpbSettingsDlg::CImpbSettingsDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Smart Binding Settings"), parent),
      m_model(new CImpbModel(DevicePortCount(), this)), m_portCount(DevicePortCount())
{
    adoptSessions(m_model->Sessions());
    m_model->SetOwner(this);

    auto* grid = new QGridLayout;
    kx::Form form(this);
    form.reserve({QStringLiteral("&Apply"), QStringLiteral("&Refresh"), QStringLiteral("&Close")});
    m_from = form.combo(QStringLiteral("From Port"));
    grid->addWidget(form.lastLabel(), 0, 0);
    grid->addWidget(m_from, 1, 0);
    m_to = form.combo(QStringLiteral("To Port"));
    grid->addWidget(form.lastLabel(), 0, 1);
    grid->addWidget(m_to, 1, 1);
    m_admin = form.combo(QStringLiteral("Admin State"), kImpbStates);
    grid->addWidget(form.lastLabel(), 0, 2);
    grid->addWidget(m_admin, 1, 2);
    m_mode = form.combo(QStringLiteral("Mode"), kImpbModes);
    grid->addWidget(form.lastLabel(), 0, 3);
    grid->addWidget(m_mode, 1, 3);
    m_dhcp = form.combo(QStringLiteral("DHCP Snooping"), kImpbStates);
    grid->addWidget(form.lastLabel(), 0, 4);
    grid->addWidget(m_dhcp, 1, 4);
    m_range = new kx::PortRangePair(
        m_from, m_to, QStringLiteral("'To Port' can not be smaller than 'From Port'"), this);
    m_range->fillPorts(m_portCount);

    m_list = new kx::GridListView(QStringLiteral("Smart Binding Port Settings"), this);
    m_list->setColumns({{QStringLiteral("Port"), 80},
                        {QStringLiteral("Admin State"), 120},
                        {QStringLiteral("Also inspect IP packets"), 180},
                        {QStringLiteral("DHCP Snooping"), 120}});

    m_apply = form.button(QStringLiteral("&Apply"));
    m_refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));
    grid->addWidget(m_apply, 1, 5);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_list);
    layout->addLayout(kx::Form::ButtonRow({m_refresh, close}));
    resize(580, 420);

    connect(m_apply, &QPushButton::clicked, this, &CImpbSettingsDlg::OnApply);
    connect(m_refresh, &QPushButton::clicked, this, &CImpbSettingsDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_model, &CFeatureModel::rowArrived, this,
            [this](const QStringList& row) { m_list->addRow(ImpbSettingsLine(row)); });
    Refresh();
}

void CImpbSettingsDlg::Refresh()
{
    m_list->clearRows();
    // Apply judges the range against the aggregated links and the white list:
    // it waits for both.
    kx::ReadPlan plan;
    plan.add(m_model->LoadAggregationGroups());
    plan.add(m_model->WalkSettings());
    plan.then(m_model->CountWhiteList());
    read(plan, {m_apply, m_refresh});
}

void CImpbSettingsDlg::OnApply()
{
    const int from = m_range->fromPort();
    const int to = m_range->toPort();
    const ImpbPortSettings settings =
        ImpbSettingsFrom(m_admin->currentText(), m_mode->currentText(), m_dhcp->currentText());
    const ImpbApplyCheck check = ImpbCheckApply(from, to, m_portCount, settings, m_model->Groups(),
                                                m_model->WhiteListCount());
    if (refuse(check.refusal)) {
        if (check.adminBackToDisabled)
            m_admin->setCurrentIndex(kImpbStates.indexOf(QStringLiteral("Disabled")));
        return;
    }
    writeSequence<CImpbModel::Sent>(
        m_model->Send(ImpbSettingsRequests(from, to, settings)),
        [this](const CImpbModel::Sent&) { refreshAfter(50, [this] { Refresh(); }); });
}
