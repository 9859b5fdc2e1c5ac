#include "ui/snmpadmin/CSnmpCommunityDlg.h"

#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace kx::snmpadmin;

CSnmpCommunityDlg::CSnmpCommunityDlg(QWidget* parent)
    : CSnmpAdminDlg(QStringLiteral("SNMP Community Table Configuration"), parent)
{
    m_list = new kx::GridListView(QStringLiteral("Community List"), this);
    m_list->setColumns({{QStringLiteral("Community Name"), 250}, {QStringLiteral("User Name"), 248}});

    Table t = BeginTable();
    m_name = t.form.edit(QStringLiteral("Community Name "), kx::FieldOptions::Limit(32));
    Place(t, 0, 0);
    m_user = t.form.combo(QStringLiteral("User Name (View Policy)"));
    Place(t, 0, 1);

    m_gated = EndTable(t, m_list, QSize(560, 360), &CSnmpCommunityDlg::OnApply, &CSnmpCommunityDlg::OnDelete,
                       &CSnmpCommunityDlg::Refresh);
    Refresh();
}

void CSnmpCommunityDlg::Refresh()
{
    m_rows.clear();
    m_list->clearRows();
    m_users.clear();
    m_user->clear();
    // The users are walked once the communities are: a dialog closed before
    // then starts no second walk.
    kx::ReadPlan plan = m_model->WalkCommunities([this](const CommunityRow& row) {
        if (!IsActive(row))
            return;
        m_rows.push_back(row);
        m_list->addRow({row.name, row.user});
    });
    plan.then(m_model->WalkUsers([this](const UserRow& row) { AddViewPolicyUser(row, m_users); }));
    read(plan, m_gated, [this] {
        m_user->addItems(m_users);
        m_user->setCurrentIndex(m_users.isEmpty() ? -1 : 0);
    });
}

void CSnmpCommunityDlg::OnApply()
{
    const Checked<QString> checked = CheckCommunity(m_name->text(), m_rows);
    if (refuse(checked.refusal))
        return;
    change([name = checked.entry, user = m_user->currentText()](CSnmpAdminModel& model) {
        model.CreateCommunity(name, user);
    },
           [this] {
               m_user->setCurrentIndex(m_user->count() ? 0 : -1);
               m_name->clear();
               Refresh();
           });
}

void CSnmpCommunityDlg::OnDelete()
{
    const int row = m_list->selectedRow();
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        refuse(UserOrGroupDeleteRefusal());
        return;
    }
    const QString oid = Column(kCommunityEntry, kCommunityStatus) + CSnmpAdminModel::NameIndex(m_rows[row].name);
    change([oid](CSnmpAdminModel& model) { model.SetRowStatus(oid, kDestroy); }, [this] { Refresh(); });
}
