#include "ui/l2/CIgmpSnoopingDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/l2/CIgmpVlanDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::l2;

CIgmpSnoopingDlg::CIgmpSnoopingDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("IGMP Snooping Configuration"), parent),
      m_igmp(new CIgmpSnoopingModel(DevicePortCount(), this))
{
    adoptSessions(m_igmp->Sessions());
    m_igmp->SetOwner(this);

    auto* grid = new QGridLayout;
    kx::Form form(this, grid);
    form.reserve({QStringLiteral("&Refresh"), QStringLiteral("&Apply"), QStringLiteral("&IGMP Vlan Info"),
                  QStringLiteral("&Close")});
    m_enable = form.check(QStringLiteral("Enable IGMP Snooping "));
    static const char* const kLabels[] = {
        "Router Timeout(60-600 sec)",           "Host Timeout(130-153025 sec)",
        "Robustness Variable(2-255)",           "Last Member Query Interval(1-25 sec)",
        "Query Interval(60-600 sec)",           "Max Response Time(10-25 sec)",
    };
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        m_edits[i] = form.edit(QString::fromLatin1(kLabels[i]), kx::FieldOptions::Digits());
    m_reportToAll = form.check(QStringLiteral("Report to all ports"));
    // A box as wide as its text: a click beside it ticks nothing.
    for (QCheckBox* box : {m_enable, m_reportToAll})
        box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* note = new QLabel(QStringLiteral("Note: The Host Timeout was computed automatically in Querier Enabled "
                                           "by\n (Robustness Variable * Query Interval + Max Response Time)."),
                            this);

    m_refresh = form.button(QStringLiteral("&Refresh"));
    m_refresh->setProperty("controlId", 1001);
    m_apply = form.button(QStringLiteral("&Apply"));
    m_apply->setProperty("controlId", 1000);
    QPushButton* vlanInfo = form.button(QStringLiteral("&IGMP Vlan Info"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addLayout(kx::Form::ButtonRow({m_refresh, m_apply, close}, {vlanInfo}));

    connect(m_enable, &QCheckBox::clicked, this, &CIgmpSnoopingDlg::UpdateEnabling);
    connect(m_igmp, &CIgmpSnoopingModel::globalRead, this, &CIgmpSnoopingDlg::ShowGlobal);
    connect(m_refresh, &QPushButton::clicked, this, &CIgmpSnoopingDlg::Refresh);
    connect(m_apply, &QPushButton::clicked, this, &CIgmpSnoopingDlg::OnApply);
    connect(vlanInfo, &QPushButton::clicked, this, &CIgmpSnoopingDlg::OnVlanInfo);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    UpdateEnabling();
    Refresh();
}

void CIgmpSnoopingDlg::Refresh()
{
    // Apply compares with the values last read: it waits for them too.
    read(m_igmp->ReadGlobal(), {m_refresh, m_apply}, [this] { UpdateEnabling(); });
}

void CIgmpSnoopingDlg::ShowGlobal(const QStringList& texts)
{
    m_enable->setChecked(texts.value(kIgmpState) == QLatin1String("1"));
    m_reportToAll->setChecked(texts.value(kIgmpReportToAllPorts) == QLatin1String("1"));
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        m_edits[i]->setText(texts.value(kIgmpRouterTimeout + static_cast<int>(i)));
}

void CIgmpSnoopingDlg::UpdateEnabling()
{
    const bool on = m_enable->isChecked();
    for (QLineEdit* edit : m_edits)
        edit->setEnabled(on);
    m_reportToAll->setEnabled(on);
}

kx::l2::IgmpGlobalTexts CIgmpSnoopingDlg::Wanted() const
{
    IgmpGlobalTexts texts;
    texts << (m_enable->isChecked() ? QStringLiteral("1") : QStringLiteral("2"));
    for (QLineEdit* edit : m_edits)
        texts << edit->text();
    texts << (m_reportToAll->isChecked() ? QStringLiteral("1") : QStringLiteral("2"));
    return texts;
}

QWidget* CIgmpSnoopingDlg::FieldWidget(int field) const
{
    if (field >= kIgmpRouterTimeout && field <= kIgmpMaxResponseTime)
        return m_edits[static_cast<std::size_t>(field - kIgmpRouterTimeout)];
    return nullptr;
}

void CIgmpSnoopingDlg::OnApply()
{
    const IgmpGlobalTexts wanted = Wanted();
    const IgmpRefusal refusal = CheckIgmpGlobal(wanted);
    if (refuse(refusal.message, FieldWidget(refusal.field)))
        return;
    if (wanted[kIgmpState] == QLatin1String("2") &&
        !prompter().question(kRouterPortsDeletedQuestion)) {
        Refresh();
        return;
    }
    auto requests = IgmpGlobalRequests(wanted, m_igmp->GlobalLastRead());
    if (requests.empty()) {
        Refresh();
        return;
    }
    writeSequence<kx::SetResult>(m_igmp->Send(std::move(requests)), [this](const kx::SetResult&) { Refresh(); });
}

void CIgmpSnoopingDlg::OnVlanInfo()
{
    CIgmpVlanDlg vlans(this);
    vlans.exec();
}
