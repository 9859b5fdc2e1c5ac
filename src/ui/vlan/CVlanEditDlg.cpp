#include "ui/vlan/CVlanEditDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Accessibility.h"
#include "ui/kit/EditHelpers.h"
#include "ui/kit/Form.h"
#include "ui/vlan/CVlanConfigDlg.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

using Choice = VlanModel::PortChoice;

namespace {

constexpr int kColumnsLeft = 110; // the radio columns start right of the row labels
constexpr int kRadioSize = 16;
constexpr int kRowY[3] = {100, 125, 150}; // Tag, Untag, Not Member
constexpr int kNumberY = 172;
constexpr int kBlockHeight = 110; // 48 and 52 ports: the second half below the first

int PortsPerBlock(int portCount)
{
    return portCount > 28 ? (portCount + 1) / 2 : portCount;
}

const QString kRowTitles[3] = {QStringLiteral("Tag Ports:"), QStringLiteral("Untag Ports:"),
                               QStringLiteral("Not Member:")};
const QString kRowMnemonics[3] = {QStringLiteral("&Tag Ports:"), QStringLiteral("&Untag Ports:"),
                                  QStringLiteral("N&ot Member:")};
const QString kChoiceNames[3] = {QStringLiteral("Tag"), QStringLiteral("Untag"),
                                 QStringLiteral("Not Member")};

int IndexOf(Choice choice)
{
    return choice == Choice::Tag ? 0 : choice == Choice::Untag ? 1 : 2;
}

} // namespace

QRect CVlanEditDlg::WindowGeometry(int portCount)
{
    QSize size(500, 320);
    if (portCount >= 52)
        size = QSize(550, 400);
    else if (portCount >= 48)
        size = QSize(530, 400);
    else if (portCount >= 28)
        size = QSize(570, 360);
    return QRect(QPoint(200, 200), size);
}

CVlanEditDlg::CVlanEditDlg(VlanModel::Mode mode, int vid, int asymmetricMode,
                           const VlanEntries& entries, QWidget* parent)
    : CVlanEditDlg(mode, vid, asymmetricMode, entries, false, parent)
{
}

