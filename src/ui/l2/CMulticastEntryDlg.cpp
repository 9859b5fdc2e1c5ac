#include "ui/l2/CMulticastEntryDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QPushButton>
#include <QVBoxLayout>

CMulticastEntryDlg::CMulticastEntryDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Multicast Entry Table"), parent),
      m_igmp(new CIgmpSnoopingModel(DevicePortCount(), this))
{
    adoptSessions(m_igmp->Sessions());
    m_igmp->SetOwner(this);

    m_list = new kx::GridListView(QStringLiteral("Multicast Entries"), this);
    m_list->setColumns({{QStringLiteral("Group ID"), 70},
                        {QStringLiteral("VLAN ID"), 70},
                        {QStringLiteral("Group Address"), 120},
                        {QStringLiteral("MAC Address"), 140},
                        {QStringLiteral("Member Ports"), 160}});
    kx::Form form(this);
    m_refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(kx::Form::ButtonRow({m_refresh, close}));
    resize(600, 360);

    connect(m_igmp, &CFeatureModel::rowArrived, this, [this](const QStringList& texts) {
        m_list->addRow(QStringList{QString::number(m_list->rowCount() + 1)} + texts);
    });
    connect(m_refresh, &QPushButton::clicked, this, &CMulticastEntryDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    Refresh();
}

void CMulticastEntryDlg::Refresh()
{
    m_list->clearRows();
    read(m_igmp->WalkEntries(), {m_refresh});
}
