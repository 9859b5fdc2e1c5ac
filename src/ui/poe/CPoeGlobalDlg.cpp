#include "ui/poe/CPoeGlobalDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::poe;

namespace {
const QString kWait = QStringLiteral("wait...");
}

CPoeGlobalDlg::CPoeGlobalDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("PoE Global Settings"), parent), m_model(GetDeviceInfo().DeviceName)
{
    auto* grid = new QGridLayout;
    kx::Form form(this, grid);
    form.reserve({QStringLiteral("&Apply")});
    m_threshold = form.edit(ThresholdLabel(m_model), kx::FieldOptions::Limit(7));
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(m_threshold), &row, &column, &rowSpan, &columnSpan);
    grid->addWidget(new QLabel(QStringLiteral("Watts "), this), row, column + 1);
    m_sequence = form.combo(QStringLiteral("Power Shut Off Sequence "), kSequenceTexts);
    const QStringList figureLabels = {QStringLiteral("Total PoE Power Budget       "), QStringLiteral("Power Used"),
                                      QStringLiteral("Power Left"),
                                      QStringLiteral("The percentage of system power supplied ")};
    for (int i = 0; i < 4; ++i)
        m_figures[static_cast<std::size_t>(i)] = form.edit(figureLabels[i], kx::FieldOptions::ReadOnly());
    m_apply = form.action(QStringLiteral("&Apply"), [this] { OnApply(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(kx::Form::ButtonRow({m_apply}));
    resize(420, 240);

    for (int field = 0; field < GlobalFieldCount; ++field)
        Show(field, kWait);
    for (QWidget* w : {static_cast<QWidget*>(m_apply), static_cast<QWidget*>(m_threshold),
                       static_cast<QWidget*>(m_sequence)})
        w->setEnabled(false);
    ReadFigures();
}

void CPoeGlobalDlg::Show(int field, const QString& text)
{
    if (field == Threshold) {
        m_threshold->setText(text);
    } else if (field == Sequence) {
        m_sequence->setCurrentIndex(text == kWait ? -1 : m_values.sequencePosition());
    } else {
        m_figures[static_cast<std::size_t>(field - Budget)]->setText(text);
    }
}

void CPoeGlobalDlg::ReadFigures()
{
    // One get an object, each waiting for the one before, as the device expects.
    kx::ReadPlan plan;
    for (int field = 0; field < GlobalFieldCount; ++field) {
        plan.get(m_cCommonSNMP, {GlobalOid(field)}, [this, field](const kx::GetResult& answer) {
                if (const std::optional<QString> shown = m_values.fold(field, answer))
                    Show(field, *shown);
            })
            .timeout(kGlobalTimeoutMs);
        if (field > 0)
            plan.afterPrevious();
        else if (!firstReadDone())
            // The device needs a moment after the dialog opens before its
            // figures are current; the fields say "wait..." meanwhile.
            plan.delay(kGlobalFirstReadDelayMs);
    }
    read(plan, {m_apply, m_threshold, m_sequence});
}

void CPoeGlobalDlg::OnApply()
{
    m_apply->setEnabled(false);
    const GlobalApply apply = PlanGlobalApply(m_values, m_sequence->currentIndex(), m_threshold->text(), m_model);
    if (refuse(apply.refusal, m_threshold)) {
        m_apply->setEnabled(true);
        return;
    }
    if (apply.requests.empty()) {
        prompter().message(kGlobalNoChange);
        m_apply->setEnabled(true);
        return;
    }
    struct Outcome
    {
        int taken = 0;
        int refused = 0;
    };
    writeSequence<Outcome>(
        [session = m_cCommonSNMPSet, requests = apply.requests] {
            Outcome outcome;
            for (const auto& request : requests) {
                const kx::SetResult result = kx::SetValues(*session, request, kGlobalTimeoutMs);
                ++(result.ok() ? outcome.taken : outcome.refused);
            }
            return outcome;
        },
        [this](const Outcome& outcome) {
            // Success only when the device took every request: a refused one
            // changed nothing the user asked for.
            if (outcome.refused == 0) {
                prompter().message(kGlobalSetDone);
                ReadFigures();
                return;
            }
            prompter().message(kGlobalNoChange);
            m_apply->setEnabled(true);
            // What the device did take shows again.
            if (outcome.taken > 0)
                ReadFigures();
        });
}
