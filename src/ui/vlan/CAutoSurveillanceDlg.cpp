#include "ui/vlan/CAutoSurveillanceDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

using namespace kx::vlan;

CAutoSurveillanceDlg::CAutoSurveillanceDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Auto Surveillance VLAN Settings"), parent),
      m_model(new AutoSurveillanceModel(DevicePortCount(), this)), m_portCount(std::max(0, DevicePortCount()))
{
    adoptSessions(m_model->Sessions());
    m_model->SetOwner(this);

    kx::Form form = kx::Form::Stacked(this);
    form.reserve({QStringLiteral("&Apply"), QStringLiteral("&Add"), QStringLiteral("&Delete"),
                  QStringLiteral("&Refresh"), QStringLiteral("&Close")});
    m_enable = form.check(QStringLiteral("Enable Auto Surveillance VLAN"));
    m_vlanId = form.edit(QStringLiteral("Vlan ID"), kx::FieldOptions::Digits(4));
    m_priority = form.combo(QStringLiteral("Priority"), PriorityTexts());
    m_ports = form.edit(QStringLiteral("Tagged Uplink/Downlink Port"));
    m_ports->setPlaceholderText(QStringLiteral("ex:(1,2,4-6)"));
    m_ports->setToolTip(QStringLiteral("ex:(1,2,4-6)"));
    m_apply = form.action(QStringLiteral("&Apply"), [this] { OnApply(); });
    form.buttonRow({m_apply});

    m_list = new kx::GridListView(QStringLiteral("Surveillance OUI Table"), this);
    m_list->setColumns({{QStringLiteral("ID"), 50, Qt::AlignCenter},
                        {QStringLiteral("Component Type"), 200, Qt::AlignCenter},
                        {QStringLiteral("Description"), 200, Qt::AlignCenter},
                        {QStringLiteral("MAC Address"), 200, Qt::AlignCenter}});
    form.add(m_list);

    form.group(QStringLiteral("User-defined MAC Settings "));
    m_componentType = form.combo(QStringLiteral("Component Type "), ComponentTypeTexts().mid(0, 5));
    m_mode = form.combo(QStringLiteral("MAC/OUI"), {QStringLiteral("MAC"), QStringLiteral("OUI")});
    m_address = form.edit(QStringLiteral("(XX-XX-XX-XX-XX-XX)"));
    m_address->setMaxLength(kMacTextLength); // the mode changes it
    m_description = form.edit(QStringLiteral("Description"), kx::FieldOptions::Limit(kOuiDescriptionLength));
    m_add = form.action(QStringLiteral("&Add"), [this] { OnAdd(); });
    m_delete = form.action(QStringLiteral("&Delete"), [this] { OnDelete(); });
    form.buttonRow({m_add, m_delete});
    form.endGroup();
    form.add(new QLabel(QStringLiteral("Note:Maximum user defined OUI:5"), this));
    m_refresh = form.action(QStringLiteral("&Refresh"), [this] { Refresh(); });
    QPushButton* close = form.action(QStringLiteral("&Close"), [this] { reject(); });
    form.buttonRow({m_refresh, close});
    resize(720, 620);

    m_priority->setCurrentIndex(kDefaultPriority);
    connect(m_enable, &QCheckBox::toggled, this, [this](bool on) { FollowState(on, false); });
    connect(m_mode, &QComboBox::activated, this, &CAutoSurveillanceDlg::OnModeChosen);
    connect(m_model, &AutoSurveillanceModel::globalRead, this, &CAutoSurveillanceDlg::OnGlobalRead);
    connect(m_model, &AutoSurveillanceModel::ouiRow, this, [this](const QStringList& texts, const QString& instance) {
        m_instances.push_back(instance);
        m_list->addRow(QStringList{QString::number(m_list->rowCount() + 1)} + texts);
    });
    FollowState(false, true);
    Refresh();
}

