#include "ui/vlan/CVlanConfigDlg.h"

#include "base/DeviceInfo.h"
#include "common/SessionSettings.h"
#include "ui/kit/Accessibility.h"
#include "ui/kit/GridListView.h"
#include "ui/vlan/CPvidConfigDlg.h"
#include "ui/vlan/CVlanEditDlg.h"
#include "core/vlan/PvidModel.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using kx::vlan::Decision;
using kx::vlan::VlanTableLogic;

CVlanConfigDlg::CVlanConfigDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("802.1Q VLAN Configuration"), parent),
      m_loads(new kx::LoadSet(this)),
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

    auto button = [this](const QString& text) {
        auto* b = new QPushButton(text, this);
        kx::NameControl(b, text);
        b->setAutoDefault(false);
        return b;
    };
    m_asymmetric = new QCheckBox(QStringLiteral("Enable A&symmetric VLAN"), this);
    kx::NameControl(m_asymmetric, QStringLiteral("Enable Asymmetric VLAN"));
    m_apply = button(QStringLiteral("&Apply"));
    m_add = button(QStringLiteral("&Add"));
    m_edit = button(QStringLiteral("&Edit"));
    m_delete = button(QStringLiteral("&Delete"));
    m_refresh = button(QStringLiteral("&Refresh"));
    m_pvid = button(QStringLiteral("&PVID"));
    m_close = button(QStringLiteral("&Close"));

    auto* asymmetricRow = new QHBoxLayout;
    asymmetricRow->addWidget(m_asymmetric);
    asymmetricRow->addWidget(m_apply);
    asymmetricRow->addStretch();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_add, m_edit, m_delete, m_refresh, m_pvid})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(asymmetricRow);
    layout->addLayout(buttons);
    resize(790, 420);

    connect(m_apply, &QPushButton::clicked, this, &CVlanConfigDlg::OnApply);
    connect(m_add, &QPushButton::clicked, this, &CVlanConfigDlg::OnAdd);
    connect(m_edit, &QPushButton::clicked, this, &CVlanConfigDlg::OnEdit);
    connect(m_delete, &QPushButton::clicked, this, &CVlanConfigDlg::OnDelete);
    connect(m_refresh, &QPushButton::clicked, this, &CVlanConfigDlg::Refresh);
    connect(m_pvid, &QPushButton::clicked, this, &CVlanConfigDlg::OnPvid);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    // A double click is "&Edit", and only when "&Edit" could be pressed: not while
    // the walk that builds the VLANs it hands over still runs.
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_edit->isEnabled())
            OnEdit();
    });
    connect(&m_voiceVlanGet, &kx::AsyncGet::finished, this, &CVlanConfigDlg::OnVoiceSurveillance);
    connect(&m_pvidWalk, &kx::TableWalker::finished, this, &CVlanConfigDlg::OnPvidWalkEnd);
    connect(&m_vlanWalk, &kx::TableWalker::rowArrived, this, &CVlanConfigDlg::OnVlanRow);
    connect(&m_vlanWalk, &kx::TableWalker::finished, this, &CVlanConfigDlg::OnVlanWalkEnd);

    QList<QWidget*> gated{m_apply, m_refresh, m_close};
    if (m_writeEnabled)
        gated << m_add << m_edit << m_delete << m_pvid;
    else
        for (QPushButton* b : {m_add, m_edit, m_delete, m_pvid})
            b->setEnabled(false);
    gateOnLoads(m_loads, gated);
    Refresh();
}

void CVlanConfigDlg::Refresh()
{
    for (kx::LoadSet* loads : {m_loads, m_firstRefresh ? firstRead() : nullptr}) {
        if (!loads)
            continue;
        loads->track(&m_voiceVlanGet);
        loads->track(&m_pvidWalk);
        loads->track(&m_vlanWalk);
    }
    m_firstRefresh = false;

    m_voiceVlanGet.start(VlanTableLogic::VoiceSurveillanceOids());
    m_entries.clear();
    ReadAsymmetricState();
    m_pvidWalk.start({kx::vlan::kDot1qVlanPvid});
    m_list->clearRows();
    m_vlanWalk.start(VlanTableLogic::VlanColumns());
}

