#include "ui/snmpadmin/CSnmpViewTableDlg.h"

#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace kx::snmpadmin;

CSnmpViewTableDlg::CSnmpViewTableDlg(QWidget* parent)
    : CSnmpAdminDlg(QStringLiteral("SNMP View Table Configuration"), parent)
{
    m_list = new kx::GridListView(QStringLiteral("View List"), this);
    m_list->setColumns({{QStringLiteral("View Name"), 100},
                        {QStringLiteral("Subtree OID"), 100},
                        {QStringLiteral("OID Mask"), 100},
                        {QStringLiteral("View Type"), 100}});

    Table t = BeginTable();
    m_name = t.form.edit(QStringLiteral("View Name"), kx::FieldOptions::Limit(32));
    Place(t, 0, 0);
    m_subtree = t.form.edit(QStringLiteral("Subtree OID"), kx::FieldOptions::Limit(32));
    Place(t, 0, 1);
    m_mask = t.form.edit(QStringLiteral("OID Mask"));
    Place(t, 1, 0);
    m_type = t.form.combo(QStringLiteral("View Type"), ViewTypes());
    Place(t, 1, 1);

    m_gated = EndTable(t, m_list, QSize(460, 380), &CSnmpViewTableDlg::OnApply, &CSnmpViewTableDlg::OnDelete,
                       &CSnmpViewTableDlg::Refresh);
    Refresh();
}

void CSnmpViewTableDlg::ResetFields()
{
    for (QLineEdit* edit : {m_name, m_subtree, m_mask})
        edit->clear();
    m_type->setCurrentIndex(0);
}

void CSnmpViewTableDlg::Refresh()
{
    m_rows.clear();
    m_list->clearRows();
    read(m_model->WalkViews([this](const ViewRow& row) {
             if (!IsActive(row))
                 return;
             m_rows.push_back(row);
             m_list->addRow({row.name, row.subtree, row.mask, row.type});
         }),
         m_gated);
}

void CSnmpViewTableDlg::OnApply()
{
    const Checked<ViewEntry> checked =
        CheckView({m_name->text(), m_subtree->text(), m_mask->text(), m_type->currentText()}, m_rows);
    if (refuse(checked.refusal))
        return;
    change([view = checked.entry](CSnmpAdminModel& model) { model.CreateView(view); },
           [this] {
               ResetFields();
               Refresh();
           });
}

void CSnmpViewTableDlg::OnDelete()
{
    const int row = m_list->selectedRow();
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        refuse(ViewDeleteRefusal());
        return;
    }
    const QString oid = Column(kViewEntry, kViewStatus) +
                        CSnmpAdminModel::ViewIndex(m_rows[row].name, m_rows[row].subtree);
    change([oid](CSnmpAdminModel& model) { model.SetRowStatus(oid, kDestroy); }, [this] { Refresh(); });
}
