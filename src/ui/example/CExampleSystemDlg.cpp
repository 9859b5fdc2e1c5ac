#include "ui/example/CExampleSystemDlg.h"

#include "ui/kit/Accessibility.h"
#include "ui/kit/EditHelpers.h"
#include "ui/kit/GridListView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using kx::example::ExampleSystemLogic;

CExampleSystemDlg::CExampleSystemDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("System Identity (Example)"), parent)
{
    kx::MnemonicSet mnemonics;
    auto* form = new QGridLayout;
    auto addEdit = [&](int row, const QString& label) {
        auto* edit = new QLineEdit(this);
        kx::CutTypedText(edit, 127);
        form->addWidget(kx::MakeBuddyLabel(label, edit, this, &mnemonics), row, 0);
        form->addWidget(edit, row, 1);
        return edit;
    };
    m_name = addEdit(0, QStringLiteral("System &Name:"));
    m_contact = addEdit(1, QStringLiteral("System &Contact:"));
    m_location = addEdit(2, QStringLiteral("System &Location:"));

    m_list = new kx::GridListView(QStringLiteral("Interfaces"), this);
    m_list->setColumns({{QStringLiteral("Index"), 60}, {QStringLiteral("Description"), 160},
                        {QStringLiteral("State"), 80}});

    m_refresh = new QPushButton(QStringLiteral("&Refresh"), this);
    m_apply = new QPushButton(QStringLiteral("&Apply"), this);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    for (QPushButton* b : {m_refresh, m_apply, close})
        kx::NameControl(b, b->text());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_refresh);
    buttons->addWidget(m_apply);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(m_refresh, &QPushButton::clicked, this, &CExampleSystemDlg::Refresh);
    connect(m_apply, &QPushButton::clicked, this, &CExampleSystemDlg::OnApply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_interfaces, &kx::TableWalker::rowArrived, this, &CExampleSystemDlg::OnInterfaceRow);

    resize(380, 380);

    // The first read is the dialog's load: Apply waits for it.
    firstRead()->track(&m_interfaces);
    gateOnLoads(firstRead(), {m_apply});
    Refresh();
}

void CExampleSystemDlg::Refresh()
{
    // A failed read keeps what the dialog shows; the next refresh shows the device.
    const kx::GetResult answer = kx::GetValues(m_cCommonSNMP, ExampleSystemLogic::IdentityOids());
    if (ExampleSystemLogic::ReadIdentity(answer, m_lastRead)) {
        m_name->setText(m_lastRead.name);
        m_contact->setText(m_lastRead.contact);
        m_location->setText(m_lastRead.location);
    }
    m_list->clearRows();
    startWalk(&m_interfaces, ExampleSystemLogic::InterfaceColumns(), {m_refresh, m_apply});
}

void CExampleSystemDlg::OnInterfaceRow(const kx::WalkRow& row)
{
    m_list->addRow(ExampleSystemLogic::InterfaceRow(row));
}

void CExampleSystemDlg::OnApply()
{
    const kx::example::SystemIdentity typed{m_name->text(), m_contact->text(), m_location->text()};
    const QString refusal = ExampleSystemLogic::Check(typed);
    if (!refusal.isEmpty()) {
        prompter().message(refusal);
        m_name->setFocus();
        m_name->selectAll();
        return;
    }
    const auto bindings = ExampleSystemLogic::Changes(m_lastRead, typed);
    if (bindings.empty())
        return;
    if (kx::SetValues(m_cCommonSNMPSet, bindings).ok())
        Refresh();
}