void CVlanConfigDlg::ReadAsymmetricState()
{
    const kx::GetResult answer = kx::GetValues(m_cCommonSNMP, {kx::vlan::kAsymmetricVlanState});
    if (answer.ok() && !answer.values.empty())
        m_asymmetric->setChecked(answer.value(0).isEnabled());
}

void CVlanConfigDlg::OnVoiceSurveillance(const kx::GetResult& result)
{
    VlanTableLogic::ReadVoiceSurveillance(result, m_voiceSurveillance);
}

void CVlanConfigDlg::OnPvidWalkEnd(const kx::WalkResult& result)
{
    // Ports the walk did not answer count as PVID 1.
    const std::vector<int> unanswered(static_cast<std::size_t>(std::max(0, m_portCount)), 1);
    m_pvids = PvidModel::PvidsFrom(result.rows, unanswered);
}

void CVlanConfigDlg::OnVlanRow(const kx::WalkRow& row)
{
    VlanEntry entry;
    if (VlanTableLogic::ActiveEntry(row, entry))
        m_list->addRow(VlanTableLogic::ListRow(entry));
}

void CVlanConfigDlg::OnVlanWalkEnd(const kx::WalkResult& result)
{
    // Built here, on the UI thread, from the rows the walk delivered: the dialogs
    // this one opens get a list that nothing changes under them.
    m_entries = VlanTableLogic::ActiveEntries(result.rows);
}

void CVlanConfigDlg::OnApply()
{
    const QString refusal = VlanTableLogic::AsymmetricRefusal(m_voiceSurveillance);
    if (!refusal.isEmpty()) {
        prompter().message(refusal);
        ReadAsymmetricState();
        return;
    }
    if (!prompter().question(VlanTableLogic::AsymmetricQuestion()))
        return;
    if (kx::SetValues(m_cCommonSNMP, {VlanTableLogic::AsymmetricBinding(m_asymmetric->isChecked())}).ok())
        refreshAfter(50, [this] { Refresh(); });
}

void CVlanConfigDlg::OnAdd()
{
    const QString refusal = VlanTableLogic::AddRefusal(m_list->rowCount());
    if (!refusal.isEmpty()) {
        prompter().message(refusal);
        return;
    }
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
    const QString vidText = m_list->cellText(row, 0);
    const Decision d = VlanTableLogic::DeleteDecision(m_list->rowCount(), row, vidText,
                                                      m_asymmetric->isChecked(), m_pvids,
                                                      m_voiceSurveillance);
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
    if (kx::SetValues(m_cCommonSNMPTableVlanDelete, {VlanTableLogic::DeleteBinding(d.vid)}).ok())
        Refresh();
}

void CVlanConfigDlg::OnPvid()
{
    {
        CPvidConfigDlg dialog(m_entries, this);
        dialog.exec();
    }
    Refresh();
}

VlanEntries CVlanConfigDlg::ReadEntriesNow()
{
    kx::TableWalker walker(std::make_shared<CCommonSNMP>());
    VlanEntries entries;
    QEventLoop loop;
    QObject::connect(&walker, &kx::TableWalker::finished, &loop, [&](const kx::WalkResult& result) {
        entries = VlanTableLogic::ActiveEntries(result.rows);
        loop.quit();
    });
    walker.start(VlanTableLogic::VlanColumns());
    loop.exec(); // every walk ends with one finished(), failed ones included
    return entries;
}

int CVlanConfigDlg::ReadAsymmetricModeNow()
{
    CCommonSNMP session;
    const kx::GetResult answer = kx::GetValues(session, {kx::vlan::kAsymmetricVlanState});
    return answer.ok() && !answer.values.empty() && answer.value(0).isEnabled() ? 1 : 2;
}
