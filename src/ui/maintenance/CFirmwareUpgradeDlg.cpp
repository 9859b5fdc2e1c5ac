#include "ui/maintenance/CFirmwareUpgradeDlg.h"

#include "common/TraceCore.h"
#include "core/kit/SnmpLoads.h"
#include "ui/kit/Form.h"
#include "ui/kit/IpAddressEdit.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace kx::maintenance;

namespace {

QTimer* SingleShot(QObject* owner)
{
    auto* timer = new QTimer(owner);
    timer->setSingleShot(true);
    return timer;
}

} // namespace

CFirmwareUpgradeDlg::CFirmwareUpgradeDlg(QWidget* parent, const TransferTimings& timings)
    : kx::ConfigDialog(QStringLiteral("Firmware and Configuration Upgrade/Backup"), parent), m_timings(timings)
{
    auto* grid = new QGridLayout;
    kx::Form form(this, grid);
    m_apply = form.button(QStringLiteral("&Apply"));
    m_close = form.button(QStringLiteral("&Close"));
    m_server = form.ipAddress(QStringLiteral("TFTP Server IP:"));
    m_server->setFieldNames(QStringLiteral("TFTP Server IP"));
    m_file = form.edit(QStringLiteral("File Name:"), kx::FieldOptions::Limit(kMaxFileName, MaxFileNameMessage()));
    m_operation = form.combo(QStringLiteral("Operation Type:"), {QStringLiteral("Upgrade"), QStringLiteral("Backup")});
    m_fileType = form.combo(QStringLiteral("FileType:"), {QStringLiteral("Configuration"), QStringLiteral("Firmware")});
    grid->setColumnStretch(1, 1);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("Progress"));
    m_progress->setAccessibleName(QStringLiteral("Progress"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_status->hide();
    m_progress->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addStretch();
    layout->addLayout(kx::Form::ButtonRow({m_apply, m_close}));
    resize(420, 250);

    m_statusRead = new kx::AsyncGet(m_cCommonSNMP, this);
    m_set = new kx::AsyncSet(m_cCommonSNMPSetOp, this);
    m_statusTimer = SingleShot(this);
    m_finishTimer = SingleShot(this);
    m_progressTimer = SingleShot(this);
    m_overallTimer = SingleShot(this);
    connect(m_statusRead, &kx::AsyncGet::finished, this, &CFirmwareUpgradeDlg::OnStatus);
    connect(m_set, &kx::AsyncSet::finished, this, &CFirmwareUpgradeDlg::OnSetAnswered);
    connect(m_statusTimer, &QTimer::timeout, this, &CFirmwareUpgradeDlg::ReadStatus);
    connect(m_finishTimer, &QTimer::timeout, this, &CFirmwareUpgradeDlg::OnFinishTimer);
    connect(m_progressTimer, &QTimer::timeout, this, &CFirmwareUpgradeDlg::OnProgressTick);
    connect(m_overallTimer, &QTimer::timeout, this, &CFirmwareUpgradeDlg::OnOverallTimeOut);
    connect(m_apply, &QPushButton::clicked, this, &CFirmwareUpgradeDlg::OnApply);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void CFirmwareUpgradeDlg::reject()
{
    // Close is disabled while the switch transfers; Escape and the title bar too.
    if (m_running)
        return;
    kx::ConfigDialog::reject();
}

void CFirmwareUpgradeDlg::closeEvent(QCloseEvent* event)
{
    if (m_running) {
        event->ignore();
        return;
    }
    kx::ConfigDialog::closeEvent(event);
}

void CFirmwareUpgradeDlg::OnApply()
{
    const bool upgrade = m_operation->currentIndex() == 0;
    const TransferKind kind = m_fileType->currentIndex() == 1 ? TransferKind::Firmware : TransferKind::Configuration;
    // A new run: not finished, nothing seen, no unanswered read counted.
    m_run = TransferRun(kind, upgrade, m_timings);
    m_status->hide();
    m_progress->hide();
    if (upgrade && !prompter().question(DisconnectQuestion()))
        return;
    if (refuse(CheckServer(m_server->filledFieldCount(), m_server->text()), m_server->fieldEdit(0)))
        return;
    if (refuse(CheckFile(m_file->text()), m_file))
        return;

    // Shown once the input holds: a bar beside a refusal would promise a transfer.
    m_progress->setValue(0);
    m_status->setText(QStringLiteral("Setting file name..."));
    m_status->show();
    m_progress->show();
    m_running = true;
    SetControlsEnabled(false);
    m_settingFile = true;
    const bool sent = m_set->start(FileBindings(kind, m_server->text(), m_file->text()), m_timings.fileSetTimeout);
    kx::TraceF("setting file name and iP status =========  %d", sent ? 0 : -1);
}

void CFirmwareUpgradeDlg::OnSetAnswered(const kx::SetResult& result)
{
    if (!m_running)
        return;
    if (!std::exchange(m_settingFile, false)) {
        Carry(m_run.operationAnswered(result));
        return;
    }
    const TransferStep step = m_run.fileSet(result);
    if (step.ends)
        Carry(step);
    else
        SendOperation(); // from here, never from the answer's own callback
}

void CFirmwareUpgradeDlg::SendOperation()
{
    const TransferStep step = m_run.operationSent();
    m_status->setText(QStringLiteral("Preparing..."));
    m_progressTimer->start(m_timings.firstTick);
    m_set->start({OperationBinding(m_run.kind(), m_run.upgrade())}, m_timings.operationTimeout);
    Carry(step);
}

void CFirmwareUpgradeDlg::ReadStatus()
{
    kx::Trace("start FIRMWARE_BACKUPSTATUS =======================");
    m_statusRead->start({m_run.objects().status}, m_timings.statusTimeout);
}

void CFirmwareUpgradeDlg::OnStatus(const kx::GetResult& result)
{
    if (!m_running)
        return;
    const TransferStep step = m_run.statusAnswered(result);
    if (!step.ends && m_run.inProgressSeen())
        m_status->setText(QStringLiteral("In progress..."));
    Carry(step);
}

void CFirmwareUpgradeDlg::OnProgressTick()
{
    const int position = m_run.tick();
    if (position < 0)
        return;
    m_progress->setValue(position);
    m_progressTimer->start(m_timings.tick);
}

void CFirmwareUpgradeDlg::OnOverallTimeOut()
{
    Carry(m_run.overallElapsed());
}

void CFirmwareUpgradeDlg::Carry(const TransferStep& step)
{
    if (step.ends) {
        // Nothing of this run may speak after its end: no timer, no late answer.
        StopTimers();
        m_statusRead->cancel();
        m_set->cancel();
        m_settingFile = false;
        if (step.success)
            m_progress->setValue(99);
        m_status->setText(step.message.section(QLatin1Char('\n'), 0, 0));
        prompter().message(step.message,
                           step.success ? kx::PromptIcon::Information : kx::PromptIcon::Warning);
        m_finishTimer->start(m_timings.finish);
        return;
    }
    if (step.pollInMs >= 0)
        m_statusTimer->start(step.pollInMs);
    if (step.overallInMs >= 0)
        m_overallTimer->start(step.overallInMs);
}

void CFirmwareUpgradeDlg::OnFinishTimer()
{
    if (!m_run.finished())
        return;
    StopTimers();
    m_running = false;
    SetControlsEnabled(true);
}

void CFirmwareUpgradeDlg::StopTimers()
{
    m_statusTimer->stop();
    m_progressTimer->stop();
    m_overallTimer->stop();
}

void CFirmwareUpgradeDlg::SetControlsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_server, m_file, m_operation, m_fileType, m_apply, m_close})
        w->setEnabled(enabled);
}
