#include "ui/vlan/CPvidConfigDlg.h"

#include "base/DeviceInfo.h"
#include "base/TextNumber.h"
#include "ui/kit/Accessibility.h"
#include "ui/kit/EditHelpers.h"
#include "ui/vlan/CVlanConfigDlg.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kColumnWidth = 40;
constexpr int kRowHeight = 45;
const QSize kTemplateSize(370, 175);

int PortsPerRow(int portCount)
{
    const QRect window = CPvidConfigDlg::WindowGeometry(portCount);
    if (window.isEmpty())
        return portCount;
    return std::max(1, (window.width() - 50) / kColumnWidth);
}

} // namespace

QRect CPvidConfigDlg::WindowGeometry(int portCount)
{
    static const struct
    {
        int ports;
        QSize size;
    } kSizes[] = {{10, {460, 255}}, {24, {545, 255}}, {28, {625, 255}}, {48, {545, 345}}, {52, {585, 345}}};
    for (const auto& s : kSizes)
        if (s.ports == portCount)
            return QRect(QPoint(200, 200), s.size);
    if (portCount <= 8)
        return {};
    // Counts the device family does not have: rows of up to fourteen ports.
    const int perRow = std::min(portCount, 14);
    const int rows = (portCount + perRow - 1) / perRow;
    return QRect(QPoint(200, 200), QSize(50 + perRow * kColumnWidth + 5, 165 + rows * kRowHeight));
}

QRect CPvidConfigDlg::LabelRect(int port, int portCount)
{
    const int perRow = PortsPerRow(portCount);
    const int column = (port - 1) % perRow;
    const int row = (port - 1) / perRow;
    return QRect(25 + kColumnWidth * column, 65 + kRowHeight * row, kColumnWidth, 15);
}

QRect CPvidConfigDlg::EditRect(int port, int portCount)
{
    const QRect label = LabelRect(port, portCount);
    return QRect(label.left(), label.top() + 20, kColumnWidth, 20);
}

CPvidConfigDlg::CPvidConfigDlg(const VlanEntries& entries, QWidget* parent)
    : CPvidConfigDlg(entries, false, parent)
{
}

CPvidConfigDlg::CPvidConfigDlg(const VlanEntries& entries, bool readEntries, QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("PVID Configuration"), parent),
      m_entries(entries),
      m_readEntries(readEntries),
      m_portCount(std::max(0, DevicePortCount())),
      m_pvids(static_cast<std::size_t>(m_portCount), 1),
      m_trunks(m_portCount)
{
    const QRect window = WindowGeometry(m_portCount);
    const QSize size = window.isEmpty() ? kTemplateSize : window.size();
    setFixedSize(size);
    if (!window.isEmpty())
        move(window.topLeft());

    const int rows = m_portCount > 0 ? (m_portCount - 1) / PortsPerRow(m_portCount) + 1 : 1;
    auto* frame = new QGroupBox(QStringLiteral("PVID Configuration"), this);
    frame->setGeometry(10, 8, size.width() - 20, 100 + kRowHeight * (rows - 1) + 10);
    auto* caption = new QLabel(QStringLiteral("Port VID:"), this);
    caption->setGeometry(25, 38, 120, 18);

    kx::MnemonicSet mnemonics;
    mnemonics.assign(QStringLiteral("&Refresh"));
    for (int p = 1; p <= m_portCount; ++p) {
        auto* edit = new QLineEdit(this);
        edit->setProperty("controlId", EditId(p));
        edit->setAlignment(Qt::AlignHCenter);
        edit->setFrame(true);
        kx::MakeDigitsOnly(edit);
        kx::NameControl(edit, QStringLiteral("Port %1 VID").arg(p));
        edit->setGeometry(EditRect(p, m_portCount));
        // Ten digits give no more than ten ports a key of their own. A port left
        // without one is labelled outside the window's set, on its first digit:
        // repeating that Alt+digit steps through the boxes whose labels share it.
        auto* label = kx::MakeBuddyLabel(mnemonics.assign(QString::number(p)), edit, this);
        label->setProperty("controlId", LabelId(p));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        label->setGeometry(LabelRect(p, m_portCount));
        m_edits.push_back(edit);
    }

    m_apply = new QPushButton(QStringLiteral("Apply"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_refresh = new QPushButton(QStringLiteral("&Refresh"), this);
    for (QPushButton* b : {m_apply, cancel, m_refresh})
        kx::NameControl(b, b->text());
    m_apply->setDefault(true);
    cancel->setAutoDefault(false);
    m_refresh->setAutoDefault(false);
    const int buttonsY = size.height() - 45;
    m_refresh->setGeometry(20, buttonsY, 80, 26);
    m_apply->setGeometry(size.width() - 195, buttonsY, 80, 26);
    cancel->setGeometry(size.width() - 100, buttonsY, 80, 26);

    connect(m_apply, &QPushButton::clicked, this, &CPvidConfigDlg::OnApply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_refresh, &QPushButton::clicked, this, &CPvidConfigDlg::Refresh);
    Refresh();
}

CPvidConfigDlg* CPvidConfigDlg::ForDevice(QWidget* parent)
{
    return new CPvidConfigDlg({}, true, parent);
}

QLineEdit* CPvidConfigDlg::edit(int port) const
{
    if (port < 1 || port > static_cast<int>(m_edits.size()))
        return nullptr;
    return m_edits[static_cast<std::size_t>(port - 1)];
}

void CPvidConfigDlg::Refresh()
{
    // Apply's aggregation rule reads the groups, and what it writes is what the
    // boxes show: it waits for both walks.
    kx::ReadPlan plan;
    plan.walk(m_cCommonSNMPTable, {kx::vlan::kDot1qVlanPvid},
              [this](const kx::WalkResult& result) { OnPvidWalkEnd(result); });
    plan.walk(m_cCommonSNMPTableTrunk, {kx::kLaPortChannelMemberList}, [this](const kx::WalkResult& result) {
        m_trunks = kx::TrunkMembership::FromRows(result.rows, m_portCount);
    });
    if (m_readEntries) // opened without the list dialog: it reads the VLANs itself
        plan.add(CVlanConfigDlg::VlanEntriesLoad(m_cCommonSNMPTableTrunk, m_entries)).afterPrevious();
    read(plan, {m_apply, m_refresh});
}

void CPvidConfigDlg::OnPvidWalkEnd(const kx::WalkResult& result)
{
    // Only a walk that reached the end of the table fills the boxes.
    if (!result.reachedEnd())
        return;
    m_pvids = PvidModel::PvidsFrom(result.rows, m_pvids);
    for (int p = 1; p <= m_portCount; ++p)
        edit(p)->setText(QString::number(m_pvids[static_cast<std::size_t>(p - 1)]));
}

void CPvidConfigDlg::OnApply()
{
    // What the boxes show is what is checked and written: a box left empty (after
    // a failed walk, or emptied by the user) is PVID 0, never a value unseen.
    for (int p = 1; p <= m_portCount; ++p)
        m_pvids[static_cast<std::size_t>(p - 1)] = kx::LeadingDecimal(edit(p)->text());
    const QString refusal = PvidModel::Check(m_pvids, m_trunks, m_entries);
    if (!refusal.isEmpty()) {
        prompter().message(refusal);
        return;
    }
    writeSequence<int>(
        [pvids = m_pvids, session = m_cCommonSNMPSet] {
            return PvidModel::Write(pvids, kx::vlan::SessionSetPath(*session));
        },
        [this](const int& written) {
            if (written == m_portCount)
                accept();
        });
}
