#include "ui/kit/CTableViewerDlg.h"

#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kx {

CTableViewerDlg::CTableViewerDlg(TableDescriptor descriptor, QWidget* parent)
    : ConfigDialog(descriptor.title, parent), m_descriptor(std::move(descriptor))
{
    m_table = addSession(m_descriptor.session);
    m_list = new GridListView(m_descriptor.listName, this);
    QList<GridListView::Column> columns;
    const QFontMetrics metrics = fontMetrics();
    for (const TableColumn& c : m_descriptor.columns)
        columns.push_back({c.header, metrics.horizontalAdvance(c.header) + 12});
    m_list->setColumns(columns);

    Form form(this);
    m_refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(QStringLiteral("Entries:"), this));
    m_count = new QLabel(QStringLiteral("0"), this);
    m_count->setAccessibleName(QStringLiteral("Entries"));
    countRow->addWidget(m_count);
    countRow->addStretch();

    m_extras = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_extras);
    layout->addWidget(m_list);
    layout->addLayout(countRow);
    layout->addLayout(Form::ButtonRow({m_refresh, close}));
    resize(m_descriptor.size);

    connect(m_refresh, &QPushButton::clicked, this, &CTableViewerDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    // Once the derived viewer is complete.
    QTimer::singleShot(0, this, &CTableViewerDlg::Refresh);
}

void CTableViewerDlg::Refresh()
{
    m_list->clearRows();
    m_count->setText(QStringLiteral("0"));
    ReadPlan plan = extraReads();
    plan.walk(m_table, m_descriptor.oids()).rows([this](const WalkRow& row) {
        if (m_descriptor.keep && !m_descriptor.keep(row))
            return;
        m_list->addRow(m_descriptor.rowTexts(row));
        m_count->setText(QString::number(m_list->rowCount()));
    });
    read(plan, {m_refresh});
}

} // namespace kx
