#include "ui/l2/CStpBridgeDlg.h"

#include "base/TextNumber.h"
#include "core/l2/SpanningTree.h"
#include "ui/kit/Form.h"
#include "ui/l2/CStpPortTableDlg.h"

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

// A value the dialog only shows, named after its caption.
QLabel* AddValue(QGridLayout* grid, QWidget* owner, const QString& caption)
{
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(caption, owner), row, 0);
    auto* value = new QLabel(owner);
    value->setObjectName(caption);
    value->setAccessibleName(caption);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(value, row, 1);
    return value;
}

} // namespace

void CStpBridgeDlg::ShowText(QComboBox* combo, const QString& text)
{
    const int entry = combo->findText(text);
    combo->setCurrentIndex(entry);
    combo->setPlaceholderText(entry < 0 ? text : QString());
}

QString CStpBridgeDlg::NumberOf(const QComboBox* combo)
{
    return combo->currentIndex() >= 0 ? combo->currentText() : combo->placeholderText();
}

CStpBridgeDlg::CStpBridgeDlg(QWidget* parent) : kx::ConfigDialog(QStringLiteral(" STP Configuration "), parent)
{
    auto* stateGrid = new QGridLayout;
    m_designatedRoot = AddValue(stateGrid, this, QStringLiteral("Designated Root:"));
    m_rootPort = AddValue(stateGrid, this, QStringLiteral("RootPort:"));
    m_topologyChangeTime = AddValue(stateGrid, this, QStringLiteral("TopoChangeTime:"));
    m_topologyChanges = AddValue(stateGrid, this, QStringLiteral("TopoChanged:"));
    m_currentHello = AddValue(stateGrid, this, QStringLiteral("Hello Time:"));
    m_holdTime = AddValue(stateGrid, this, QStringLiteral("Hold Time:"));
    m_currentDelay = AddValue(stateGrid, this, QStringLiteral("Forward Delay:"));
    stateGrid->setColumnStretch(1, 1);
    auto* state = new QGroupBox(QStringLiteral("Bridge State"), this);
    state->setLayout(stateGrid);

    auto* grid = new QGridLayout;
    kx::Form form(this, grid);
    form.reserve({QStringLiteral("&Refresh"), QStringLiteral("&Apply")});
    m_rstp = form.check(QStringLiteral("Enable RSTP"));
    // As wide as its text: a click beside it changes nothing.
    grid->setAlignment(m_rstp, Qt::AlignLeft);
    m_version = form.combo(QStringLiteral("STP Version:"), kStpVersionTexts);
    m_priority = form.combo(QStringLiteral("Priority:"), BridgePriorityTexts());
    const kx::FieldOptions timer = kx::FieldOptions::Limit(4);
    m_maxAge = form.edit(QStringLiteral("Age Time(600-4000):"), timer);
    m_hello = form.edit(QStringLiteral("Hello Time(100-1000):"), timer);
    m_delay = form.edit(QStringLiteral("Delay(400-3000):"), timer);
    auto* settings = new QGroupBox(QStringLiteral("Bridge Setting"), this);
    settings->setLayout(grid);

    m_portSetting = form.button(QStringLiteral("Port Setting"));
    m_refresh = form.button(QStringLiteral("&Refresh"));
    m_apply = form.button(QStringLiteral("&Apply"));
    m_apply->setDefault(true);
    QPushButton* cancel = form.button(QStringLiteral("Cancel"));

    auto* columns = new QHBoxLayout;
    columns->addWidget(state, 1);
    columns->addWidget(settings, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(kx::Form::ButtonRow({m_apply, cancel}, {m_portSetting, m_refresh}));
    resize(560, 300);

    connect(m_rstp, &QCheckBox::toggled, this, &CStpBridgeDlg::EnableSettings);
    connect(m_portSetting, &QPushButton::clicked, this, &CStpBridgeDlg::OnPortSetting);
    connect(m_refresh, &QPushButton::clicked, this, &CStpBridgeDlg::Refresh);
    connect(m_apply, &QPushButton::clicked, this, &CStpBridgeDlg::OnApply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    ShowText(m_priority, QStringLiteral("0"));
    m_version->setCurrentIndex(0);
    EnableSettings(false);
    m_portSetting->setEnabled(false);
    Refresh();
}

void CStpBridgeDlg::EnableSettings(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_version, m_priority, m_maxAge, m_hello, m_delay})
        w->setEnabled(enabled);
}

void CStpBridgeDlg::Refresh()
{
    kx::ReadPlan plan;
    // An answer without the bridge's values leaves the controls as they are.
    plan.get(m_cCommonSNMP, BridgeObjects(), [this](const kx::GetResult& answer) {
        const std::optional<BridgeView> v = ReadBridge(answer);
        if (!v)
            return;
        ShowText(m_priority, v->priority);
        m_topologyChangeTime->setText(v->topologyChangeTime);
        m_topologyChanges->setText(v->topologyChanges);
        m_designatedRoot->setText(v->designatedRoot);
        m_rootPort->setText(v->rootPort);
        m_maxAge->setText(v->maxAge);
        m_hello->setText(v->helloTime);
        m_delay->setText(v->forwardDelay);
        m_currentHello->setText(v->currentHelloTime);
        m_holdTime->setText(v->holdTime);
        m_currentDelay->setText(v->currentForwardDelay);
        m_rstpStateText = v->rstpEnabled ? QStringLiteral("1") : QStringLiteral("0");
        m_rstp->setChecked(v->rstpEnabled);
        EnableSettings(v->rstpEnabled);
        m_portSetting->setEnabled(v->rstpEnabled);
        if (v->versionEntry >= 0)
            m_version->setCurrentIndex(v->versionEntry);
    });
    read(plan, {m_apply});
}

void CStpBridgeDlg::OnApply()
{
    if (refuse(CheckBridgeTimers(m_maxAge->text(), m_delay->text(), m_hello->text())))
        return;
    BridgeWrite w;
    w.rstp = m_rstp->isChecked();
    w.rstpWasOff = m_rstpStateText == QLatin1String("0");
    // What was checked is what is written (" 900" and "0900" as 900).
    auto number = [](const QLineEdit* edit) { return QString::number(kx::LeadingDecimal(edit->text())); };
    w.maxAge = number(m_maxAge);
    w.forwardDelay = number(m_delay);
    w.helloTime = number(m_hello);
    w.priority = NumberOf(m_priority);
    w.versionRstp = m_version->currentIndex() == 0;
    if (!w.rstp)
        m_portSetting->setEnabled(false);
    else if (w.rstpWasOff)
        m_portSetting->setEnabled(true);
    writeSequence<int>(
        [w, session = m_cCommonSNMPSet] {
            WriteBridge(w, SessionStpSetPath(*session));
            return 0;
        },
        [this, rstp = w.rstp](const int&) {
            if (rstp)
                refreshAfter(30, [this] { Refresh(); });
        });
}

void CStpBridgeDlg::OnPortSetting()
{
    CStpPortTableDlg table(this);
    table.exec();
}
