#include "ui/system/CPowerSavingDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace kx::powersaving;

CPowerSavingDlg::CPowerSavingDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Power Saving Settings "), parent), m_model(GetDeviceInfo().DeviceName),
      m_feature(new CPowerSaving(DevicePortCount(), m_model, this))
{
    adoptSessions(m_feature->Sessions());
    m_feature->SetOwner(this);

    kx::Form form = kx::Form::Stacked(this);
    form.reserve({QStringLiteral("&Refresh"), QStringLiteral("&Close")});
    m_global = form.group(QStringLiteral("Global Settings"));
    m_cableLength = form.check(QStringLiteral("Enable Cable Length Detection"));
    m_linkStatus = form.check(QStringLiteral("Enable Link Status Detection"));
    m_globalApply = form.button(QStringLiteral("Apply"), QStringLiteral("Global Settings Apply"));
    form.add(kx::Form::ButtonRow({m_globalApply}));
    form.endGroup();
    // The advanced group takes the place of the global one where that is hidden.
    m_global->setVisible(HasGlobalSettings(m_model));

    form.group(QStringLiteral("Advanced Power Saving Settings"));
    m_type = form.combo(QStringLiteral("Type"), TypeTexts(m_model));
    m_state = form.combo(QStringLiteral("State"), {QStringLiteral("Enabled"), QStringLiteral("Disabled")});
    m_profile1 = form.combo(QStringLiteral("Time Profile1"));
    m_profile2 = form.combo(QStringLiteral("Time Profile2"));
    m_port = form.edit(QStringLiteral("Port"));
    form.add(new QLabel(QStringLiteral("(e.g.:1-4,6)"), this));
    m_apply = form.button(QStringLiteral("Apply"), QStringLiteral("Advanced Power Saving Settings Apply"));
    form.add(kx::Form::ButtonRow({m_apply}));
    form.endGroup();

    m_list = new kx::GridListView(QStringLiteral("Summary"), this);
    m_list->setColumns({{QStringLiteral("Type"), 140},
                        {QStringLiteral("State"), 80},
                        {QStringLiteral("Time Profile 1 "), 120},
                        {QStringLiteral("Time Profile 2"), 120},
                        {QStringLiteral("Port "), 120}});
    form.add(m_list);
    m_refresh = form.action(QStringLiteral("&Refresh"), [this] { Refresh(); });
    QPushButton* close = form.action(QStringLiteral("&Close"), [this] { reject(); });
    form.buttonRow({m_refresh, close});
    resize(620, 520);

    connect(m_type, &QComboBox::activated, this, &CPowerSavingDlg::OnType);
    connect(m_state, &QComboBox::activated, this, &CPowerSavingDlg::OnState);
    connect(m_apply, &QPushButton::clicked, this, &CPowerSavingDlg::OnApply);
    connect(m_globalApply, &QPushButton::clicked, this, &CPowerSavingDlg::OnGlobalApply);
    Refresh();
}

void CPowerSavingDlg::Refresh()
{
    m_profile1->clear();
    m_profile2->clear();
    m_list->clearRows();
    kx::ReadPlan plan = m_feature->LoadSettings([this](const Reading& r) { Show(r); });
    // The boxes are filled when the walk's end arrives: every name the device
    // has, however late it comes.
    plan.add(m_feature->LoadProfileNames([this](const QStringList& names) { FillProfiles(names); }));
    read(plan, {m_apply, m_globalApply, m_refresh}, [this] { OnType(); });
}

void CPowerSavingDlg::Show(const Reading& reading)
{
    m_rows = reading.rows;
    if (reading.cableLength)
        m_cableLength->setChecked(*reading.cableLength);
    if (reading.linkStatus)
        m_linkStatus->setChecked(*reading.linkStatus);
    for (const Row& row : m_rows)
        m_list->addRow(SummaryLine(row));
}

void CPowerSavingDlg::FillProfiles(const QStringList& names)
{
    for (QComboBox* box : {m_profile1, m_profile2}) {
        box->clear();
        box->addItem(kNone);
        box->addItems(names);
        box->setCurrentIndex(0);
    }
}

void CPowerSavingDlg::OnType()
{
    const int type = TypeAt(m_type->currentIndex());
    for (const Row& row : m_rows) {
        if (row.type != type)
            continue;
        const auto select = [](QComboBox* box, const QString& name) {
            const int at = name.isEmpty() ? 0 : box->findText(name);
            box->setCurrentIndex(std::max(at, 0));
        };
        select(m_profile1, row.profile1);
        select(m_profile2, row.profile2);
        m_port->setText(row.ports);
        m_state->setCurrentIndex(row.enabled() ? 0 : 1);
        break;
    }
    OnState();
}

void CPowerSavingDlg::OnState()
{
    const bool enabled = m_state->currentIndex() == 0;
    m_profile1->setEnabled(enabled);
    m_profile2->setEnabled(enabled);
    m_port->setEnabled(enabled && TypeAt(m_type->currentIndex()) != SystemHibernation);
}

void CPowerSavingDlg::OnApply()
{
    ApplyInput input;
    input.position = m_type->currentIndex();
    input.enabled = m_state->currentIndex() == 0;
    input.ports = m_port->text();
    input.profile1 = m_profile1->currentText();
    input.profile2 = m_profile2->currentText();
    const ApplyDecision d = DecideApply(input, m_model, m_feature->PortCount());
    if (refuse(d.refusal, m_port) || d.bindings.empty())
        return;
    Write(d.bindings);
}

void CPowerSavingDlg::OnGlobalApply()
{
    Write(GlobalBindings(m_cableLength->isChecked(), m_linkStatus->isChecked()));
}

void CPowerSavingDlg::Write(std::vector<kx::SetBinding> bindings)
{
    writeSequence<kx::SetResult>(m_feature->SetObjects(std::move(bindings)), [this](const kx::SetResult& r) {
        if (r.ok())
            Refresh();
    });
}