void CAutoSurveillanceDlg::Refresh()
{
    m_list->clearRows();
    m_instances.clear();
    // Apply and Add judge what every load brings: they wait for all of them.
    read(m_model->Refresh(), {m_apply, m_add, m_delete, m_refresh},
         [this] { FollowState(m_model->LastRead().state == QLatin1String("1"), true); });
}

void CAutoSurveillanceDlg::OnGlobalRead(const kx::GetResult& answer)
{
    if (!answer.ok() || answer.values.size() < 4)
        return;
    m_enable->setChecked(answer.value(0).text() == QLatin1String("1"));
    m_vlanId->setText(answer.value(1).text());
    const int priority = answer.value(2).toInt();
    if (priority >= 0 && priority < m_priority->count())
        m_priority->setCurrentIndex(priority);
    QString ports;
    PortListToRangeText(answer.value(3).octets, ports, m_portCount);
    m_ports->setText(ports);
}

void CAutoSurveillanceDlg::FollowState(bool enabled, bool withDelete)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_priority, m_vlanId, m_ports, m_componentType, m_mode,
                                                      m_address, m_description, m_add})
        w->setEnabled(enabled);
    if (withDelete)
        m_delete->setEnabled(enabled);
}

void CAutoSurveillanceDlg::OnModeChosen()
{
    m_address->clear();
    m_address->setMaxLength(m_mode->currentIndex() == 1 ? kOuiTextLength : kMacTextLength);
}

void CAutoSurveillanceDlg::OnApply()
{
    SurveillanceInput input;
    input.enabled = m_enable->isChecked();
    input.vlanIdText = m_vlanId->text();
    input.priority = m_priority->currentIndex();
    input.portText = m_ports->text();
    const SurveillanceApply apply = DecideSurveillanceApply(
        input, m_model->LastRead(), GetDeviceInfo().DeviceName, m_portCount,
        [this](const kx::PortFlags& ports) { return m_model->MembersAgree(ports) != 0; });
    QWidget* field = apply.field == SurveillanceApply::VlanId  ? static_cast<QWidget*>(m_vlanId)
                     : apply.field == SurveillanceApply::Ports ? m_ports
                                                               : nullptr;
    if (refuse(apply.refusal, field)) {
        if (apply.refresh)
            Refresh();
        return;
    }
    if (!apply.question.isEmpty() && !prompter().question(apply.question)) {
        Refresh();
        return;
    }
    if (!apply.notice.isEmpty())
        prompter().message(apply.notice, kx::PromptIcon::Information);
    writeSequence<kx::SetResult>(m_model->Send(apply.bindings), [this](const kx::SetResult& r) {
        if (r.ok())
            refreshAfter(kSettleMs, [this] { Refresh(); });
    });
}

void CAutoSurveillanceDlg::OnAdd()
{
    QStringList listed;
    for (int row = 0; row < m_list->rowCount(); ++row)
        listed << m_list->cellText(row, 3);
    OuiAdd add = DecideOuiAdd(m_componentType->currentIndex(), m_mode->currentIndex() == 1, m_address->text(),
                              m_description->text(), m_model->VoiceOuis(), listed);
    if (refuse(add.refusal, add.refusal == QLatin1String("Invalid Description.") ? m_description : m_address))
        return;
    writeSequence<kx::SetResult>(m_model->SendNewOui(std::move(add)), [this](const kx::SetResult& r) {
        m_address->clear();
        m_description->clear();
        if (r.ok())
            refreshAfter(kSettleMs, [this] { Refresh(); });
    });
}

void CAutoSurveillanceDlg::OnDelete()
{
    const int row = m_list->selectedRow();
    const bool listed = row >= 0 && row < static_cast<int>(m_instances.size());
    kx::SetBinding binding;
    if (refuse(DecideOuiDelete(listed ? m_list->cellText(row, 3) : QString(),
                               listed ? m_instances[static_cast<std::size_t>(row)] : QString(), binding)))
        return;
    writeSequence<kx::SetResult>(m_model->SendDelete(std::move(binding)), [this](const kx::SetResult& r) {
        if (r.ok())
            refreshAfter(kSettleMs, [this] { Refresh(); });
    });
}