CVlanEditDlg::CVlanEditDlg(VlanModel::Mode mode, int vid, int asymmetricMode, const VlanEntries& entries,
                           bool readContext, QWidget* parent)
    : kx::ConfigDialog(mode == VlanModel::Mode::Add ? QStringLiteral("Add VLAN") : QStringLiteral("Edit VLAN"),
                       parent),
      m_model(mode, DevicePortCount(), asymmetricMode, entries, vid)
{
    const int portCount = m_model.portCount();
    const QRect geometry = WindowGeometry(portCount);
    setFixedSize(geometry.size());
    move(geometry.topLeft());

    m_name = new QLineEdit(this);
    m_vid = new QLineEdit(this);
    kx::CutTypedText(m_name, 20);
    kx::CutTypedText(m_vid, 4);
    auto* nameLabel = kx::MakeBuddyLabel(QStringLiteral("VLAN &Name:"), m_name, this);
    auto* vidLabel = kx::MakeBuddyLabel(QStringLiteral("V&ID:"), m_vid, this);
    nameLabel->setGeometry(20, 22, 85, 20);
    m_name->setGeometry(kColumnsLeft, 20, 200, 22);
    vidLabel->setGeometry(20, 52, 85, 20);
    m_vid->setGeometry(kColumnsLeft, 50, 80, 22);

    const int perBlock = PortsPerBlock(portCount);
    const int width = geometry.width();
    const int step = perBlock > 0 ? std::min(40, (width - kColumnsLeft - 20) / perBlock) : 40;
    const int blocks = perBlock > 0 ? (portCount + perBlock - 1) / perBlock : 0;
    QLabel* firstTitles[3] = {};
    for (int block = 0; block < std::max(blocks, 1); ++block)
        for (int r = 0; r < 3; ++r) {
            auto* title = new QLabel(block == 0 ? kRowMnemonics[r] : kRowTitles[r], this);
            title->setGeometry(15, kRowY[r] + block * kBlockHeight - 2, kColumnsLeft - 20, 20);
            if (block == 0)
                firstTitles[r] = title;
        }

    m_radios.resize(static_cast<std::size_t>(portCount));
    for (int p = 1; p <= portCount; ++p) {
        const int block = (p - 1) / perBlock;
        const int column = (p - 1) % perBlock;
        const int x = kColumnsLeft + column * step;
        const int dy = block * kBlockHeight;
        auto* group = new QButtonGroup(this);
        m_groups.push_back(group);
        for (int r = 0; r < 3; ++r) {
            auto* radio = new QRadioButton(this);
            kx::NameControl(radio, QStringLiteral("Port %1 %2").arg(p).arg(kChoiceNames[r]));
            radio->setGeometry(x + (step - kRadioSize) / 2, kRowY[r] + dy, kRadioSize + 2, kRadioSize + 2);
            group->addButton(radio, r);
            m_radios[static_cast<std::size_t>(p - 1)][static_cast<std::size_t>(r)] = radio;
            const Choice choice = r == 0 ? Choice::Tag : r == 1 ? Choice::Untag : Choice::NotMember;
            connect(radio, &QRadioButton::toggled, this, [this, p, choice](bool checked) {
                if (checked && !m_showing)
                    OnChoice(p, choice);
            });
        }
        auto* number = new QLabel(QString::number(p), this);
        number->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        number->setGeometry(x, kNumberY + dy, step, 16);
        if (step < 24) { // two digits under a narrow column
            QFont small = number->font();
            small.setPixelSize(9);
            number->setFont(small);
        }
    }
    // The row titles lead to port 1's buttons of their row.
    if (portCount > 0)
        for (int r = 0; r < 3; ++r)
            firstTitles[r]->setBuddy(m_radios[0][static_cast<std::size_t>(r)]);

    kx::Form form(this);
    m_ok = form.button(QStringLiteral("OK"));
    QPushButton* cancel = form.button(QStringLiteral("Cancel"));
    m_ok->setDefault(true);
    const int buttonsY = geometry.height() - 50;
    m_ok->setGeometry(width - 200, buttonsY, 80, 26);
    cancel->setGeometry(width - 105, buttonsY, 80, 26);
    connect(m_ok, &QPushButton::clicked, this, &CVlanEditDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    ShowModel();

    // The trunk rule of OK reads the aggregation groups: OK waits for them.
    auto foldTrunks = [this](const kx::WalkResult& result) {
        m_model.setTrunks(kx::TrunkMembership::FromRows(result.rows, m_model.portCount()));
    };
    kx::ReadPlan plan;
    if (readContext) {
        // Opened without the list dialog: what it would hand over is read first.
        auto context = std::make_shared<std::pair<VlanEntries, int>>(VlanEntries(), 2);
        plan.add(CVlanConfigDlg::VlanEntriesLoad(m_cCommonSNMPTableTrunk, context->first));
        plan.then(CVlanConfigDlg::AsymmetricModeLoad(m_cCommonSNMPSet, context->second));
        plan.walk(m_cCommonSNMPTableTrunk, {}, foldTrunks).afterPrevious().objectsAtStart([this, mode, vid, context] {
            m_model = VlanModel(mode, m_model.portCount(), context->second, context->first, vid);
            ShowModel();
            return QStringList{kx::kLaPortChannelMemberList};
        });
    } else {
        plan.walk(m_cCommonSNMPTableTrunk, {kx::kLaPortChannelMemberList}, foldTrunks);
    }
    read(plan, {m_ok});
}

void CVlanEditDlg::ShowModel()
{
    m_name->setText(m_model.editedEntry() ? m_model.editedEntry()->name : QString());
    if (m_model.mode() == VlanModel::Mode::Edit) {
        m_vid->setText(QString::number(m_model.editVid()));
        m_vid->setEnabled(false);
    }
    for (int p = 1; p <= m_model.portCount(); ++p)
        ShowChoice(p);
}

CVlanEditDlg* CVlanEditDlg::ForDevice(int vid, QWidget* parent)
{
    const VlanModel::Mode mode = vid > 0 ? VlanModel::Mode::Edit : VlanModel::Mode::Add;
    return new CVlanEditDlg(mode, vid, 2, {}, true, parent);
}

QRadioButton* CVlanEditDlg::radio(int port, Choice choice) const
{
    if (port < 1 || port > static_cast<int>(m_radios.size()))
        return nullptr;
    return m_radios[static_cast<std::size_t>(port - 1)][static_cast<std::size_t>(IndexOf(choice))];
}

void CVlanEditDlg::ShowChoice(int port)
{
    m_showing = true;
    radio(port, m_model.choiceOf(port))->setChecked(true);
    m_showing = false;
}

void CVlanEditDlg::OnChoice(int port, Choice choice)
{
    if (m_model.choose(port, choice))
        return;
    // Refused: the port is left with no button checked, its values unchanged.
    QButtonGroup* group = m_groups[static_cast<std::size_t>(port - 1)];
    m_showing = true;
    group->setExclusive(false);
    radio(port, choice)->setChecked(false);
    group->setExclusive(true);
    m_showing = false;
}

void CVlanEditDlg::OnOk()
{
    if (refuse(m_model.check(m_vid->text(), m_name->text())))
        return;
    using Result = VlanModel::WriteResult;
    writeSequence<Result>(
        [model = m_model, vid = m_model.vidFor(m_vid->text()), name = m_name->text(), session = m_cCommonSNMPSet] {
            return model.write(vid, name, kx::vlan::SessionSetPath(*session));
        },
        [this](const Result& result) {
            if (result == Result::Written)
                accept();
            else
                emit deviceChanged();
        });
}
