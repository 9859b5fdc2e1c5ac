#include "ui/l2/CStormControlDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Accessibility.h"
#include "ui/kit/Form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::l2;

CStormControlDlg::CStormControlDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Storm Control"), parent),
      m_unit(StormUnit(GetDeviceInfo().DeviceName)),
      m_model(new CStormControlModel(DevicePortCount(), this))
{
    kx::Form form(this);
    form.reserve({QStringLiteral("&Apply"), QStringLiteral("&Refresh")});
    // Two buttons read "Apply" and do the same: their names say where they stand.
    m_applyState = form.button(QStringLiteral("&Apply"), QStringLiteral("Apply Storm Control"));
    m_applyThreshold = form.button(QStringLiteral("&Apply"), QStringLiteral("Apply Threshold"));
    m_refresh = form.button(QStringLiteral("&Refresh"));

    m_enable = form.check(QStringLiteral("Enable Storm Control "));
    m_type = form.combo(QStringLiteral("Storm Control Type"), kStormTypeTexts);
    QLabel* typeLabel = form.lastLabel();
    m_n = form.edit(QStringLiteral(" N = ( 1 - 16000 ) "), kx::FieldOptions::Digits(5));
    QLabel* nNote = form.lastLabel();
    kx::NameControl(m_n, QStringLiteral("N"));
    m_result = form.edit(QStringLiteral("Kbps"), kx::FieldOptions::ReadOnly());
    QLabel* kbps = form.lastLabel();
    kx::NameControl(m_result, QStringLiteral("Threshold"));
    auto* unit = new QLabel(StormUnitLabel(m_unit), this);
    unit->setObjectName(QStringLiteral("Unit"));
    auto* equals = new QLabel(QStringLiteral("="), this);

    auto* grid = new QGridLayout;
    grid->addWidget(m_enable, 0, 0, 1, 2);
    grid->addWidget(m_applyState, 0, 5);
    grid->addWidget(typeLabel, 1, 0);
    grid->addWidget(m_type, 1, 1, 1, 4);
    grid->addWidget(unit, 2, 0);
    grid->addWidget(m_n, 2, 1);
    grid->addWidget(equals, 2, 2);
    grid->addWidget(m_result, 2, 3);
    grid->addWidget(kbps, 2, 4);
    grid->addWidget(m_applyThreshold, 2, 5);
    grid->addWidget(nNote, 3, 1, 1, 4);
    grid->setColumnStretch(6, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(kx::Form::ButtonRow({m_refresh}));
    resize(560, 200);

    connect(m_model, &CFeatureModel::recordArrived, this, &CStormControlDlg::Show);
    connect(m_enable, &QCheckBox::clicked, this, &CStormControlDlg::FollowCheck);
    connect(m_n, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_result->setText(StormResultText(text, m_unit)); });
    connect(m_applyState, &QPushButton::clicked, this, &CStormControlDlg::OnApply);
    connect(m_applyThreshold, &QPushButton::clicked, this, &CStormControlDlg::OnApply);
    connect(m_refresh, &QPushButton::clicked, this, &CStormControlDlg::Refresh);

    m_type->setCurrentIndex(0);
    FollowCheck();
    Refresh();
}

void CStormControlDlg::Refresh()
{
    m_model->SetOwner(this);
    // A failed get leaves the dialog as it was.
    read(m_model->Refresh(), {m_refresh, m_applyState, m_applyThreshold});
}

void CStormControlDlg::Show(const QStringList& record)
{
    m_read = {record.value(0), record.value(1), record.value(2)};
    const StormDisplay shown = ShowStorm(m_read, m_unit);
    m_enable->setChecked(shown.enabled);
    m_type->setCurrentIndex(shown.typeIndex);
    m_result->setText(shown.threshold);
    m_n->setText(shown.n);
    FollowCheck();
}

void CStormControlDlg::FollowCheck()
{
    m_n->setEnabled(m_enable->isChecked());
    m_type->setEnabled(m_enable->isChecked());
}

void CStormControlDlg::OnApply()
{
    StormDecision decision = DecideStorm(m_read, m_enable->isChecked(), m_type->currentIndex(), m_n->text(), m_unit);
    if (refuse(decision.refusal, m_n))
        return;
    if (decision.bindings.empty())
        return;
    writeSequence<kx::SetResult>(m_model->SetObjects(std::move(decision.bindings)),
                                 [this](const kx::SetResult& result) {
                                     if (result.answered())
                                         Refresh();
                                 });
}
