#include "ui/maintenance/CSystemInfoDlg.h"

#include "core/maintenance/MibViewers.h"
#include "ui/kit/Form.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::maintenance;

CSystemInfoDlg::CSystemInfoDlg(QWidget* parent) : kx::ConfigDialog(QStringLiteral("System Information"), parent)
{
    auto* grid = new QGridLayout;
    kx::Form form(this, grid);
    m_refresh = form.button(QStringLiteral("&Refresh"));
    m_apply = form.button(QStringLiteral("&Apply"));
    QPushButton* close = form.button(QStringLiteral("&Close"));
    const kx::FieldOptions shown = kx::FieldOptions::ReadOnly();
    m_description = form.edit(QStringLiteral("Description:"), shown);
    m_objectId = form.edit(QStringLiteral("Object OID:"), shown);
    m_runtime = form.edit(QStringLiteral("Runtime:"), shown);
    // Apply writes the name and the location only: a contact that could be
    // typed would be lost without a word.
    m_contact = form.edit(QStringLiteral("Contact:"), shown);
    m_name = form.edit(QStringLiteral("Name:"), kx::FieldOptions::Limit(kSystemTextBuffer - 1));
    m_location = form.edit(QStringLiteral("Location:"), kx::FieldOptions::Limit(kSystemTextBuffer - 1));
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(kx::Form::ButtonRow({m_refresh, m_apply, close}));
    resize(460, 260);

    connect(m_refresh, &QPushButton::clicked, this, &CSystemInfoDlg::Refresh);
    connect(m_apply, &QPushButton::clicked, this, &CSystemInfoDlg::OnApply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    Refresh();
}

void CSystemInfoDlg::Refresh()
{
    kx::ReadPlan plan;
    // A failed get keeps what the fields show.
    plan.get(m_cCommonSNMP, SystemInfoOids(), [this](const kx::GetResult& answer) {
        if (!answer.ok())
            return;
        QLineEdit* const fields[] = {m_description, m_objectId, m_runtime, m_contact, m_name, m_location};
        for (std::size_t i = 0; i < std::size(fields); ++i) {
            const kx::SnmpValue& value = answer.value(i);
            if (value.isException())
                continue;
            fields[i]->setText(fields[i] == m_runtime ? RuntimeText(value.text()) : value.text());
        }
    });
    read(plan, {m_refresh, m_apply});
}

void CSystemInfoDlg::OnApply()
{
    const QString name = m_name->text();
    const QString location = m_location->text();
    const QString refusal = CheckSystemInfo(name, location);
    if (refuse(refusal, refusal == QLatin1String("Invalid System Name.") ? m_name : m_location))
        return;
    // The outcome is not reported; what the switch holds shows on the read after.
    write(m_cCommonSNMPSet, SystemInfoBindings(name, location), [this](const kx::SetResult& result) {
        if (result.answered())
            Refresh();
    });
}
