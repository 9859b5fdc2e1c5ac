#include "ui/snmpadmin/CSnmpHostDlg.h"

#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/IpAddressEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace kx::snmpadmin;

CSnmpHostDlg::CSnmpHostDlg(QWidget* parent) : CSnmpAdminDlg(QStringLiteral("SNMP Host Table"), parent)
{
    m_list = new kx::GridListView(QStringLiteral("Host List"), this);
    m_list->setColumns({{QStringLiteral("Host IP Address"), 150},
                        {QStringLiteral("SNMP Version"), 130},
                        {QStringLiteral("Community Name/SNMPv3 User Name "), 250}});

    Table t = BeginTable();
    m_address = t.form.ipAddress(QStringLiteral("Host IP Adress"));
    m_address->setFieldNames(QStringLiteral("Host IP Adress"));
    Place(t, 0, 0);
    m_version = t.form.combo(QStringLiteral("SNMP Version"), HostVersions());
    Place(t, 0, 1);
    m_name = t.form.edit(QStringLiteral("Community String/SNMPv3 User Name"), kx::FieldOptions::Limit(32));
    Place(t, 1, 0);

    m_gated = EndTable(t, m_list, QSize(620, 360), &CSnmpHostDlg::OnApply, &CSnmpHostDlg::OnDelete,
                       &CSnmpHostDlg::Refresh);
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
