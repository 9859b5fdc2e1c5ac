#include "ui/l2/CTrunkConfigDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Accessibility.h"
#include "ui/kit/Form.h"
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
    auto* form = new QGridLayout;
    kx::Form fields(this, form);
    fields.reserve({QStringLiteral("&Refresh"), QStringLiteral("&Apply"), QStringLiteral("&PortMember"),
                    QStringLiteral("&Close")});

    m_enableTrunk = new QCheckBox(fields.mnemonics().assign(QStringLiteral("Enable Trunk")), this);
    kx::NameControl(m_enableTrunk, m_enableTrunk->text());
    // Two buttons read "Apply": their names say which is which.
    m_applyTrunkState = fields.button(QStringLiteral("&Apply"), QStringLiteral("Apply Enable Trunk"));
    auto* stateRow = new QHBoxLayout;
    stateRow->addWidget(m_enableTrunk);
    stateRow->addWidget(m_applyTrunkState);
    stateRow->addStretch();

    m_list = new kx::GridListView(QStringLiteral("Trunk Table"), this);
    m_list->setColumns({{QStringLiteral("TrunkID    "), 80},
                        {QStringLiteral("PortChannelMode    "), 140},
                        {QStringLiteral("PortMember                            "), 240}});

    m_trunkId = fields.edit(QStringLiteral("Trunk ID:"));
    m_mode = fields.combo(QStringLiteral("PortChannelMode:"), kChannelModeTexts);
    // Nothing chosen until a row is clicked or the user picks a mode.
    m_mode->setCurrentIndex(-1);
    m_apply = fields.button(QStringLiteral("&Apply"));
    m_portMember = fields.button(QStringLiteral("&PortMember"));
    form->addWidget(m_apply, 1, 2);
    form->addWidget(m_portMember, 2, 1);
    form->setColumnStretch(3, 1);

    m_refresh = fields.button(QStringLiteral("&Refresh"));
    QPushButton* close = fields.button(QStringLiteral("&Close"));
    QHBoxLayout* buttons = kx::Form::ButtonRow({m_refresh, close});

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

    m_portMember->setEnabled(false);
    Refresh();
}

void CTrunkConfigDlg::Refresh()
{
    m_groups.clear();
    m_list->clearRows();
    m_listComplete = false;
    UpdatePortMemberButton();
    kx::ReadPlan plan;
    // A failed read keeps the box as it is; the next refresh shows the device.
    plan.get(m_cCommonSNMP, {kLinkAggregationState}, [this](const kx::GetResult& answer) {
        if (const std::optional<bool> enabled = ReadTrunkState(answer)) {
            m_trunkEnabled = *enabled;
            m_enableTrunk->setChecked(*enabled);
        }
        UpdatePortMemberButton();
    });
    plan.walk(m_cCommonSNMPTable, TrunkGroupColumns()).rows([this](const kx::WalkRow& row) {
        m_groups.push_back(DecodeTrunkGroupRow(row, m_portCount));
        m_list->addRow(m_groups.back().listTexts());
    });
    read(plan, {m_refresh, m_apply}, [this] {
        m_listComplete = true;
        UpdatePortMemberButton();
    });
}

void CTrunkConfigDlg::UpdatePortMemberButton()
{
    m_portMember->setEnabled(m_trunkEnabled && m_listComplete);
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
        refuse(decision.message, m_trunkId);
        return;
    case ChannelModeDecision::Action::Refuse:
        refuse(decision.message);
        return;
    case ChannelModeDecision::Action::Write:
        // A mode the device refused disappears from the list with the re-read.
        write(m_cCommonSNMP, {decision.binding}, [this](const kx::SetResult& result) {
            if (result.answered())
                refreshAfter(50, [this] { Refresh(); });
        });
        return;
    }
}

void CTrunkConfigDlg::OnPortMember()
{
    const PortMemberRequest request = RequestPortMembers(m_trunkId->text(), m_mode->currentText(), m_groups);
    if (refuse(request.refusal))
        return;
    CTrunkMemberDlg members(request.groupText, request.modeText, request.currentMembers, this);
    if (members.exec() == QDialog::Accepted)
        Refresh();
}

void CTrunkConfigDlg::OnApplyTrunkState()
{
    write(m_cCommonSNMP, {TrunkStateBinding(m_enableTrunk->isChecked())}, [this](const kx::SetResult& result) {
        if (result.answered())
            refreshAfter(10, [this] { Refresh(); });
    });
}
