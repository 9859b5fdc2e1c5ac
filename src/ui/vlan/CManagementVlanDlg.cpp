#include "ui/vlan/CManagementVlanDlg.h"

#include "ui/kit/Accessibility.h"
#include "core/kit/ValueCodecs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using kx::vlan::ManagementVlanLogic;

namespace {

// Each entry of the VLAN list keeps what the walk read of its row, so that neither
// dropping inactive VLANs nor showing a name needs another request.
constexpr int kRowStateRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1; // absent when the device gave no name

} // namespace

CManagementVlanDlg::CManagementVlanDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("IEEE 802.1Q Management VLAN Configuration"), parent)
{
    auto* group = new QGroupBox(QStringLiteral("Management VLAN"), this);
    m_enable = new QRadioButton(QStringLiteral("&Enable"), group);
    m_disable = new QRadioButton(QStringLiteral("&Disable"), group);
    kx::NameControl(m_enable, QStringLiteral("Enable"));
    kx::NameControl(m_disable, QStringLiteral("Disable"));
    auto* radios = new QHBoxLayout;
    radios->addWidget(m_enable);
    radios->addWidget(m_disable);
    radios->addStretch();

    m_vlans = new QComboBox(group);
    m_vlans->setMinimumWidth(120);
    m_nameEdit = new QLineEdit(group);
    m_nameEdit->setReadOnly(true);
    auto* form = new QGridLayout;
    form->addWidget(kx::MakeBuddyLabel(QStringLiteral("VLAN  &ID"), m_vlans, group), 0, 0);
    form->addWidget(m_vlans, 0, 1);
    form->addWidget(kx::MakeBuddyLabel(QStringLiteral("VLAN &Name"), m_nameEdit, group), 1, 0);
    form->addWidget(m_nameEdit, 1, 1);
    form->setColumnStretch(1, 1);

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(radios);
    groupLayout->addLayout(form);

    m_refresh = new QPushButton(QStringLiteral("&Refresh"), this);
    m_apply = new QPushButton(QStringLiteral("&Apply"), this);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    for (QPushButton* b : {m_refresh, m_apply, close}) {
        kx::NameControl(b, b->text());
        b->setAutoDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_refresh);
    buttons->addWidget(m_apply);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(380, 220);

    auto followRadio = [this] { m_vlans->setEnabled(m_enable->isChecked()); };
    connect(m_enable, &QRadioButton::clicked, this, followRadio);
    connect(m_disable, &QRadioButton::clicked, this, followRadio);
    connect(m_vlans, &QComboBox::activated, this, &CManagementVlanDlg::OnVlanChosen);
    connect(m_refresh, &QPushButton::clicked, this, &CManagementVlanDlg::Refresh);
    connect(m_apply, &QPushButton::clicked, this, &CManagementVlanDlg::OnApply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_walker, &kx::TableWalker::rowArrived, this, &CManagementVlanDlg::OnVlanRow);
    connect(&m_walker, &kx::TableWalker::finished, this, &CManagementVlanDlg::OnWalkEnd);

    m_enable->setChecked(true);
    // Apply reads the VLAN list: it waits for the walk that fills it.
    firstRead()->track(&m_walker);
    Refresh();
}

void CManagementVlanDlg::Refresh()
{
    m_vlans->clear();
    startWalk(&m_walker, ManagementVlanLogic::WalkColumns(), {m_refresh, m_apply});
}

void CManagementVlanDlg::OnVlanRow(const kx::WalkRow& row)
{
    m_vlans->addItem(row.index, row.value(1).text());
    if (!row.value(0).isException()) {
        QString name;
        Utf8ToText(row.value(0).octets, name);
        m_vlans->setItemData(m_vlans->count() - 1, name, kNameRole);
    }
}

void CManagementVlanDlg::OnWalkEnd(const kx::WalkResult& result)
{
    if (result.reachedEnd())
        Show();
    else
        RemoveInactive(); // what a broken walk brought stays, but only active VLANs
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

void CManagementVlanDlg::Show()
{
    ManagementVlanLogic::ReadState(kx::GetValues(m_cCommonSNMP, ManagementVlanLogic::StateOids()), m_read);
    if (ManagementVlanLogic::IsDefaultName(m_read.vid)) {
        m_name = ManagementVlanLogic::DefaultName();
    } else if (!m_read.vid.isEmpty()) {
        // Looked up before RemoveInactive: an inactive management VLAN still shows its name.
        const QVariant name = m_vlans->itemData(m_vlans->findText(m_read.vid, Qt::MatchExactly), kNameRole);
        if (name.isValid())
            m_name = name.toString();
    }
    const bool enabled = m_read.state == QLatin1String("1");
    m_enable->setChecked(enabled);
    m_disable->setChecked(!enabled);
    m_vlans->setCurrentIndex(m_vlans->findText(m_read.vid, Qt::MatchExactly));
    RemoveInactive();
    m_vlans->setEnabled(enabled);
    m_nameEdit->setText(m_name);
}

void CManagementVlanDlg::OnVlanChosen(int index)
{
    const QVariant name = m_vlans->itemData(index, kNameRole);
    if (name.isValid())
        m_nameEdit->setText(name.toString());
}

void CManagementVlanDlg::OnApply()
{
    kx::vlan::ManagementVlan chosen;
    chosen.state = m_enable->isChecked() ? QStringLiteral("1") : QStringLiteral("2");
    chosen.vid = m_vlans->currentText();
    if (!chosen.vid.isEmpty() && chosen.vid != QLatin1String("1")) {
        const kx::GetResult egress = kx::GetValues(m_cCommonSNMP, {ManagementVlanLogic::EgressOid(chosen.vid)});
        if (ManagementVlanLogic::IsEmptyVlan(egress)) {
            prompter().message(ManagementVlanLogic::EmptyVlanMessage());
            Refresh();
            return;
        }
    }
    kx::SetValues(m_cCommonSNMPSet, ManagementVlanLogic::ApplyBindings(chosen));
    Show();
}
