#include "ui/dot1x/CDot1xGlobalDlg.h"

#include "ui/dot1x/CDot1xPortDlg.h"
#include "ui/kit/Form.h"
#include "ui/kit/IpAddressEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSizePolicy>
#include <QVBoxLayout>

using namespace kx::dot1x;

CDot1xGlobalDlg::CDot1xGlobalDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("802.1X Config Information"), parent)
{
    auto* group = new QGroupBox(QStringLiteral("802.1X Global Setting"), this);
    auto* left = new QGridLayout;
    auto* right = new QGridLayout;
    kx::Form form(group, left);
    form.reserve({QStringLiteral("&Apply"), QStringLiteral("&PortSet"), QStringLiteral("&Refresh"),
                  QStringLiteral("&Close")});
    m_enable = form.check(QStringLiteral("Enable 802.1X"));
    // As wide as its text: a click beside it does not toggle it.
    m_enable->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    m_server = form.ipAddress(QStringLiteral("Radius Server IP:"));
    m_key = form.edit(QStringLiteral("Key:"), kx::FieldOptions::Limit(kKeyLength));
    m_confirmKey = form.edit(QStringLiteral("Confirm Key:"), kx::FieldOptions::Limit(kKeyLength));
    for (QLineEdit* key : {m_key, m_confirmKey})
        key->setEchoMode(QLineEdit::Password);
    left->setRowStretch(4, 1);

    kx::Form timers(group, right);
    timers.mnemonics() = form.mnemonics();
    m_txPeriod = timers.edit(QStringLiteral("TxPeriod(1-65535 sec)"), kx::FieldOptions::Digits(5));
    m_quietPeriod = timers.edit(QStringLiteral("QuietPeriod(0-65535 sec)"), kx::FieldOptions::Digits(5));
    m_suppTimeout = timers.edit(QStringLiteral("SuppTimeout(1-65535 sec)"), kx::FieldOptions::Digits(5));
    m_serverTimeout = timers.edit(QStringLiteral("ServerTimeout(1-65535 sec)"), kx::FieldOptions::Digits(5));
    m_maxReq = timers.edit(QStringLiteral("MaxReq(1-10)"), kx::FieldOptions::Digits(2));
    m_reAuthPeriod = timers.edit(QStringLiteral("ReAuthPeriod(1-4294967295 sec)"), kx::FieldOptions::Digits(10));
    m_reAuthEnabled = timers.combo(QStringLiteral("ReAuthEnabled"), kReAuthEnabledTexts);

    auto* columns = new QHBoxLayout(group);
    columns->addLayout(left, 1);
    columns->addSpacing(16);
    columns->addLayout(right, 1);

    m_apply = timers.button(QStringLiteral("&Apply"));
    m_portSet = timers.button(QStringLiteral("&PortSet"));
    m_refresh = timers.button(QStringLiteral("&Refresh"));
    QPushButton* close = timers.button(QStringLiteral("&Close"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(kx::Form::ButtonRow({m_apply, m_refresh, close}, {m_portSet}));
    resize(620, 290);

    m_fields = {m_server,      m_key,    m_confirmKey,   m_txPeriod,     m_quietPeriod,
                m_suppTimeout, m_serverTimeout, m_maxReq, m_reAuthPeriod, m_reAuthEnabled};
    // The box opens the fields; only what the device holds opens the port dialog.
    connect(m_enable, &QCheckBox::clicked, this, &CDot1xGlobalDlg::EnableFields);
    connect(m_apply, &QPushButton::clicked, this, &CDot1xGlobalDlg::OnApply);
    connect(m_portSet, &QPushButton::clicked, this, &CDot1xGlobalDlg::OnPortSet);
    connect(m_refresh, &QPushButton::clicked, this, &CDot1xGlobalDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    EnableFields(false);
    m_portSet->setEnabled(false);
    Refresh();
}

void CDot1xGlobalDlg::EnableFields(bool enabled)
{
    for (QWidget* w : m_fields)
        w->setEnabled(enabled);
}

void CDot1xGlobalDlg::Refresh()
{
    kx::ReadPlan plan;
    // A failed read keeps what the dialog shows; the next refresh shows the device.
    plan.get(m_cCommonSNMP, Dot1xGlobalLogic::ReadOids(), [this](const kx::GetResult& answer) {
        if (const std::optional<Dot1xGlobal> global = Dot1xGlobalLogic::Read(answer))
            Show(*global);
    });
    read(plan, {m_apply, m_refresh});
}

void CDot1xGlobalDlg::Show(const Dot1xGlobal& global)
{
    m_enable->setChecked(global.enabled);
    EnableFields(global.enabled);
    m_portSet->setEnabled(global.enabled);
    m_server->setText(global.server);
    m_key->setText(global.key);
    m_confirmKey->setText(global.key);
    m_quietPeriod->setText(global.timers.quietPeriod);
    m_txPeriod->setText(global.timers.txPeriod);
    m_suppTimeout->setText(global.timers.suppTimeout);
    m_serverTimeout->setText(global.timers.serverTimeout);
    m_maxReq->setText(global.timers.maxReq);
    m_reAuthPeriod->setText(global.timers.reAuthPeriod);
    m_reAuthEnabled->setCurrentIndex(static_cast<int>(kReAuthEnabledTexts.indexOf(global.timers.reAuthEnabled)));
}

Dot1xTimers CDot1xGlobalDlg::Timers() const
{
    Dot1xTimers t;
    t.quietPeriod = m_quietPeriod->text();
    t.txPeriod = m_txPeriod->text();
    t.suppTimeout = m_suppTimeout->text();
    t.serverTimeout = m_serverTimeout->text();
    t.maxReq = m_maxReq->text();
    t.reAuthPeriod = m_reAuthPeriod->text();
    t.reAuthEnabled = m_reAuthEnabled->currentText();
    return t;
}

QWidget* CDot1xGlobalDlg::FieldWidget(GlobalField field) const
{
    switch (field) {
    case GlobalField::None:
        return nullptr;
    case GlobalField::Server:
        return m_server;
    case GlobalField::Key:
        return m_key;
    case GlobalField::ConfirmKey:
        return m_confirmKey;
    case GlobalField::QuietPeriod:
        return m_quietPeriod;
    case GlobalField::TxPeriod:
        return m_txPeriod;
    case GlobalField::SuppTimeout:
        return m_suppTimeout;
    case GlobalField::ServerTimeout:
        return m_serverTimeout;
    case GlobalField::MaxReq:
        return m_maxReq;
    case GlobalField::ReAuthPeriod:
        return m_reAuthPeriod;
    }
    return nullptr;
}

void CDot1xGlobalDlg::OnApply()
{
    Dot1xGlobalInput input;
    input.enabled = m_enable->isChecked();
    input.server = m_server->text();
    input.key = m_key->text();
    input.confirmKey = m_confirmKey->text();
    input.timers = Timers();
    const GlobalDecision decision = Dot1xGlobalLogic::Decide(input);
    if (refuse(decision.refusal, FieldWidget(decision.field)))
        return;
    writeSequence<GlobalOutcome>(
        [snmp = m_cCommonSNMP, set = m_cCommonSNMPSet, arg = m_cCommonSNMParg, requests = decision.requests] {
            return Dot1xGlobalLogic::Send(*snmp, *set, *arg, requests);
        },
        [this](const GlobalOutcome& outcome) {
            if (outcome.reread())
                Refresh();
        });
}

void CDot1xGlobalDlg::OnPortSet()
{
    CDot1xPortDlg ports(Timers(), this);
    ports.exec();
}
