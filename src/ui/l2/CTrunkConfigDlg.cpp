#include "ui/l2/CTrunkConfigDlg.h"

#include "ui/kit/Accessibility.h"
#include "ui/kit/GridListView.h"
#include "ui/l2/CTrunkMemberDlg.h"
#include "core/kit/SnmpRequests.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::l2;

CTrunkConfigDlg::CTrunkConfigDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Trunk Configuration"), parent), m_portCount(DevicePortCount())
{
    // The buttons' own letters first, so that the labels get other ones.
    kx::MnemonicSet mnemonics;
    for (const QString& taken : {QStringLiteral("&Refresh"), QStringLiteral("&Apply"),
                                 QStringLiteral("&PortMember"), QStringLiteral("&Close")})
        mnemonics.assign(taken);

    m_enableTrunk = new QCheckBox(mnemonics.assign(QStringLiteral("Enable Trunk")), this);
    kx::NameControl(m_enableTrunk, m_enableTrunk->text());
    m_applyTrunkState = new QPushButton(QStringLiteral("&Apply"), this);
    // Two buttons read "Apply": their names say which is which.
    kx::NameControl(m_applyTrunkState, QStringLiteral("Apply Enable Trunk"));
    auto* stateRow = new QHBoxLayout;
    stateRow->addWidget(m_enableTrunk);
    stateRow->addWidget(m_applyTrunkState);
    stateRow->addStretch();

    m_list = new kx::GridListView(QStringLiteral("Trunk Table"), this);
    m_list->setColumns({{QStringLiteral("TrunkID    "), 80},
                        {QStringLiteral("PortChannelMode    "), 140},
                        {QStringLiteral("PortMember                            "), 240}});

    m_trunkId = new QLineEdit(this);
    m_mode = new QComboBox(this);
    m_mode->addItems(kChannelModeTexts);
    // Nothing chosen until a row is clicked or the user picks a mode.
    m_mode->setCurrentIndex(-1);
    m_apply = new QPushButton(QStringLiteral("&Apply"), this);
    kx::NameControl(m_apply, m_apply->text());
    m_portMember = new QPushButton(QStringLiteral("&PortMember"), this);
    kx::NameControl(m_portMember, m_portMember->text());
    auto* form = new QGridLayout;
    form->addWidget(kx::MakeBuddyLabel(QStringLiteral("Trunk ID:"), m_trunkId, this, &mnemonics), 0, 0);
    form->addWidget(m_trunkId, 0, 1);
    form->addWidget(kx::MakeBuddyLabel(QStringLiteral("PortChannelMode:"), m_mode, this, &mnemonics), 1, 0);
    form->addWidget(m_mode, 1, 1);
    form->addWidget(m_apply, 1, 2);
    form->addWidget(m_portMember, 2, 1);
    form->setColumnStretch(3, 1);

    m_refresh = new QPushButton(QStringLiteral("&Refresh"), this);
    kx::NameControl(m_refresh, m_refresh->text());
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    kx::NameControl(close, close->text());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_refresh);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(stateRow);
    layout->addWidget(m_list);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(520, 380);

    // A click, or Enter on the current row for those who use the keyboard.
    connect(m_list, &QTreeWidget::itemClicked, this, &CTrunkConfigDlg::OnRowClicked);
    connect(m_list, &QTreeWidget::itemActivated, this, &CTrunkConfigDlg::OnRowClicked);
    connect(m_apply, &QPushButton::clicked, this, &CTrunkConfigDlg::OnApplyChannelMode);
    connect(m_portMember, &QPushButton::clicked, this, &CTrunkConfigDlg::OnPortMember);
    connect(m_applyTrunkState, &QPushButton::clicked, this, &CTrunkConfigDlg::OnApplyTrunkState);
    connect(m_refresh, &QPushButton::clicked, this, &CTrunkConfigDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_groupWalker, &kx::TableWalker::rowArrived, this, &CTrunkConfigDlg::OnGroupRow);
    connect(&m_groupWalker, &kx::TableWalker::finished, this, &CTrunkConfigDlg::UpdatePortMemberButton);

    m_portMember->setEnabled(false);
    firstRead()->track(&m_groupWalker);
    Refresh();
}

void CTrunkConfigDlg::Refresh()
{
    // A failed read keeps the box as it is; the next refresh shows the device.
    if (const std::optional<bool> enabled = ReadTrunkState(kx::GetValues(m_cCommonSNMP, {kLinkAggregationState}))) {
        m_trunkEnabled = *enabled;
        m_enableTrunk->setChecked(*enabled);
    }
    m_groups.clear();
    m_list->clearRows();
    startWalk(&m_groupWalker, TrunkGroupColumns(), {m_refresh, m_apply});
    UpdatePortMemberButton();
}

void CTrunkConfigDlg::OnGroupRow(const kx::WalkRow& row)
{
    m_groups.push_back(DecodeTrunkGroupRow(row, m_portCount));
    m_list->addRow(m_groups.back().listTexts());
}

void CTrunkConfigDlg::UpdatePortMemberButton()
{
    m_portMember->setEnabled(m_trunkEnabled && !m_groupWalker.isRunning());
}

void CTrunkConfigDlg::OnRowClicked(QTreeWidgetItem* item)
{
    const int row = m_list->indexOfTopLevelItem(item);
    if (row < 0 || row >= static_cast<int>(m_groups.size()))
        return;
    const TrunkGroupRow& group = m_groups[static_cast<std::size_t>(row)];
    m_trunkId->setText(QString::number(group.group));
    m_mode->setCurrentIndex(static_cast<int>(kChannelModeTexts.indexOf(group.modeText)));
}

void CTrunkConfigDlg::OnApplyChannelMode()
{
    const ChannelModeDecision decision = DecideChannelMode(m_trunkId->text(), m_mode->currentIndex(), m_groups);
    switch (decision.action) {
    case ChannelModeDecision::Action::Nothing:
        return;
    case ChannelModeDecision::Action::RefuseGroup:
        prompter().message(decision.message);
        m_trunkId->setFocus();
        m_trunkId->selectAll();
        return;
    case ChannelModeDecision::Action::Refuse:
        prompter().message(decision.message);
        return;
    case ChannelModeDecision::Action::Write:
        if (kx::SetValues(m_cCommonSNMP, {decision.binding}).ok())
            refreshAfter(50, [this] { Refresh(); });
        return;
    }
}

void CTrunkConfigDlg::OnPortMember()
{
    const PortMemberRequest request = RequestPortMembers(m_trunkId->text(), m_mode->currentText(), m_groups);
    if (!request.refusal.isEmpty()) {
        prompter().message(request.refusal);
        return;
    }
    CTrunkMemberDlg members(request.groupText, request.modeText, request.currentMembers, this);
    if (members.exec() == QDialog::Accepted)
        Refresh();
}

void CTrunkConfigDlg::OnApplyTrunkState()
{
    if (kx::SetValues(m_cCommonSNMP, {TrunkStateBinding(m_enableTrunk->isChecked())}).ok())
        refreshAfter(10, [this] { Refresh(); });
}
