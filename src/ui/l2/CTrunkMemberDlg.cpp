#include "ui/l2/CTrunkMemberDlg.h"

#include "ui/kit/Accessibility.h"
#include "ui/kit/PortCheckGrid.h"
#include "core/l2/TrunkLogic.h"
#include "core/kit/SnmpRequests.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

using namespace kx::l2;

namespace {

// Controls above and below the port boxes, which stand where the geometry says.
constexpr int kLeft = 55;
constexpr int kLabelWidth = 115;
constexpr int kEditLeft = kLeft + kLabelWidth;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;

} // namespace

CTrunkMemberDlg::CTrunkMemberDlg(const QString& groupText, const QString& modeText,
                                 const QString& currentMembers, QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Trunk member"), parent),
      m_groupText(groupText),
      m_modeText(modeText),
      m_CurrentMembers(currentMembers),
      m_portCount(DevicePortCount()),
      m_validator(new CTrunkValidator(this))
{
    const MemberDialogGeometry geometry = MemberGeometry(m_portCount);
    setFixedSize(geometry.dialogSize);
    move(200, 200);

    kx::MnemonicSet mnemonics;
    auto addEdit = [&](int y, const QString& label) {
        auto* edit = new QLineEdit(this);
        edit->setReadOnly(true);
        edit->setGeometry(kEditLeft, y, 120, 22);
        kx::MakeBuddyLabel(label, edit, this, &mnemonics)->setGeometry(kLeft, y + 1, kLabelWidth, 20);
        return edit;
    };
    m_trunkId = addEdit(30, QStringLiteral("Trunk ID:"));
    m_mode = addEdit(65, QStringLiteral("PortChannelMode:"));

    // The grid spans the box rows; its boxes carry no text, each has its number
    // below it as a label of its own.
    const int ports = std::max(m_portCount, 0);
    const int top = ports > 0 ? geometry.boxRect(0).top() : 0;
    const int bottom = ports > 0 ? geometry.labelRect(ports - 1).bottom() : top;
    kx::PortGridGeometry grid;
    for (int i = 0; i < ports; ++i)
        grid.rects.push_back(geometry.boxRect(i).translated(0, -top));
    m_ports = new kx::PortCheckGrid(ports, grid, this, 2001);
    m_ports->setGeometry(0, top, geometry.dialogSize.width(), bottom - top + 1);
    for (int port = 1; port <= ports; ++port) {
        QCheckBox* box = m_ports->box(port);
        box->setText(QString());
        QLabel* label = kx::MakeBuddyLabel(QString::number(port), box, m_ports, &mnemonics);
        label->setObjectName(QStringLiteral("label%1").arg(2500 + port));
        label->setGeometry(geometry.labelRect(port - 1).translated(0, -top));
    }

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    const QSize size = geometry.dialogSize;
    m_ok->setGeometry(size.width() - 2 * (kButtonWidth + 10), size.height() - 40, kButtonWidth, kButtonHeight);
    cancel->setGeometry(size.width() - (kButtonWidth + 10), size.height() - 40, kButtonWidth, kButtonHeight);
    kx::NameControl(m_ok, m_ok->text());
    kx::NameControl(cancel, cancel->text());
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CTrunkMemberDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // OK judges the loaded data: it waits until every load has ended.
    if (m_validator->Init(m_portCount, firstRead()) == 0) {
        prompter().message(QStringLiteral("TrunkValid Init Error !"));
        return;
    }
    gateOnLoads(firstRead(), {m_ok});
    m_trunkId->setText(groupText);
    m_mode->setText(modeText);
    kx::PortFlags present;
    ParsePortNumberText(currentMembers, present, 1, m_portCount);
    m_ports->setFlags(present);
}

CTrunkMemberDlg::~CTrunkMemberDlg()
{
    closeSessions();
    m_validator->Close();
}

CTrunkMemberDlg* CTrunkMemberDlg::ForDeviceGroup(int group, QWidget* parent)
{
    CCommonSNMP session;
    const kx::GetResult answer =
        kx::GetValues(session, {kx::Oid(kx::kLaPortChannelMemberList, group), kx::Oid(kLaPortChannelMode, group)});
    const TrunkGroupRow row = DecodeTrunkGroupRow(kx::WalkRow{QString::number(group), answer.values});
    return new CTrunkMemberDlg(QString::number(group), row.modeText, row.memberText, parent);
}

void CTrunkMemberDlg::done(int result)
{
    kx::ConfigDialog::done(result);
    m_validator->Close();
}

void CTrunkMemberDlg::OnOK()
{
    const kx::PortFlags CandidateSet = m_ports->flags();
    const int ticked = static_cast<int>(std::count(CandidateSet.begin(), CandidateSet.end(), 1));
    if (const QString refusal = CheckMemberCount(ticked); !refusal.isEmpty()) {
        prompter().message(refusal);
        return;
    }
    if (!m_validator->Validate(CandidateSet, m_CurrentMembers))
        return;
    m_validator->WriteMembers(CandidateSet, m_portCount, m_groupText, MemberModeValue(m_modeText));
    accept();
}
