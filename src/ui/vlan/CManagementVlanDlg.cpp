#include "ui/vlan/CManagementVlanDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using kx::vlan::ManagementVlanLogic;

CManagementVlanDlg::CManagementVlanDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("IEEE 802.1Q Management VLAN Configuration"), parent)
{
    kx::Form form = kx::Form::Stacked(this);
    form.reserve({QStringLiteral("&Refresh"), QStringLiteral("&Apply")});
    form.group(QStringLiteral("Management VLAN"));
    const QList<QRadioButton*> radios = form.radioRow({QStringLiteral("&Enable"), QStringLiteral("&Disable")});
    m_enable = radios[0];
    m_disable = radios[1];
    m_vlans = form.combo(QStringLiteral("VLAN  &ID"));
    m_nameEdit = form.edit(QStringLiteral("VLAN &Name"), kx::FieldOptions::ReadOnly());
    form.endGroup();
    m_refresh = form.action(QStringLiteral("&Refresh"), [this] { Refresh(); });
    m_apply = form.action(QStringLiteral("&Apply"), [this] { OnApply(); });
    form.buttonRow({m_refresh, m_apply});
    resize(380, 220);

    for (QRadioButton* radio : radios)
        connect(radio, &QRadioButton::clicked, this, [this] { m_vlans->setEnabled(m_enable->isChecked()); });
    connect(m_vlans, &QComboBox::activated, this, &CManagementVlanDlg::OnVlanChosen);
    m_enable->setChecked(true);
    Refresh();
}

void CManagementVlanDlg::Refresh()
{
    m_vlans->clear();
    read(m_view.RefreshPlan(m_cCommonSNMPTable, m_cCommonSNMP), {m_refresh, m_apply}, [this] { Show(true); });
}

void CManagementVlanDlg::Show(bool afterWalk)
{
    const QString selected = m_vlans->currentText();
    m_vlans->clear();
    // What a broken walk brought stays, but only active VLANs, and nothing of
    // the state.
    m_vlans->addItems(m_view.ActiveVids());
    if (afterWalk && !m_view.walkReachedEnd) {
        m_vlans->setCurrentIndex(m_vlans->findText(selected, Qt::MatchExactly));
        return;
    }
    const bool enabled = m_view.read.state == QLatin1String("1");
    m_enable->setChecked(enabled);
    m_disable->setChecked(!enabled);
    // An inactive VLAN leaves none selected, not a neighbour.
    m_vlans->setCurrentIndex(m_vlans->findText(m_view.read.vid, Qt::MatchExactly));
    m_vlans->setEnabled(enabled);
    m_nameEdit->setText(m_view.name);
}

void CManagementVlanDlg::OnVlanChosen(int index)
{
    kx::ReadPlan plan;
    plan.get(m_cCommonSNMP, {ManagementVlanLogic::NameOid(m_vlans->itemText(index))},
             [this](const kx::GetResult& answer) {
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
            read(m_view.ShowPlan(m_cCommonSNMP), {m_refresh, m_apply}, [this] { Show(false); });
        });
}
