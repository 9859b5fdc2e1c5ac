#include "ui/security/CImpbListDlgs.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::security;

namespace {

QHBoxLayout* TotalRow(const QString& title, QLabel* count, QWidget* parent)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(title, parent));
    row->addWidget(count);
    row->addStretch();
    return row;
}

} // namespace

CImpbWhiteListDlg::CImpbWhiteListDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("White List"), parent),
      m_model(new CImpbModel(DevicePortCount(), this))
{
    adoptSessions(m_model->Sessions());
    m_model->SetOwner(this);

    m_list = new kx::GridListView(QStringLiteral("White List"), this);
    m_list->setColumns({{QStringLiteral("IP Address"), 160},
                        {QStringLiteral("Mac Address"), 170},
                        {QStringLiteral("Port"), 90}});
    m_total = new QLabel(QStringLiteral("0"), this);
    m_total->setObjectName(QStringLiteral("Total"));
    kx::Form form(this);
    m_delete = form.button(QStringLiteral("&Delete"));
    m_refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(TotalRow(QStringLiteral("Total Entries: "), m_total, this));
    layout->addLayout(kx::Form::ButtonRow({close}, {m_delete, m_refresh}));
    resize(460, 360);

    connect(m_delete, &QPushButton::clicked, this, &CImpbWhiteListDlg::OnDelete);
    connect(m_refresh, &QPushButton::clicked, this, &CImpbWhiteListDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_model, &CFeatureModel::rowArrived, this,
            [this](const QStringList& row) { m_list->addRow(ImpbWhiteLine(row)); });
    Refresh();
}

void CImpbWhiteListDlg::Refresh()
{
    m_list->clearRows();
    read(m_model->WalkWhiteList(), {m_delete, m_refresh},
         [this] { m_total->setText(QString::number(m_model->WhiteListCount())); });
}

void CImpbWhiteListDlg::OnDelete()
{
    const int row = m_list->selectedRow();
    if (refuse(ImpbDeleteRefusal(row >= 0)))
        return;
    writeSequence<CImpbModel::Sent>(
        m_model->Send({{ImpbWhiteDestroy(m_list->cellText(row, 0), m_list->cellText(row, 1))}}),
        [this](const CImpbModel::Sent& sent) {
            if (sent.last.answered())
                Refresh();
        });
}

CImpbBlackListDlg::CImpbBlackListDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Black List"), parent),
      m_model(new CImpbModel(DevicePortCount(), this))
{
    adoptSessions(m_model->Sessions());
    m_model->SetOwner(this);

    m_list = new kx::GridListView(QStringLiteral("Black List"), this);
    m_list->setColumns({{QStringLiteral("VID"), 85},
                        {QStringLiteral("IP Address"), 185},
                        {QStringLiteral("Mac Address"), 200},
                        {QStringLiteral("Port"), 90}});
    m_total = new QLabel(QStringLiteral("0"), this);
    m_total->setObjectName(QStringLiteral("Total"));

    auto* filters = new QGridLayout;
    kx::Form form(this);
    form.reserve({QStringLiteral("&Find"), QStringLiteral("&Delete"), QStringLiteral("&Refresh"),
                  QStringLiteral("&Close")});
    const QString labels[] = {QStringLiteral("&VID:"), QStringLiteral("&IP Address:"),
                              QStringLiteral("&MAC Address:"), QStringLiteral("&Port:")};
    QLineEdit** edits[] = {&m_vid, &m_ip, &m_mac, &m_port};
    for (int i = 0; i < 4; ++i) {
        *edits[i] = form.edit(labels[i], kx::FieldOptions::Limit(i == 2 ? 17 : 15));
        filters->addWidget(form.lastLabel(), 0, i);
        filters->addWidget(*edits[i], 1, i);
    }
    m_find = form.button(QStringLiteral("&Find"));
    filters->addWidget(m_find, 1, 4);
    m_delete = form.button(QStringLiteral("&Delete"));
    m_refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_list);
    layout->addLayout(TotalRow(QStringLiteral("Total Entries :"), m_total, this));
    layout->addLayout(kx::Form::ButtonRow({close}, {m_delete, m_refresh}));
    resize(620, 400);

    connect(m_find, &QPushButton::clicked, this, &CImpbBlackListDlg::OnFind);
    connect(m_delete, &QPushButton::clicked, this, &CImpbBlackListDlg::OnDelete);
    connect(m_refresh, &QPushButton::clicked, this, &CImpbBlackListDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_model, &CFeatureModel::rowArrived, this, [this](const QStringList& row) {
        m_rows.push_back({row, true});
    });
    Refresh();
}

void CImpbBlackListDlg::Refresh()
{
    m_list->clearRows();
    m_rows.clear();
    read(m_model->WalkBlackList(), {m_delete, m_refresh, m_find}, [this] {
        ShowVisible();
        m_total->setText(QString::number(m_list->rowCount()));
    });
}

void CImpbBlackListDlg::ShowVisible()
{
    m_list->clearRows();
    for (const auto& [row, visible] : m_rows)
        if (visible)
            m_list->addRow(ImpbBlackLine(row));
}

void CImpbBlackListDlg::OnFind()
{
    const ImpbBlackFilter filter{m_vid->text(), m_ip->text(), m_mac->text(), m_port->text()};
    for (auto& [row, visible] : m_rows)
        visible = ImpbBlackMatches(row, filter);
    ShowVisible();
    for (QLineEdit* edit : {m_vid, m_ip, m_mac, m_port})
        edit->clear();
}

void CImpbBlackListDlg::OnDelete()
{
    const int row = m_list->selectedRow();
    if (refuse(ImpbDeleteRefusal(row >= 0)))
        return;
    writeSequence<CImpbModel::Sent>(
        m_model->Send({{ImpbBlackRemove(m_list->cellText(row, 2), m_list->cellText(row, 3))}}),
        [this](const CImpbModel::Sent& sent) {
            if (sent.last.answered())
                Refresh();
        });
}
