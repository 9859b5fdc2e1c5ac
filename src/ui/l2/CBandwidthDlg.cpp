#include "ui/l2/CBandwidthDlg.h"

#include "base/DeviceInfo.h"
#include "core/l2/CBandwidthModel.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/PortRangePair.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::l2;

CBandwidthDlg::CBandwidthDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("BandWidth Control"), parent),
      m_portCount(DevicePortCount()),
      m_model(new CBandwidthModel(m_portCount, this))
{
    m_list = new kx::GridListView(QStringLiteral("Bandwidth Table"), this);
    m_list->setColumns({{QStringLiteral("Port"), 100},
                        {QStringLiteral("Tx Rate (Kbits/sec)"), 195},
                        {QStringLiteral("Rx Rate (Kbits/sec)"), 195}});

    auto* grid = new QGridLayout;
    kx::Form form(this, grid);
    form.reserve({QStringLiteral("&Apply"), QStringLiteral("&Refresh")});
    m_from = form.combo(QStringLiteral("FromPort"));
    m_to = form.combo(QStringLiteral("ToPort"));
    m_type = form.combo(QStringLiteral("Type"), kRateDirectionTexts);
    m_noLimit = form.combo(QStringLiteral("No Limit"), kNoLimitTexts);
    m_rate = form.edit(RateRangeLabel(), kx::FieldOptions::Digits(6));
    grid->setColumnStretch(2, 1);
    m_range = new kx::PortRangePair(m_from, m_to, SmallerToPortMessage(), this);

    auto* note = new QLabel(ResolutionNote(), this);
    note->setWordWrap(true);
    m_apply = form.button(QStringLiteral("&Apply"));
    m_refresh = form.button(QStringLiteral("&Refresh"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addLayout(kx::Form::ButtonRow({m_apply, m_refresh}));
    resize(540, 480);

    connect(m_model, &CFeatureModel::rowArrived, this, [this](const QStringList& row) { m_list->addRow(row); });
    connect(m_noLimit, &QComboBox::activated, this, &CBandwidthDlg::FollowNoLimit);
    connect(m_apply, &QPushButton::clicked, this, &CBandwidthDlg::OnApply);
    connect(m_refresh, &QPushButton::clicked, this, [this] { Refresh(false); });

    ResetControls();
    Refresh(true);
}

void CBandwidthDlg::ResetControls()
{
    m_range->fillPorts(m_portCount);
    m_type->setCurrentIndex(static_cast<int>(RateDirection::Rx));
    m_noLimit->setCurrentIndex(static_cast<int>(kNoLimitTexts.indexOf(QStringLiteral("Disabled"))));
    m_rate->clear();
    FollowNoLimit();
}

void CBandwidthDlg::FollowNoLimit()
{
    m_rate->setEnabled(m_noLimit->currentText() == QLatin1String("Disabled"));
}

void CBandwidthDlg::Refresh(bool groups)
{
    m_list->clearRows();
    m_model->SetOwner(this);
    kx::ReadPlan plan = m_model->Refresh();
    if (groups)
        plan.add(m_model->LoadAggregationGroups());
    read(plan, {m_refresh, m_apply});
}

void CBandwidthDlg::OnApply()
{
    m_apply->setEnabled(false);
    BandwidthRequest request;
    request.fromPort = m_range->fromPort();
    request.toPort = m_range->toPort();
    request.direction = static_cast<RateDirection>(std::max(m_type->currentIndex(), 0));
    request.noLimit = m_noLimit->currentText() == QLatin1String("Enabled");
    request.rateText = m_rate->text();
    BandwidthDecision decision = DecideBandwidth(request, m_model->Groups());
    if (refuse(decision.refusal, decision.rateRefused ? m_rate : nullptr)) {
        // Every refusal leaves Apply usable: the user corrects and tries again.
        m_apply->setEnabled(true);
        return;
    }
    writeSequence<int>(m_model->WriteRates(std::move(decision.sets)), [this](const int&) {
        Refresh(false);
        ResetControls();
    });
}
