#include "ui/system/CSyslogHostDlg.h"

#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/IpAddressEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSizePolicy>
#include <QVBoxLayout>

using namespace kx::syslog;

CSyslogHostDlg::CSyslogHostDlg(QWidget* parent) : kx::ConfigDialog(QStringLiteral("Syslog Host Configuration"), parent)
{
    m_list = new kx::GridListView(QStringLiteral("Syslog Host Table"), this);
    m_list->setColumns({{QStringLiteral("  Host IP                "), 130},
                        {QStringLiteral("  UDP Port "), 80},
                        {QStringLiteral("  Facility    "), 90},
                        {QStringLiteral("  Severity    "), 90}});

    auto* grid = new QGridLayout;
    kx::Form form(this, grid);
    form.reserve({QStringLiteral("&Apply"), QStringLiteral("&Refresh"), QStringLiteral("&Close")});
    m_enable = form.check(QStringLiteral("SysLogEnable"));
    // As wide as its text: a click beside it does not toggle it.
    m_enable->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    m_server = form.ipAddress(QStringLiteral("Host IP:"));
    m_port = form.edit(QStringLiteral("UDP Port(1-65535):"), kx::FieldOptions::Digits(kPortLength));
    m_facility = form.combo(QStringLiteral("Facility:"), kFacilityTexts);
    m_severity = form.combo(QStringLiteral("Severity:"), kSeverityTexts);
    // Nothing chosen until the device says.
    m_facility->setCurrentIndex(-1);
    m_severity->setCurrentIndex(-1);
    for (QWidget* input : {static_cast<QWidget*>(m_server), static_cast<QWidget*>(m_port)})
        input->setMaximumWidth(180);
    grid->setColumnStretch(2, 1);

    m_apply = form.button(QStringLiteral("&Apply"));
    m_refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(grid);
    layout->addLayout(kx::Form::ButtonRow({m_apply, m_refresh, close}));
    resize(440, 360);

    m_inputs = {m_server, m_port, m_facility, m_severity};
    connect(m_enable, &QCheckBox::clicked, this, &CSyslogHostDlg::EnableInputs);
    connect(m_apply, &QPushButton::clicked, this, &CSyslogHostDlg::OnApply);
    connect(m_refresh, &QPushButton::clicked, this, &CSyslogHostDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    EnableInputs(false);
    m_port->setText(kDefaultPort);
    Refresh();
}

void CSyslogHostDlg::EnableInputs(bool enabled)
{
    for (QWidget* w : m_inputs)
        w->setEnabled(enabled);
}

void CSyslogHostDlg::Refresh()
{
    m_list->clearRows();
    kx::ReadPlan plan;
    // A failed read keeps what the dialog shows; the next refresh shows the device.
    plan.get(m_cCommonSNMP, SyslogLogic::ReadOids(), [this](const kx::GetResult& answer) {
        const std::optional<SyslogSettings> s = SyslogLogic::Read(answer);
        if (!s)
            return;
        m_server->setText(s->server);
        m_port->setText(s->port);
        m_facility->setCurrentIndex(s->facility);
        if (s->severity >= 0)
            m_severity->setCurrentIndex(s->severity);
        m_enable->setChecked(s->enabled);
        EnableInputs(s->enabled);
    });
    read(plan, {m_apply, m_refresh});
}

void CSyslogHostDlg::OnApply()
{
    SyslogInput input;
    input.enabled = m_enable->isChecked();
    input.server = m_server->isBlank() ? QString() : m_server->text();
    input.port = m_port->text();
    input.facility = m_facility->currentIndex();
    input.severity = m_severity->currentIndex();
    const SyslogDecision decision = SyslogLogic::Decide(input);
    if (refuse(decision.refusal, decision.field == SyslogField::Port ? static_cast<QWidget*>(m_port) : m_server))
        return;
    writeSequence<SyslogOutcome>(
        [session = m_cCommonSNMPSet, decision] { return SyslogLogic::Send(*session, decision); },
        [this](const SyslogOutcome& outcome) {
            if (outcome.succeeded())
                prompter().message(SyslogLogic::SuccessText(), kx::PromptIcon::Information);
            Refresh();
        });
}
