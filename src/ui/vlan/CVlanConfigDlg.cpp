#include "ui/vlan/CVlanConfigDlg.h"

#include "base/DeviceInfo.h"
#include "common/SessionSettings.h"
#include "core/vlan/PvidModel.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/vlan/CPvidConfigDlg.h"
#include "ui/vlan/CVlanEditDlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using kx::vlan::Decision;
using kx::vlan::VlanTableLogic;

CVlanConfigDlg::CVlanConfigDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("802.1Q VLAN Configuration"), parent),
      m_writeEnabled(GetSessionSettings().WriteEnabled),
      m_portCount(DevicePortCount()),
      m_pvids(static_cast<std::size_t>(m_portCount > 0 ? m_portCount : 0), 1)
{
    m_list = new kx::GridListView(QStringLiteral("VLAN List"), this);
    m_list->setColumns({{QStringLiteral("VLAN ID"), 80, Qt::AlignLeft},
                        {QStringLiteral("VLAN Name"), 120, Qt::AlignHCenter},
                        {QStringLiteral("No.of Ports"), 100},
                        {QStringLiteral("Egress Port Member"), 220},
                        {QStringLiteral("Untag Port Member"), 220}});

    kx::Form form(this);
    m_asymmetric = new QCheckBox(QStringLiteral("Enable A&symmetric VLAN"), this);
    kx::NameControl(m_asymmetric, QStringLiteral("Enable Asymmetric VLAN"));
    QPushButton* apply = form.button(QStringLiteral("&Apply"));
    QPushButton* add = form.button(QStringLiteral("&Add"));
    m_edit = form.button(QStringLiteral("&Edit"));
    QPushButton* remove = form.button(QStringLiteral("&Delete"));
    QPushButton* refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* pvid = form.button(QStringLiteral("&PVID"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* asymmetricRow = new QHBoxLayout;
    asymmetricRow->addWidget(m_asymmetric);
    asymmetricRow->addWidget(apply);
    asymmetricRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(asymmetricRow);
    layout->addLayout(kx::Form::ButtonRow({close}, {add, m_edit, remove, refresh, pvid}));
    resize(790, 420);

    connect(apply, &QPushButton::clicked, this, &CVlanConfigDlg::OnApply);
    connect(add, &QPushButton::clicked, this, &CVlanConfigDlg::OnAdd);
    connect(m_edit, &QPushButton::clicked, this, &CVlanConfigDlg::OnEdit);
    connect(remove, &QPushButton::clicked, this, &CVlanConfigDlg::OnDelete);
    connect(refresh, &QPushButton::clicked, this, &CVlanConfigDlg::Refresh);
    connect(pvid, &QPushButton::clicked, this, &CVlanConfigDlg::OnPvid);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    // A double click is "&Edit", and only when "&Edit" could be pressed: not while
    // the walk that builds the VLANs it hands over still runs.
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_edit->isEnabled())
            OnEdit();
    });

    m_gated = {apply, refresh, close};
    if (m_writeEnabled)
        m_gated << add << m_edit << remove << pvid;
    else
        for (QPushButton* b : {add, m_edit, remove, pvid})
            b->setEnabled(false);
    Refresh();
}

kx::ReadPlan CVlanConfigDlg::VlanEntriesLoad(std::shared_ptr<CCommonSNMP> session, VlanEntries& entries)
{
    // Built from the rows the walk delivered: the dialogs handed them get a list
    // that nothing changes under them.
    kx::ReadPlan plan;
    plan.walk(std::move(session), VlanTableLogic::VlanColumns(),
              [&entries](const kx::WalkResult& result) {
                  entries = VlanTableLogic::ActiveEntries(result.rows, DevicePortCount());
              });
    return plan;
}

kx::ReadPlan CVlanConfigDlg::AsymmetricModeLoad(std::shared_ptr<CCommonSNMP> session, int& mode)
{
    kx::ReadPlan plan;
    plan.get(std::move(session), {kx::vlan::kAsymmetricVlanState}, [&mode](const kx::GetResult& answer) {
        mode = answer.ok() && !answer.values.empty() && answer.value(0).isEnabled() ? 1 : 2;
    });
    return plan;
}

