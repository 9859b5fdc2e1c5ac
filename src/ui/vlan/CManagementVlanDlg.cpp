#include "ui/vlan/CManagementVlanDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using kx::vlan::ManagementVlanLogic;

namespace {

// Each entry of the VLAN list keeps the row status its walk read, so that
// dropping inactive VLANs needs no other request.
constexpr int kRowStateRole = Qt::UserRole;

} // namespace

CManagementVlanDlg::CManagementVlanDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("IEEE 802.1Q Management VLAN Configuration"), parent)
{
    auto* group = new QGroupBox(QStringLiteral("Management VLAN"), this);
    auto* grid = new QGridLayout;
    kx::Form form(group, grid);
    form.reserve({QStringLiteral("&Refresh"), QStringLiteral("&Apply")});
    m_enable = new QRadioButton(QStringLiteral("&Enable"), group);
    m_disable = new QRadioButton(QStringLiteral("&Disable"), group);
    kx::NameControl(m_enable, QStringLiteral("Enable"));
    kx::NameControl(m_disable, QStringLiteral("Disable"));
    m_vlans = form.combo(QStringLiteral("VLAN  &ID"));
    m_vlans->setMinimumWidth(120);
    m_nameEdit = form.edit(QStringLiteral("VLAN &Name"), kx::FieldOptions::ReadOnly());
    grid->setColumnStretch(1, 1);

    auto* groupLayout = new QVBoxLayout(group);
    auto* radios = new QHBoxLayout;
    radios->addWidget(m_enable);
    radios->addWidget(m_disable);
    radios->addStretch();
    groupLayout->addLayout(radios);
    groupLayout->addLayout(grid);

    kx::Form buttons(this);
    m_refresh = buttons.button(QStringLiteral("&Refresh"));
    m_apply = buttons.button(QStringLiteral("&Apply"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(kx::Form::ButtonRow({m_refresh, m_apply}));
    resize(380, 220);

    auto followRadio = [this] { m_vlans->setEnabled(m_enable->isChecked()); };
    connect(m_enable, &QRadioButton::clicked, this, followRadio);
    connect(m_disable, &QRadioButton::clicked, this, followRadio);
    connect(m_vlans, &QComboBox::activated, this, &CManagementVlanDlg::OnVlanChosen);
    connect(m_refresh, &QPushButton::clicked, this, &CManagementVlanDlg::Refresh);
    connect(m_apply, &QPushButton::clicked, this, &CManagementVlanDlg::OnApply);

    m_enable->setChecked(true);
    Refresh();
}

void CManagementVlanDlg::Refresh()
{
    m_vlans->clear();
    m_walkReachedEnd = false;
    kx::ReadPlan plan;
    plan.walk(m_cCommonSNMPTable, ManagementVlanLogic::WalkColumns(),
              [this](const kx::WalkResult& result) { m_walkReachedEnd = result.reachedEnd(); })
        .rows([this](const kx::WalkRow& row) {
            m_vlans->addItem(row.index);
            m_vlans->setItemData(m_vlans->count() - 1, row.value(1).text(), kRowStateRole);
        });
    plan.add(ShowPlan(true));
    read(plan, {m_refresh, m_apply}, [this] {
        if (m_walkReachedEnd)
            Show();
        else
            RemoveInactive(); // what a broken walk brought stays, but only active VLANs
    });
}

kx::ReadPlan CManagementVlanDlg::ShowPlan(bool afterWalk)
{
    kx::ReadPlan plan;
    plan.get(m_cCommonSNMP, ManagementVlanLogic::StateOids(),
             [this](const kx::GetResult& answer) { ManagementVlanLogic::ReadState(answer, m_read); })
        .afterPrevious()
        .objectsAtStart([this, afterWalk] {
            return !afterWalk || m_walkReachedEnd ? ManagementVlanLogic::StateOids() : QStringList();
        });
    plan.get(m_cCommonSNMP, {}, [this](const kx::GetResult& answer) { ManagementVlanLogic::ReadName(answer, m_name); })
        .afterPrevious()
        .objectsAtStart([this, afterWalk] {
            if ((afterWalk && !m_walkReachedEnd) || m_read.vid.isEmpty())
                return QStringList();
            if (ManagementVlanLogic::IsDefaultName(m_read.vid)) {
                m_name = ManagementVlanLogic::DefaultName();
                return QStringList();
            }
            return QStringList{ManagementVlanLogic::NameOid(m_read.vid)};
        });
    return plan;
}

void CManagementVlanDlg::Show()
{
    const bool enabled = m_read.state == QLatin1String("1");
    m_enable->setChecked(enabled);
    m_disable->setChecked(!enabled);
    m_vlans->setCurrentIndex(m_vlans->findText(m_read.vid, Qt::MatchExactly));
    RemoveInactive();
    m_vlans->setEnabled(enabled);
    m_nameEdit->setText(m_name);
}

void CManagementVlanDlg::RemoveInactive()
{
    const QString selected = m_vlans->currentText();
    for (int i = m_vlans->count() - 1; i >= 0; --i)
        if (m_vlans->itemData(i, kRowStateRole).toString() != QLatin1String("1"))
            m_vlans->removeItem(i);
    // Removing the selected entry leaves none selected, not a neighbour.
    m_vlans->setCurrentIndex(m_vlans->findText(selected, Qt::MatchExactly));
}

void CManagementVlanDlg::OnVlanChosen(int index)
{
    const QString vid = m_vlans->itemText(index);
    kx::ReadPlan plan;
    plan.get(m_cCommonSNMP, {ManagementVlanLogic::NameOid(vid)}, [this](const kx::GetResult& answer) {
        QString name;
        if (ManagementVlanLogic::ReadName(answer, name))
            m_nameEdit->setText(name);
    });
    read(plan, {m_refresh, m_apply});
}

void CManagementVlanDlg::OnApply()
{
    kx::vlan::ManagementVlan chosen;
    chosen.state = m_enable->isChecked() ? QStringLiteral("1") : QStringLiteral("2");
    chosen.vid = m_vlans->currentText();
    using Outcome = ManagementVlanLogic::ApplyOutcome;
    writeSequence<Outcome>(
        [get = m_cCommonSNMP, set = m_cCommonSNMPSet, chosen, ports = DevicePortCount()] {
            return ManagementVlanLogic::Apply(*get, *set, chosen, ports);
        },
        [this](const Outcome& outcome) {
            if (outcome.emptyVlan) {
                prompter().message(ManagementVlanLogic::EmptyVlanMessage());
                Refresh();
                return;
            }
            read(ShowPlan(false), {m_refresh, m_apply}, [this] { Show(); });
        });
}
