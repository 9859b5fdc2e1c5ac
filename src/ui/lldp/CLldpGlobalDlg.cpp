#include "ui/lldp/CLldpGlobalDlg.h"

#include "core/lldp/LldpLogic.h"
#include "ui/kit/Form.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSizePolicy>

using namespace kx::lldp;

CLldpGlobalDlg::CLldpGlobalDlg(QWidget* parent) : kx::ConfigDialog(QStringLiteral("LLDP Global Settings"), parent)
{
    kx::Form form = kx::Form::Stacked(this);
    form.reserve({QStringLiteral("&Apply"), QStringLiteral("&Close")});
    form.group(QString());
    m_enable = form.check(QStringLiteral(" LLDP Enable "));
    // As wide as its text: a click beside it does not toggle it.
    m_enable->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    // Two buttons say Apply: their names tell them apart.
    m_stateApply = form.button(QStringLiteral("&Apply"), QStringLiteral("LLDP State Apply"));
    connect(m_stateApply, &QPushButton::clicked, this, &CLldpGlobalDlg::OnStateApply);
    form.add(kx::Form::ButtonRow({m_stateApply}));
    form.endGroup();

    form.group(QString());
    const QStringList labels{QStringLiteral("Message TX Hold Multipier(2 - 10)"),
                             QStringLiteral("Message TX Interval(5 - 32768)"),
                             QStringLiteral("LLDP Reinit Delay (1 - 10)"), QStringLiteral("LLDP TX Delay (1 - 8192)")};
    for (int i = 0; i < 4; ++i) {
        QLineEdit* edit = form.edit(labels[i], kx::FieldOptions::Digits(5));
        m_timers[static_cast<std::size_t>(i)] = edit;
        if (i > 0)
            form.unit(QStringLiteral("sec"));
    }
    m_timersApply = form.button(QStringLiteral("Apply"), QStringLiteral("LLDP Timers Apply"));
    connect(m_timersApply, &QPushButton::clicked, this, &CLldpGlobalDlg::OnTimersApply);
    form.add(kx::Form::ButtonRow({m_timersApply}));
    form.endGroup();

    form.group(QStringLiteral("LLDP System Information"));
    const QStringList infoLabels{QStringLiteral("Chassis ID Subtype"), QStringLiteral("Chassis ID"),
                                 QStringLiteral("System Name"), QStringLiteral("System Description")};
    for (int i = 0; i < 4; ++i)
        m_system[static_cast<std::size_t>(i)] = form.edit(infoLabels[i], kx::FieldOptions::ReadOnly());
    form.endGroup();
    QPushButton* close = form.action(QStringLiteral("&Close"), [this] { reject(); });
    form.buttonRow({close});
    resize(460, 420);

    EnableTimers(false);
    Read();
}

void CLldpGlobalDlg::EnableTimers(bool enabled)
{
    for (QLineEdit* e : m_timers)
        e->setEnabled(enabled);
    m_timersApply->setEnabled(enabled);
}

void CLldpGlobalDlg::Read()
{
    kx::ReadPlan plan;
    plan.get(m_cCommonSNMP, GlobalReadOids(), [this](const kx::GetResult& answer) {
        if (!answer.ok())
            return;
        const GlobalValues v = GlobalFromAnswer(answer);
        m_enable->setChecked(v.enabled);
        EnableTimers(v.enabled);
        for (int i = 0; i < 4; ++i)
            m_timers[static_cast<std::size_t>(i)]->setText(v.timers.value(i));
        const QStringList info{v.chassisSubtype, v.chassisId, v.systemName, v.systemDescription};
        for (int i = 0; i < 4; ++i)
            m_system[static_cast<std::size_t>(i)]->setText(info[i]);
    });
    // The state Apply comes back at the end of every reading, whatever it showed.
    read(plan, {m_stateApply});
}

void CLldpGlobalDlg::OnStateApply()
{
    m_stateApply->setEnabled(false);
    Send({kx::SetBinding::Integer(kLldpState, m_enable->isChecked() ? 1 : 2)});
}

void CLldpGlobalDlg::OnTimersApply()
{
    QStringList texts;
    for (QLineEdit* e : m_timers)
        texts << e->text();
    const TimerDecision d = DecideTimers(texts);
    if (refuse(d.refusal, m_timers[static_cast<std::size_t>(d.field)]))
        return;
    Send(d.bindings);
}

void CLldpGlobalDlg::Send(std::vector<kx::SetBinding> bindings)
{
    // A set nothing answered is not reported: the reading after it shows what
    // the device holds.
    writeSequence<bool>([session = m_cCommonSNMPSet, bindings] { return SendWithRetries(*session, bindings); },
                        [this](const bool& answered) {
                            refreshAfter(answered ? kAfterAnswerMs : 0, [this] { Read(); });
                        });
}