kx::ReadPlan CVlanConfigDlg::AsymmetricStateLoad()
{
    // A failed read keeps the box as it is.
    kx::ReadPlan plan;
    plan.get(m_cCommonSNMP, {kx::vlan::kAsymmetricVlanState}, [this](const kx::GetResult& answer) {
        if (answer.ok() && !answer.values.empty())
            m_asymmetric->setChecked(answer.value(0).isEnabled());
    });
    return plan;
}

void CVlanConfigDlg::Refresh()
{
    m_entries.clear();
    m_list->clearRows();
    kx::ReadPlan plan;
    plan.get(m_cCommonSNMPVoiceVlan, VlanTableLogic::VoiceSurveillanceOids(),
             [this](const kx::GetResult& answer) { VlanTableLogic::ReadVoiceSurveillance(answer, m_voiceSurveillance); });
    plan.add(AsymmetricStateLoad());
    plan.walk(m_cCommonSNMPTable, {kx::vlan::kDot1qVlanPvid}, [this](const kx::WalkResult& result) {
        // Ports the walk did not answer count as PVID 1.
        const std::vector<int> unanswered(static_cast<std::size_t>(std::max(0, m_portCount)), 1);
        m_pvids = PvidModel::PvidsFrom(result.rows, unanswered);
    });
    plan.add(VlanEntriesLoad(m_cCommonSNMPTableVlan, m_entries)).rows([this](const kx::WalkRow& row) {
        VlanEntry entry;
        if (VlanTableLogic::ActiveEntry(row, entry, m_portCount))
            m_list->addRow(VlanTableLogic::ListRow(entry));
    });
    read(plan, m_gated);
}

void CVlanConfigDlg::OnApply()
{
    if (refuse(VlanTableLogic::AsymmetricRefusal(m_voiceSurveillance))) {
        read(AsymmetricStateLoad(), m_gated);
        return;
    }
    if (!prompter().question(VlanTableLogic::AsymmetricQuestion()))
        return;
    write(m_cCommonSNMP, {VlanTableLogic::AsymmetricBinding(m_asymmetric->isChecked())},
          [this](const kx::SetResult& result) {
              // A refused value disappears from the box with the re-read.
              if (result.answered())
                  refreshAfter(50, [this] { Refresh(); });
          });
}

void CVlanConfigDlg::OnAdd()
{
    if (refuse(VlanTableLogic::AddRefusal(m_list->rowCount())))
        return;
    if (RunEditDialog(VlanModel::Mode::Add, 0) == QDialog::Accepted)
        Refresh();
}

void CVlanConfigDlg::OnEdit()
{
    const int row = m_list->selectedRow();
    const Decision d = VlanTableLogic::EditDecision(m_list->rowCount(), row,
                                                    m_list->cellText(row, 0), m_voiceSurveillance);
    if (d.kind == Decision::Refuse) {
        prompter().message(d.text, d.icon);
        return;
    }
    if (d.kind == Decision::Ask && !prompter().question(d.text, d.icon))
        return;
    if (RunEditDialog(VlanModel::Mode::Edit, d.vid) == QDialog::Accepted)
        Refresh();
}

int CVlanConfigDlg::RunEditDialog(VlanModel::Mode mode, int vid)
{
    CVlanEditDlg dialog(mode, vid, m_asymmetric->isChecked() ? 1 : 2, m_entries, this);
    // A write that was undone leaves the dialog open; the list behind it shows
    // what the device holds now.
    connect(&dialog, &CVlanEditDlg::deviceChanged, this, &CVlanConfigDlg::Refresh);
    return dialog.exec();
}

void CVlanConfigDlg::OnDelete()
{
    const int row = m_list->selectedRow();
    const Decision d = VlanTableLogic::DeleteDecision(m_list->rowCount(), row, m_list->cellText(row, 0),
                                                      m_asymmetric->isChecked(), m_pvids, m_voiceSurveillance);
    if (d.kind == Decision::Refuse) {
        prompter().message(d.text, d.icon);
        return;
    }
    if (d.kind == Decision::Stop)
        return;
    if (!prompter().question(d.text, d.icon)) {
        Refresh();
        return;
    }
    write(m_cCommonSNMPTableVlanDelete, {VlanTableLogic::DeleteBinding(d.vid)}, [this](const kx::SetResult& result) {
        if (result.answered())
            Refresh();
    });
}

void CVlanConfigDlg::OnPvid()
{
    {
        CPvidConfigDlg dialog(m_entries, this);
        dialog.exec();
    }
    Refresh();
}
