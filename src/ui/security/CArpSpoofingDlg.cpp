#include "ui/security/CArpSpoofingDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/security/CArpSpoofingAddDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::security;

CArpSpoofingDlg::CArpSpoofingDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("ARP Spoofing Prevention Setting"), parent),
      m_portCount(DevicePortCount())
{
    m_list = new kx::GridListView(QStringLiteral("ARP Spoofing Prevention List"), this);
    m_list->setColumns({{QStringLiteral("Index"), 50},
                        {QStringLiteral("Router/Gateway IP Address"), 190},
                        {QStringLiteral("Router/Gateway MAC Address"), 195},
                        {QStringLiteral("Ports"), 150}});

    kx::Form form(this);
    m_add = form.button(QStringLiteral("&Add"));
    m_delete = form.button(QStringLiteral("&Delete"));
    m_refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));
    m_total = new QLabel(QStringLiteral("0"), this);
    m_total->setObjectName(QStringLiteral("Total"));

    auto* counts = new QHBoxLayout;
    counts->addWidget(new QLabel(QStringLiteral("Total Entries:"), this));
    counts->addWidget(m_total);
    counts->addStretch();
    counts->addWidget(new QLabel(QStringLiteral("( Note:64 Entries Maximum ) "), this));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(counts);
    layout->addLayout(kx::Form::ButtonRow({close}, {m_add, m_delete, m_refresh}));
    resize(620, 380);

    connect(m_add, &QPushButton::clicked, this, &CArpSpoofingDlg::OnAdd);
    connect(m_delete, &QPushButton::clicked, this, &CArpSpoofingDlg::OnDelete);
    connect(m_refresh, &QPushButton::clicked, this, &CArpSpoofingDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    Refresh();
}

void CArpSpoofingDlg::Refresh()
{
    m_rows.clear();
    m_list->clearRows();
    m_total->setText(QStringLiteral("0"));
    kx::ReadPlan plan;
    plan.walk(m_cCommonSNMPTable, ArpColumns()).rows([this](const kx::WalkRow& walked) {
        const ArpRow row = ArpRowFrom(walked, m_portCount);
        m_rows.push_back(row);
        // Rows that are not active are kept for the add dialog's checks only.
        if (row.active())
            m_list->addRow(ArpListLine(row, m_list->rowCount() + 1));
    });
    read(plan, {m_add, m_delete, m_refresh},
         [this] { m_total->setText(QString::number(m_list->rowCount())); });
}

void CArpSpoofingDlg::OnAdd()
{
    if (refuse(ArpAddRefusal(m_list->rowCount())))
        return;
    {
        CArpSpoofingAddDlg dialog(m_rows, this);
        dialog.exec();
    }
    Refresh();
}

void CArpSpoofingDlg::OnDelete()
{
    const int row = m_list->selectedRow();
    if (refuse(ArpDeleteRefusal(row >= 0)))
        return;
    write(m_cCommonSNMPSet, {ArpDestroyBinding(m_list->cellText(row, 1))},
          [this](const kx::SetResult& result) {
              if (result.answered())
                  refreshAfter(50, [this] { Refresh(); });
          });
}
