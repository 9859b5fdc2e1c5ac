#include "ui/snmpadmin/CSnmpGroupTableDlg.h"

#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace kx::snmpadmin;

CSnmpGroupTableDlg::CSnmpGroupTableDlg(QWidget* parent)
    : CSnmpAdminDlg(QStringLiteral("SNMP Group Table Info"), parent)
{
    m_list = new kx::GridListView(QStringLiteral("Group List"), this);
    m_list->setColumns({{QStringLiteral("Group Name"), 100},
                        {QStringLiteral("Read View"), 100},
                        {QStringLiteral("Write View"), 100},
                        {QStringLiteral("Notify View"), 100},
                        {QStringLiteral("Security Model"), 100},
                        {QStringLiteral("Security Level"), 100}});

    Table t = BeginTable();
    m_name = t.form.edit(QStringLiteral("Group Name"), kx::FieldOptions::Limit(32));
    Place(t, 0, 0);
    m_readView = t.form.edit(QStringLiteral("Read View Name"), kx::FieldOptions::Limit(32));
    Place(t, 1, 0);
    m_writeView = t.form.edit(QStringLiteral("Write View Name"), kx::FieldOptions::Limit(32));
    Place(t, 2, 0);
    m_notifyView = t.form.edit(QStringLiteral("Notify View Name"), kx::FieldOptions::Limit(32));
    Place(t, 3, 0);
    m_securityModel = t.form.combo(QStringLiteral("Security Model"), SecurityModels());
    Place(t, 0, 1);
    m_securityLevel = t.form.combo(QStringLiteral("Security Level"), SecurityLevels());
    Place(t, 1, 1);

    m_gated = EndTable(t, m_list, QSize(640, 420), &CSnmpGroupTableDlg::OnApply, &CSnmpGroupTableDlg::OnDelete,
                       &CSnmpGroupTableDlg::Refresh);
    connect(m_securityModel, &QComboBox::activated, this, &CSnmpGroupTableDlg::OnModelChanged);
    ResetFields();
    Refresh();
}

void CSnmpGroupTableDlg::ResetFields()
{
    for (QLineEdit* edit : {m_name, m_readView, m_writeView, m_notifyView})
        edit->clear();
    m_securityModel->setCurrentIndex(0);
    m_securityLevel->setCurrentIndex(0);
    m_securityLevel->setEnabled(false);
}

void CSnmpGroupTableDlg::Refresh()
{
    m_rows.clear();
    m_list->clearRows();
    read(m_model->WalkGroups([this](const GroupRow& row) {
             if (!IsActive(row))
                 return;
             m_rows.push_back(row);
             m_list->addRow({row.name, row.readView, row.writeView, row.notifyView, row.model, row.level});
         }),
         m_gated);
}

void CSnmpGroupTableDlg::OnModelChanged()
{
    const bool v3 = m_securityModel->currentText() == QLatin1String("v3");
    // The level travels in the row's index: a v1 or v2c group is
    // NoAuthNoPriv, whatever the disabled list showed when v3 was left.
    if (!v3)
        m_securityLevel->setCurrentIndex(0);
    m_securityLevel->setEnabled(v3);
}

void CSnmpGroupTableDlg::OnApply()
{
    GroupEntry in;
    in.name = m_name->text();
    in.readView = m_readView->text();
    in.writeView = m_writeView->text();
    in.notifyView = m_notifyView->text();
    in.model = m_securityModel->currentText();
    in.level = m_securityLevel->currentText();
    const Checked<GroupEntry> checked = CheckGroup(in, m_rows);
    if (refuse(checked.refusal))
        return;
    change([group = checked.entry](CSnmpAdminModel& model) { model.CreateGroup(group); },
           [this] {
               ResetFields();
               refreshAfter(50, [this] { Refresh(); });
           });
}

void CSnmpGroupTableDlg::OnDelete()
{
    const int row = m_list->selectedRow();
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        refuse(UserOrGroupDeleteRefusal());
        return;
    }
    const GroupRow& g = m_rows[row];
    const QString oid = Column(kGroupEntry, kGroupStatus) + CSnmpAdminModel::GroupIndex(g.name, g.model, g.level);
    change([oid](CSnmpAdminModel& model) { model.SetRowStatus(oid, kDestroy); }, [this] { Refresh(); });
}
