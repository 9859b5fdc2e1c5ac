#include "ui/l2/CStpPortConfigDlg.h"

#include "base/DeviceInfo.h"
#include "core/l2/SpanningTree.h"
#include "ui/kit/Form.h"
#include "ui/l2/CStpBridgeDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::l2;

namespace {

QLabel* AddValue(QGridLayout* grid, QWidget* owner, const QString& caption)
{
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(caption, owner), row, 0);
    auto* value = new QLabel(owner);
    value->setObjectName(caption);
    value->setAccessibleName(caption);
    grid->addWidget(value, row, 1);
    return value;
}

QStringList PortPriorityTexts()
{
    QStringList texts;
    for (int p = 0; p <= 240; p += 16)
        texts << QString::number(p);
    return texts;
}

} // namespace

CStpPortConfigDlg::CStpPortConfigDlg(std::vector<QStringList> rows, int row, QWidget* parent)
    : CStpPortConfigDlg(std::move(rows), row, false, parent)
{
}

CStpPortConfigDlg* CStpPortConfigDlg::ForDevice(QWidget* parent)
{
    return new CStpPortConfigDlg({}, 0, true, parent);
}

CStpPortConfigDlg::CStpPortConfigDlg(std::vector<QStringList> rows, int row, bool readTable, QWidget* parent)
    : kx::ConfigDialog(QStringLiteral(" Port STP Configuration"), parent),
      m_portCount(std::max(0, DevicePortCount())),
      m_rows(std::move(rows)),
      m_row(row),
      m_trunks(m_portCount)
{
    auto* rowGrid = new QGridLayout;
    m_port = AddValue(rowGrid, this, QStringLiteral("Port"));
    m_status = AddValue(rowGrid, this, QStringLiteral("Status"));
    m_designatedRoot = AddValue(rowGrid, this, QStringLiteral("Designated Root"));
    m_designatedCost = AddValue(rowGrid, this, QStringLiteral("Designated Cost"));
    m_designatedBridge = AddValue(rowGrid, this, QStringLiteral("Designated Bridge"));
    m_designatedPort = AddValue(rowGrid, this, QStringLiteral("Designated Port"));
    m_forwardings = AddValue(rowGrid, this, QStringLiteral("Forwardings"));
    rowGrid->setColumnStretch(1, 1);

    auto* grid = new QGridLayout;
    kx::Form form(this, grid);
    form.reserve({QStringLiteral("&Apply"), QStringLiteral("&Refresh"), QStringLiteral("&OK"),
                  QStringLiteral("&Cancel")});
    m_priorityCombo = form.combo(QStringLiteral("Priority:"), PortPriorityTexts());
    m_costEdit = form.edit(QStringLiteral("Cost:(1-200000000,\n0=auto)"), kx::FieldOptions::Limit(9));
    m_enable = form.check(QStringLiteral("Enable:"));
    grid->setAlignment(m_enable, Qt::AlignLeft);
    auto* settings = new QGroupBox(QStringLiteral("Port Setting"), this);
    settings->setLayout(grid);

    m_previous = form.button(QStringLiteral("<= Prev Port"));
    m_next = form.button(QStringLiteral("Next Port =>"));
    m_apply = form.button(QStringLiteral("&Apply"));
    m_refresh = form.button(QStringLiteral("&Refresh"));
    m_ok = form.button(QStringLiteral("&OK"));
    QPushButton* cancel = form.button(QStringLiteral("&Cancel"));

    auto* columns = new QHBoxLayout;
    columns->addLayout(rowGrid, 1);
    columns->addWidget(settings, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(kx::Form::ButtonRow({m_apply, m_refresh}, {m_previous, m_next}));
    layout->addLayout(kx::Form::ButtonRow({m_ok, cancel}));
    resize(520, 280);

    connect(m_previous, &QPushButton::clicked, this, [this] { OnStep(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { OnStep(1); });
    connect(m_apply, &QPushButton::clicked, this, [this] { OnApply(false); });
    connect(m_refresh, &QPushButton::clicked, this, [this] { ReadPort(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { OnApply(true); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    kx::ReadPlan plan;
    if (readTable) {
        // Opened alone: the table first, on the walk session, then its first row.
        plan.walk(m_cCommonSNMPTableTrunk, StpPortTable().oids(), [this](const kx::WalkResult& result) {
            const kx::TableDescriptor table = StpPortTable();
            for (const kx::WalkRow& r : result.rows)
                m_rows.push_back(table.rowTexts(r));
            ShowRow();
        });
    } else {
        ShowRow();
    }
    ReadPort(plan);
}

void CStpPortConfigDlg::ShowRow()
{
    const StpRowPosition pos = ClampStpRow(m_row, static_cast<int>(m_rows.size()));
    m_row = pos.row;
    m_previous->setEnabled(pos.previous);
    m_next->setEnabled(pos.next);
    if (m_row >= static_cast<int>(m_rows.size()))
        return;
    const QStringList& r = m_rows[static_cast<std::size_t>(m_row)];
    m_portText = r.value(StpPortColumn);
    m_port->setText(m_portText);
    m_status->setText(r.value(StpStatusColumn));
    m_designatedRoot->setText(r.value(StpDesignatedRootColumn));
    m_designatedCost->setText(r.value(StpDesignatedCostColumn));
    m_designatedBridge->setText(r.value(StpDesignatedBridgeColumn));
    m_designatedPort->setText(r.value(StpDesignatedPortColumn));
    m_forwardings->setText(r.value(StpForwardingsColumn));
}

void CStpPortConfigDlg::ReadPort(kx::ReadPlan plan)
{
    // Apply's aggregated-link rule needs the groups: until their walk has ended
    // once, every read carries it again (a step or refresh would cancel it).
    if (!m_trunksLoaded)
        plan.walk(m_cCommonSNMPTableTrunk, {kx::kLaPortChannelMemberList}, [this](const kx::WalkResult& result) {
            m_trunks = kx::TrunkMembership::FromRows(result.rows, m_portCount);
            m_trunksLoaded = true;
        }).afterPrevious();
    plan.get(m_cCommonSNMP, {}, [this](const kx::GetResult& answer) {
        if (!answer.ok() || answer.values.size() < 3)
            return;
        m_priority = answer.value(0).toInt();
        m_cost = answer.value(1).toInt();
        CStpBridgeDlg::ShowText(m_priorityCombo, QString::number(m_priority));
        m_costEdit->setText(QString::number(m_cost));
        m_enable->setChecked(answer.value(2).text() == QLatin1String("1"));
        m_loopbackState = answer.value(3).text();
    });
    plan.objectsAtStart([this] { return m_portText.isEmpty() ? QStringList() : StpPortObjects(m_portText); });
    read(plan, {m_apply, m_ok});
}

void CStpPortConfigDlg::OnStep(int delta)
{
    m_row += delta;
    ShowRow();
    ReadPort();
}

void CStpPortConfigDlg::OnApply(bool thenClose)
{
    if (m_portText.isEmpty()) {
        if (thenClose)
            accept();
        return;
    }
    StpPortEdit edit;
    edit.portText = m_portText;
    edit.priority = CStpBridgeDlg::NumberOf(m_priorityCombo);
    edit.cost = m_costEdit->text();
    edit.enabled = m_enable->isChecked();
    edit.loopbackState = m_loopbackState;
    edit.tableRow = m_rows[static_cast<std::size_t>(m_row)];
    const StpPortDecision d = DecideStpPortApply(edit, m_trunks);
    if (refuse(d.refusal, d.refusal.startsWith(QLatin1String("Invalid")) ? m_costEdit : nullptr))
        return;
    if (!d.writes) {
        if (thenClose)
            accept();
        return;
    }
    // A failed set says nothing; the port's read shows what the device holds.
    write(m_cCommonSNMP, d.bindings, [this, thenClose](const kx::SetResult&) {
        if (thenClose)
            accept();
        else
            ReadPort();
    });
}
