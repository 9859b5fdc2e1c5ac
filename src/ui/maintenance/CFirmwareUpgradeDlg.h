#pragma once

#include "core/maintenance/TransferLogic.h"
#include "ui/kit/ConfigDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace kx {
class AsyncGet;
class AsyncSet;
class IpAddressEdit;
} // namespace kx

// "Firmware and Configuration Upgrade/Backup": tells the switch the TFTP
// server, the file and the operation, then follows the switch's status with a
// progress bar until it reports an end. Everything runs on the UI thread's
// timers; the requests go out asynchronously and their answers come back to it.
class CFirmwareUpgradeDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CFirmwareUpgradeDlg(QWidget* parent = nullptr,
                                 const kx::maintenance::TransferTimings& timings = {});

    // From Apply to the end of the run: the controls are disabled meanwhile.
    bool running() const { return m_running; }
    const kx::maintenance::TransferRun& run() const { return m_run; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnApply();
    void SendOperation();
    void OnSetAnswered(const kx::SetResult& result);
    void ReadStatus();
    void OnStatus(const kx::GetResult& result);
    void OnProgressTick();
    void OnOverallTimeOut();
    void OnFinishTimer();
    void Carry(const kx::maintenance::TransferStep& step);
    void StopTimers();
    void SetControlsEnabled(bool enabled);

    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSetOp = addSession(QStringLiteral("m_cCommonSNMPSetOp"));

    kx::maintenance::TransferTimings m_timings;
    kx::maintenance::TransferRun m_run;
    bool m_running = false;
    bool m_settingFile = false; // the set under way is the file's, not the operation's

    kx::AsyncGet* m_statusRead = nullptr;
    kx::AsyncSet* m_set = nullptr;
    QTimer* m_statusTimer = nullptr;   // the status read
    QTimer* m_finishTimer = nullptr;   // the controls back after an end
    QTimer* m_progressTimer = nullptr; // the progress tick
    QTimer* m_overallTimer = nullptr;  // the overall time-out

    kx::IpAddressEdit* m_server = nullptr;
    QLineEdit* m_file = nullptr;
    QComboBox* m_operation = nullptr;
    QComboBox* m_fileType = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_close = nullptr;
};
