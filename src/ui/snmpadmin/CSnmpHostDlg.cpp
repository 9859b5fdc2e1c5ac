#include "ui/snmpadmin/CSnmpHostDlg.h"

#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/IpAddressEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::snmpadmin;

CSnmpHostDlg::CSnmpHostDlg(QWidget* parent) : CSnmpAdminDlg(QStringLiteral("SNMP Host Table"), parent)
{
    m_list = new kx::GridListView(QStringLiteral("Host List"), this);
    m_list->setColumns({{QStringLiteral("Host IP Address"), 150},
                        {QStringLiteral("SNMP Version"), 130},
                        {QStringLiteral("Community Name/SNMPv3 User Name "), 250}});

    kx::Form form(this);
    QPushButton* apply = form.button(QStringLiteral("&Apply"));
    QPushButton* remove = form.button(QStringLiteral("&Delete"));
    QPushButton* refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* grid = new QGridLayout;
    m_address = form.ipAddress(QStringLiteral("Host IP Adress"));
    m_address->setFieldNames(QStringLiteral("Host IP Adress"));
    Place(grid, form, 0, 0);
    m_version = form.combo(QStringLiteral("SNMP Version"), HostVersions());
    Place(grid, form, 0, 1);
    m_name = form.edit(QStringLiteral("Community String/SNMPv3 User Name"), kx::FieldOptions::Limit(32));
    Place(grid, form, 1, 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(grid);
    layout->addLayout(kx::Form::ButtonRow({close}, {apply, remove, refresh}));
    resize(620, 360);

    connect(apply, &QPushButton::clicked, this, &CSnmpHostDlg::OnApply);
    connect(remove, &QPushButton::clicked, this, &CSnmpHostDlg::OnDelete);
    connect(refresh, &QPushButton::clicked, this, &CSnmpHostDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_gated = {apply, remove, refresh};
    Refresh();
}

void CSnmpHostDlg::Refresh()
{
    m_rows.clear();
    m_list->clearRows();
    read(m_model->WalkHosts([this](const HostRow& row) {
             if (!IsActive(row))
                 return;
             m_rows.push_back(row);
             m_list->addRow({row.address, row.version, row.name});
         }),
         m_gated);
}

void CSnmpHostDlg::OnApply()
{
    const Checked<HostEntry> checked = CheckHost(
        {m_address->filledFieldCount(), m_address->text(), m_version->currentIndex(), m_name->text()}, m_rows);
    if (refuse(checked.refusal, checked.field == Field::HostAddress ? m_address->fieldEdit(0) : nullptr))
        return;
    change([host = checked.entry](CSnmpAdminModel& model) { model.CreateHost(host); },
           [this] {
               m_address->clear();
               m_version->setCurrentIndex(0);
               m_name->clear();
               Refresh();
           });
}

void CSnmpHostDlg::OnDelete()
{
    const int row = m_list->selectedRow();
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        refuse(ViewDeleteRefusal());
        return;
    }
    const QString oid = Column(kHostEntry, kHostStatus) + QLatin1Char('.') + m_rows[row].address;
    change([oid](CSnmpAdminModel& model) { model.SetRowStatus(oid, kDestroy); }, [this] { Refresh(); });
}
