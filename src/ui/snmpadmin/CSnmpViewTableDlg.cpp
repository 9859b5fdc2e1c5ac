#include "ui/snmpadmin/CSnmpViewTableDlg.h"

#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::snmpadmin;

CSnmpViewTableDlg::CSnmpViewTableDlg(QWidget* parent)
    : CSnmpAdminDlg(QStringLiteral("SNMP View Table Configuration"), parent)
{
    m_list = new kx::GridListView(QStringLiteral("View List"), this);
    m_list->setColumns({{QStringLiteral("View Name"), 100},
                        {QStringLiteral("Subtree OID"), 100},
                        {QStringLiteral("OID Mask"), 100},
                        {QStringLiteral("View Type"), 100}});

    kx::Form form(this);
    QPushButton* apply = form.button(QStringLiteral("&Apply"));
    QPushButton* remove = form.button(QStringLiteral("&Delete"));
    QPushButton* refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* grid = new QGridLayout;
    m_name = form.edit(QStringLiteral("View Name"), kx::FieldOptions::Limit(32));
    Place(grid, form, 0, 0);
    m_subtree = form.edit(QStringLiteral("Subtree OID"), kx::FieldOptions::Limit(32));
    Place(grid, form, 0, 1);
    m_mask = form.edit(QStringLiteral("OID Mask"));
    Place(grid, form, 1, 0);
    m_type = form.combo(QStringLiteral("View Type"), ViewTypes());
    Place(grid, form, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(grid);
    layout->addLayout(kx::Form::ButtonRow({close}, {apply, remove, refresh}));
    resize(460, 380);

    connect(apply, &QPushButton::clicked, this, &CSnmpViewTableDlg::OnApply);
    connect(remove, &QPushButton::clicked, this, &CSnmpViewTableDlg::OnDelete);
    connect(refresh, &QPushButton::clicked, this, &CSnmpViewTableDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_gated = {apply, remove, refresh};
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
