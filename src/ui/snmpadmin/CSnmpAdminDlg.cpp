#include "ui/snmpadmin/CSnmpAdminDlg.h"

#include "ui/kit/Form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

CSnmpAdminDlg::CSnmpAdminDlg(const QString& title, QWidget* parent)
    : kx::ConfigDialog(title, parent), m_model(new CSnmpAdminModel(this))
{
    adoptSessions(m_model->Sessions());
}

void CSnmpAdminDlg::change(std::function<void(CSnmpAdminModel&)> sequence, std::function<void()> then)
{
    // The model lives until the dialog's children go, after the dialog has
    // waited for this sequence; the sequence reaches nothing else of the dialog.
    writeSequence<bool>(
        [model = m_model, sequence = std::move(sequence)] {
            sequence(*model);
            return true;
        },
        [then = std::move(then)](const bool&) {
            if (then)
                then();
        });
}

void CSnmpAdminDlg::Place(QGridLayout* grid, const kx::Form& form, int row, int pair)
{
    // A list shows its longest entry whole; the edits take the room left.
    if (auto* combo = qobject_cast<QComboBox*>(form.lastControl())) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents); // lists filled by a read too
        combo->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    }
    if (QLabel* label = form.lastLabel()) {
        grid->addWidget(label, row, 2 * pair);
        grid->addWidget(form.lastControl(), row, 2 * pair + 1);
    } else {
        // A check box as wide as its text: a click beside the text is no click on it.
        grid->addWidget(form.lastControl(), row, 2 * pair, 1, 2, Qt::AlignLeft);
    }
}

CSnmpAdminDlg::Table CSnmpAdminDlg::BeginTable()
{
    kx::Form form(this);
    QPushButton* apply = form.button(QStringLiteral("&Apply"));
    QPushButton* remove = form.button(QStringLiteral("&Delete"));
    QPushButton* refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));
    return {form, new QGridLayout, apply, remove, refresh, close};
}

QList<QWidget*> CSnmpAdminDlg::StackTable(const Table& t, QWidget* list, QSize size)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list);
    layout->addLayout(t.grid);
    layout->addLayout(kx::Form::ButtonRow({t.close}, {t.apply, t.remove, t.refresh}));
    resize(size);
    connect(t.close, &QPushButton::clicked, this, &QDialog::reject);
    return {t.apply, t.remove, t.refresh};
}
