#include "ui/maintenance/CForwardingTableDlg.h"

#include "core/maintenance/MibViewers.h"
#include "ui/kit/Form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace kx::maintenance;

CForwardingTableDlg::CForwardingTableDlg(QWidget* parent) : kx::CTableViewerDlg(ForwardingTable(), parent)
{
    auto* top = new QGridLayout;
    kx::Form form(this, top);
    form.reserve({QStringLiteral("&Refresh"), QStringLiteral("&Close")});
    m_ageTime = form.edit(QStringLiteral("Age Time:"), kx::FieldOptions::ReadOnly());
    top->addWidget(new QLabel(QStringLiteral("Seconds"), this), 0, 2);
    top->setColumnStretch(3, 1);

    auto* filter = new QGroupBox(QStringLiteral("Filter"), this);
    auto* filterGrid = new QGridLayout;
    kx::Form filterForm(filter, filterGrid);
    filterForm.mnemonics() = form.mnemonics();
    m_port = filterForm.edit(QStringLiteral("Destination Port:"), kx::FieldOptions::Digits(4));
    auto* note = new QLabel(QStringLiteral("Lists only the entries of this port (every entry when empty); "
                                           "Refresh applies it."),
                            filter);
    note->setWordWrap(true);
    note->setObjectName(QStringLiteral("Filter note"));
    filterGrid->addWidget(note, 1, 0, 1, 2);
    filterGrid->setColumnStretch(1, 1);
    filter->setLayout(filterGrid);

    extras()->addLayout(top);
    extras()->addWidget(filter);
}

kx::ReadPlan CForwardingTableDlg::extraReads()
{
    // The filter stays what it was when the walk began, whatever is typed meanwhile.
    m_filter = m_port->text().trimmed();
    kx::ReadPlan plan;
    // The aging time is read once, as the window opens.
    if (!std::exchange(m_ageTimeAsked, true))
        plan.get(m_cCommonSNMPGetTime, {kBridgeAgingTime}, [this](const kx::GetResult& answer) {
            if (answer.ok() && !answer.value(0).isException())
                m_ageTime->setText(answer.value(0).text());
        });
    return plan;
}

bool CForwardingTableDlg::keepRow(const kx::WalkRow& row) const
{
    return FdbPortFilterKeeps(m_filter, row.value(kFdbPortColumn).text());
}
