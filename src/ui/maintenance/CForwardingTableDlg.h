#pragma once

#include "ui/kit/CTableViewerDlg.h"

class QLineEdit;

// "Forwarding Table": the forwarding database with the bridge's aging time and
// a Destination Port filter that lists only the entries of that port.
class CForwardingTableDlg : public kx::CTableViewerDlg
{
    Q_OBJECT

public:
    explicit CForwardingTableDlg(QWidget* parent = nullptr);

protected:
    kx::ReadPlan extraReads() override;
    bool keepRow(const kx::WalkRow& row) const override;

private:
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPGetTime = addSession(QStringLiteral("m_cCommonSNMPGetTime"));

    QLineEdit* m_ageTime = nullptr;
    QLineEdit* m_port = nullptr;
    QString m_filter; // the port filter of the walk under way
    bool m_ageTimeAsked = false;
};
