#include "ui/security/CImpbBindingDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/IpAddressEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::security;

CImpbBindingDlg::CImpbBindingDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Smart Binding"), parent),
      m_model(new CImpbModel(DevicePortCount(), this)), m_portCount(DevicePortCount())
{
    adoptSessions(m_model->Sessions());
    m_model->SetOwner(this);

    m_list = new kx::GridListView(QStringLiteral("Smart Binding List"), this);
    m_list->setColumns({{QStringLiteral("VID"), 100},
                        {QStringLiteral("IP Address"), 160},
                        {QStringLiteral("Mac Address"), 170},
                        {QStringLiteral("Port"), 110},
                        {QStringLiteral("Binding"), 100}});

    kx::Form form(this);
    form.reserve({QStringLiteral("A&dd"), QStringLiteral("&Scan"), QStringLiteral("&Binding"),
                  QStringLiteral("&Refresh"), QStringLiteral("&Close")});
    auto* manual = new QGroupBox(QStringLiteral("Manual Binding"), this);
    auto* manualGrid = new QGridLayout(manual);
    m_ip = form.ipAddress(QStringLiteral("&IP Address:"));
    manualGrid->addWidget(form.lastLabel(), 0, 0);
    manualGrid->addWidget(m_ip, 0, 1);
    m_mac = form.edit(QStringLiteral("&MAC Address:"), kx::FieldOptions::Limit(17));
    manualGrid->addWidget(form.lastLabel(), 1, 0);
    manualGrid->addWidget(m_mac, 1, 1);
    m_port = form.edit(QStringLiteral("&Port:"), kx::FieldOptions::Digits(2));
    manualGrid->addWidget(form.lastLabel(), 2, 0);
    manualGrid->addWidget(m_port, 2, 1);
    QPushButton* add = form.button(QStringLiteral("A&dd"));
    manualGrid->addWidget(add, 4, 1, Qt::AlignRight);
    manualGrid->setRowStretch(3, 1);

    auto* scan = new QGroupBox(QStringLiteral("Address Scan"), this);
    auto* scanGrid = new QGridLayout(scan);
    m_from = form.ipAddress(QStringLiteral("&From IP:"));
    scanGrid->addWidget(form.lastLabel(), 0, 0);
    scanGrid->addWidget(m_from, 0, 1);
    m_to = form.ipAddress(QStringLiteral("&To IP:"));
    scanGrid->addWidget(form.lastLabel(), 1, 0);
    scanGrid->addWidget(m_to, 1, 1);
    QPushButton* start = form.button(QStringLiteral("&Scan"));
    scanGrid->addWidget(start, 3, 1, Qt::AlignRight);
    scanGrid->setRowStretch(2, 1);

    m_binding = form.button(QStringLiteral("&Binding"));
    m_refresh = form.button(QStringLiteral("&Refresh"));
    // The design's paging buttons do nothing: shown, never enabled.
    QPushButton* back = form.button(QStringLiteral("Back"));
    QPushButton* next = form.button(QStringLiteral("Next"));
    back->setEnabled(false);
    next->setEnabled(false);
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* inputs = new QHBoxLayout;
    inputs->addWidget(manual);
    inputs->addWidget(scan);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(inputs);
    layout->addLayout(kx::Form::ButtonRow({m_binding, m_refresh, close}, {back, next}));
    resize(680, 500);

    connect(add, &QPushButton::clicked, this, &CImpbBindingDlg::OnAdd);
    connect(start, &QPushButton::clicked, this, &CImpbBindingDlg::OnScan);
    connect(m_binding, &QPushButton::clicked, this, &CImpbBindingDlg::OnBinding);
    connect(m_refresh, &QPushButton::clicked, this, &CImpbBindingDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_model, &CFeatureModel::rowArrived, this,
            [this](const QStringList& row) { m_list->addRow(ImpbBindingLine(row)); });
    Refresh();
}

void CImpbBindingDlg::Refresh()
{
    m_list->clearRows();
    read(m_model->WalkBindings(), {m_refresh, m_binding});
}

void CImpbBindingDlg::OnAdd()
{
    const ImpbRefusal refusal = ImpbCheckManualBinding(m_ip->filledFieldCount(), m_ip->text(),
                                                       m_mac->text(), m_port->text(), m_portCount);
    if (refusal.refused()) {
        QWidget* field = refusal.field == ImpbField::Ip ? static_cast<QWidget*>(m_ip->fieldEdit(0))
                         : refusal.field == ImpbField::Mac ? static_cast<QWidget*>(m_mac)
                                                           : static_cast<QWidget*>(m_port);
        refuse(refusal.text, field);
        return;
    }
    writeSequence<CImpbModel::Sent>(
        m_model->Send(
            ImpbManualBindingRequests(m_ip->text(), m_mac->text(), m_port->text().toInt()),
            {0, 50, 0}),
        [this](const CImpbModel::Sent& sent) {
            // Only a row the device took in all three steps is a success.
            if (sent.allOk)
                prompter().message(QStringLiteral("Success!"), kx::PromptIcon::Information);
            m_ip->clear();
            m_mac->clear();
            m_port->clear();
        });
}

void CImpbBindingDlg::OnScan()
{
    const ImpbRefusal refusal = ImpbCheckScan(m_from->filledFieldCount(), m_from->text(),
                                              m_to->filledFieldCount(), m_to->text());
    if (refusal.refused()) {
        QWidget* field = refusal.field == ImpbField::From ? m_from->fieldEdit(0)
                         : refusal.field == ImpbField::To ? m_to->fieldEdit(0)
                                                          : nullptr;
        refuse(refusal.text, field);
        return;
    }
    writeSequence<CImpbModel::Sent>(
        m_model->Send(ImpbScanRequests(m_from->text(), m_to->text()), {50, 0}),
        [this](const CImpbModel::Sent&) {
            m_from->clear();
            m_to->clear();
            // The switch takes a while to find the hosts: a
            // look soon, and another a little later.
            refreshAfter(1000, [this] {
                Refresh();
                refreshAfter(500, [this] { Refresh(); });
            });
        });
}

void CImpbBindingDlg::OnBinding()
{
    const int row = m_list->selectedRow();
    if (refuse(ImpbBindingRefusal(row >= 0, m_list->cellText(row, 4))))
        return;
    const kx::SetBinding bind = ImpbBindBinding(m_list->cellText(row, 2), m_list->cellText(row, 3),
                                                m_list->cellText(row, 1));
    writeSequence<CImpbModel::Sent>(m_model->Send({{bind}}), [this](const CImpbModel::Sent& sent) {
        if (sent.last.answered())
            refreshAfter(50, [this] { Refresh(); });
    });
}
