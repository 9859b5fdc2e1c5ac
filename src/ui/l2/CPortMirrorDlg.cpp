#include "ui/l2/CPortMirrorDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Accessibility.h"
#include "ui/kit/Form.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

using namespace kx::l2;

namespace {

constexpr int kColumns = 4;

} // namespace

CPortMirrorDlg::CPortMirrorDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("PortMirroringConfiguration"), parent),
      m_portCount(std::max(DevicePortCount(), 0)),
      m_model(new CPortMirrorModel(m_portCount, this))
{
    kx::Form form(this);
    form.reserve({QStringLiteral("&Refresh"), QStringLiteral("&Apply"), QStringLiteral("&Close")});
    m_enabled = form.radio(QStringLiteral("Enabled"));
    m_disabled = form.radio(QStringLiteral("Disabled"));
    m_target = form.combo(QStringLiteral("TargetPort"));
    QLabel* targetLabel = form.lastLabel();
    for (int port = 1; port <= m_portCount; ++port)
        m_target->addItem(QString::number(port));

    // The port rows scroll on a large device; the header scrolls with them so
    // that each "All" stays above its column.
    auto* ports = new QWidget;
    auto* grid = new QGridLayout(ports);
    for (int c = 0; c < kColumns; ++c) {
        auto* title = new QLabel(kSnifferColumnTitles[c], ports);
        title->setAlignment(Qt::AlignCenter);
        grid->addWidget(title, 0, c + 1);
        auto* all = new QPushButton(QStringLiteral("All"), ports);
        kx::NameControl(all, QStringLiteral("All ") + kSnifferColumnTitles[c]);
        all->setAutoDefault(false);
        grid->addWidget(all, 1, c + 1);
        m_all.push_back(all);
        connect(all, &QPushButton::clicked, this, [this, c] { SelectColumn(c); });
    }
    for (int port = 1; port <= m_portCount; ++port) {
        grid->addWidget(new QLabel(QString::number(port), ports), port + 1, 0);
        auto* group = new QButtonGroup(this);
        for (int c = 0; c < kColumns; ++c) {
            auto* button = new QRadioButton(ports);
            kx::NameControl(button, QStringLiteral("Port %1 %2").arg(port).arg(kSnifferColumnTitles[c]));
            button->setProperty("controlId", kSnifferFirstId[c] + port - 1);
            group->addButton(button, c);
            grid->addWidget(button, port + 1, c + 1, Qt::AlignCenter);
        }
        m_portModes.push_back(group);
    }
    grid->setColumnStretch(kColumns + 1, 1);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(ports);
    scroll->setWidgetResizable(true);

    m_refresh = form.button(QStringLiteral("&Refresh"));
    m_apply = form.button(QStringLiteral("&Apply"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* stateRow = new QHBoxLayout;
    stateRow->addWidget(m_enabled);
    stateRow->addWidget(m_disabled);
    stateRow->addStretch();
    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(targetLabel);
    targetRow->addWidget(m_target);
    targetRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(stateRow);
    layout->addLayout(targetRow);
    layout->addWidget(scroll, 1);
    layout->addLayout(kx::Form::ButtonRow({m_refresh, m_apply, close}));
    resize(420, std::min(200 + 30 * m_portCount, 560));

    connect(m_model, &CFeatureModel::recordArrived, this, &CPortMirrorDlg::Show);
    connect(m_enabled, &QRadioButton::clicked, this, &CPortMirrorDlg::FollowState);
    connect(m_disabled, &QRadioButton::clicked, this, &CPortMirrorDlg::FollowState);
    connect(m_target, &QComboBox::activated, this, &CPortMirrorDlg::FollowTarget);
    connect(m_refresh, &QPushButton::clicked, this, &CPortMirrorDlg::Refresh);
    connect(m_apply, &QPushButton::clicked, this, &CPortMirrorDlg::OnApply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_disabled->setChecked(true);
    for (int port = 1; port <= m_portCount; ++port)
        ShowMode(port, SnifferMode::None);
    Refresh();
}

QRadioButton* CPortMirrorDlg::modeButton(int port, int column) const
{
    if (port < 1 || port > m_portCount || column < 0 || column >= kColumns)
        return nullptr;
    return qobject_cast<QRadioButton*>(m_portModes[static_cast<std::size_t>(port - 1)]->button(column));
}

void CPortMirrorDlg::Refresh()
{
    for (QButtonGroup* group : m_portModes)
        for (QAbstractButton* b : group->buttons())
            b->setEnabled(true);
    m_model->SetOwner(this);
    // Apply judges by the aggregation groups this read loads: it waits for them.
    // A failed get keeps the state shown, and the ports follow it.
    read(m_model->Refresh(), {m_refresh, m_apply}, [this] { FollowState(); });
}

void CPortMirrorDlg::Show(const QStringList& texts)
{
    const MirrorRecord record = ReadMirrorRecord(texts, m_portCount);
    m_lastState = record.state;
    const bool enabled = record.state == QLatin1String("1");
    m_enabled->setChecked(enabled);
    m_disabled->setChecked(!enabled);
    m_target->setCurrentIndex(m_target->findText(record.target));
    for (int port = 1; port <= m_portCount; ++port)
        ShowMode(port, record.modes[static_cast<std::size_t>(port - 1)]);
}

void CPortMirrorDlg::ShowMode(int port, SnifferMode mode)
{
    if (QRadioButton* b = modeButton(port, ColumnOfSnifferMode(mode)))
        b->setChecked(true);
}

void CPortMirrorDlg::FollowState()
{
    const bool enabled = m_enabled->isChecked();
    m_target->setEnabled(enabled);
    for (QPushButton* all : m_all)
        all->setEnabled(enabled);
    for (QButtonGroup* group : m_portModes)
        for (QAbstractButton* b : group->buttons())
            b->setEnabled(enabled);
    if (enabled)
        FollowTarget();
}

void CPortMirrorDlg::FollowTarget()
{
    const int target = TargetPort();
    for (int port = 1; port <= m_portCount; ++port)
        for (QAbstractButton* b : m_portModes[static_cast<std::size_t>(port - 1)]->buttons())
            b->setEnabled(port != target);
    ShowMode(target, SnifferMode::None);
}

void CPortMirrorDlg::SelectColumn(int column)
{
    const int target = TargetPort();
    for (int port = 1; port <= m_portCount; ++port)
        if (port != target)
            ShowMode(port, SnifferModeOfColumn(column));
}

int CPortMirrorDlg::TargetPort() const
{
    return m_target->currentIndex() + 1;
}

std::vector<SnifferMode> CPortMirrorDlg::Modes() const
{
    std::vector<SnifferMode> modes;
    for (QButtonGroup* group : m_portModes)
        modes.push_back(SnifferModeOfColumn(group->checkedId() < 0 ? kColumns - 1 : group->checkedId()));
    return modes;
}

void CPortMirrorDlg::OnApply()
{
    MirrorDecision decision =
        DecideMirror(m_enabled->isChecked(), TargetPort(), Modes(), m_lastState, m_model->Groups(), m_portCount);
    if (refuse(decision.refusal)) {
        if (decision.refreshAfterRefusal)
            Refresh();
        return;
    }
    writeSequence<int>(m_model->Write(std::move(decision.sets)), [this](const int&) { Refresh(); });
}
