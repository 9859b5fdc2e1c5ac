#include "ui/l2/CTrunkMemberDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Accessibility.h"
#include "ui/kit/Form.h"
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
    : CTrunkMemberDlg(groupText, modeText, currentMembers, false, parent)
{
}

CTrunkMemberDlg::CTrunkMemberDlg(const QString& groupText, const QString& modeText,
                                 const QString& currentMembers, bool readGroup, QWidget* parent)
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

    kx::Form form(this);
    m_trunkId = form.edit(QStringLiteral("Trunk ID:"), kx::FieldOptions::ReadOnly());
    form.at({kLeft, 31, kLabelWidth, 20}, {kEditLeft, 30, 120, 22});
    m_mode = form.edit(QStringLiteral("PortChannelMode:"), kx::FieldOptions::ReadOnly());
    form.at({kLeft, 66, kLabelWidth, 20}, {kEditLeft, 65, 120, 22});

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
        QLabel* label = kx::MakeBuddyLabel(QString::number(port), box, m_ports, &form.mnemonics());
        label->setObjectName(QStringLiteral("label%1").arg(2500 + port));
        label->setGeometry(geometry.labelRect(port - 1).translated(0, -top));
    }

    m_ok = form.button(QStringLiteral("OK"));
    QPushButton* cancel = form.button(QStringLiteral("Cancel"));
    const QSize size = geometry.dialogSize;
    m_ok->setGeometry(size.width() - 2 * (kButtonWidth + 10), size.height() - 40, kButtonWidth, kButtonHeight);
    cancel->setGeometry(size.width() - (kButtonWidth + 10), size.height() - 40, kButtonWidth, kButtonHeight);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CTrunkMemberDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    adoptSessions(m_validator->sessions());
    kx::ReadPlan loads;
    if (readGroup) {
        // Opened without the list: the group as the device holds it comes first.
        const std::shared_ptr<CCommonSNMP> session = m_validator->sessions().find(QStringLiteral("m_cCommonSNMP"));
        loads.get(session, {kx::Oid(kx::kLaPortChannelMemberList, groupText), kx::Oid(kLaPortChannelMode, groupText)},
                  [this](const kx::GetResult& answer) {
                      const TrunkGroupRow row =
                          DecodeTrunkGroupRow(kx::WalkRow{m_groupText, answer.values}, m_portCount);
                      m_modeText = row.modeText;
                      m_CurrentMembers = row.memberText;
                      ShowGroup();
                  });
    }
    // OK judges the loaded data: it waits until every load has ended.
    kx::ReadPlan validatorLoads;
    if (m_validator->Init(m_portCount, validatorLoads) == 0) {
        prompter().message(QStringLiteral("TrunkValid Init Error !"));
        return;
    }
    loads.then(validatorLoads);
    ShowGroup();
    read(loads, {m_ok});
}

void CTrunkMemberDlg::ShowGroup()
{
    m_trunkId->setText(m_groupText);
    m_mode->setText(m_modeText);
    kx::PortFlags present;
    ParsePortNumberText(m_CurrentMembers, present, 1, m_portCount);
    m_ports->setFlags(present);
}

CTrunkMemberDlg* CTrunkMemberDlg::ForDeviceGroup(int group, QWidget* parent)
{
    return new CTrunkMemberDlg(QString::number(group), QString(), QString(), true, parent);
}

void CTrunkMemberDlg::OnOK()
{
    const kx::PortFlags CandidateSet = m_ports->flags();
    const int ticked = static_cast<int>(std::count(CandidateSet.begin(), CandidateSet.end(), 1));
    if (refuse(CheckMemberCount(ticked)))
        return;
    using Judgement = CTrunkValidator::Judgement;
    writeSequence<Judgement>(
        m_validator->Judge(CandidateSet, m_CurrentMembers, m_groupText, MemberModeValue(m_modeText)),
        [this](const Judgement& judgement) {
            m_validator->Remember(judgement);
            if (!judgement.verdict.passed()) {
                prompter().message(judgement.verdict.message);
                return;
            }
            accept();
        });
}
