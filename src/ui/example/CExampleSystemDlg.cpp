#include "ui/example/CExampleSystemDlg.h"

#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QLineEdit>
#include <QPushButton>

using kx::example::ExampleSystemLogic;

CExampleSystemDlg::CExampleSystemDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("System Identity (Example)"), parent)
{
    kx::Form form = kx::Form::Stacked(this);
    form.reserve({QStringLiteral("&Refresh"), QStringLiteral("&Apply"), QStringLiteral("&Close")});
    m_name = form.edit(QStringLiteral("System &Name:"), kx::FieldOptions::Limit(127));
    kx::Bind(m_identity.name, m_name);
    kx::Bind(m_identity.contact, form.edit(QStringLiteral("System &Contact:"), kx::FieldOptions::Limit(127)));
    kx::Bind(m_identity.location, form.edit(QStringLiteral("System &Location:"), kx::FieldOptions::Limit(127)));
    m_list = new kx::GridListView(QStringLiteral("Interfaces"), this);
    m_list->setColumns({{QStringLiteral("Index"), 60}, {QStringLiteral("Description"), 160},
                        {QStringLiteral("State"), 80}});
    form.add(m_list);
    m_refresh = form.action(QStringLiteral("&Refresh"), [this] { Refresh(); });
    m_apply = form.action(QStringLiteral("&Apply"), [this] { OnApply(); });
    form.buttonRow({m_refresh, m_apply, form.action(QStringLiteral("&Close"), [this] { reject(); })});
    resize(380, 380);
    Refresh();
}

void CExampleSystemDlg::Refresh()
{
    m_list->clearRows();
    kx::ReadPlan plan;
    // A failed get keeps what the fields show; the next refresh shows the device.
    plan.get(m_cCommonSNMP, m_identity.values.oids(),
             [this](const kx::GetResult& answer) { m_identity.values.fold(answer); })
        .walk(m_cCommonSNMPTable, ExampleSystemLogic::InterfaceColumns())
        .rows([this](const kx::WalkRow& row) { m_list->addRow(ExampleSystemLogic::InterfaceRow(row)); });
    read(plan, {m_refresh, m_apply});
}

void CExampleSystemDlg::OnApply()
{
    if (refuse(ExampleSystemLogic::Check(m_name->text()), m_name))
        return;
    std::vector<kx::SetBinding> changes = m_identity.values.changes();
    if (changes.empty())
        return;
    write(m_cCommonSNMPSet, std::move(changes), [this](const kx::SetResult& result) {
        if (result.answered())
            Refresh();
    });
}
