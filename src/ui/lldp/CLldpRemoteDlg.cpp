#include "ui/lldp/CLldpRemoteDlg.h"

#include "common/SessionSettings.h"
#include "core/lldp/LldpLogic.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QLineEdit>
#include <QPushButton>

using namespace kx::lldp;

CLldpRemoteDlg::CLldpRemoteDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("LLDP Remote Port Information"), parent)
{
    kx::Form form = kx::Form::Stacked(this);
    form.reserve({QStringLiteral("&Refresh"), QStringLiteral("&Close")});
    form.group(QStringLiteral("  LLDP Remote Port Brief Table "));
    m_count = form.edit(QStringLiteral("Remote Entities Count: "), kx::FieldOptions::ReadOnly());
    m_list = new kx::GridListView(QStringLiteral("LLDP Remote Port Brief Table"), this);
    m_list->setColumns({{QStringLiteral("Port"), 50},
                        {QStringLiteral("Entity"), 50},
                        {QStringLiteral("Chassis ID Subtype"), 110},
                        {QStringLiteral("Chassis ID"), 150},
                        {QStringLiteral("Port ID Subtype"), 100},
                        {QStringLiteral("Port ID"), 100},
                        {QStringLiteral("Port Description"), 150},
                        {QStringLiteral("System Name"), 150},
                        {QStringLiteral("System Description"), 150}});
    form.add(m_list);
    form.endGroup();
    m_refresh = form.action(QStringLiteral("&Refresh"), [this] { Refresh(); });
    QPushButton* close = form.action(QStringLiteral("&Close"), [this] { reject(); });
    form.buttonRow({m_refresh, close});
    resize(720, 360);
    Refresh();
}

void CLldpRemoteDlg::Refresh()
{
    m_list->clearRows();
    m_stateOff = false;
    kx::ReadPlan plan;
    if (GetSessionSettings().SnmpVersion == "1") {
        plan.get(m_cCommonSNMPEnabled, {kLldpState}, [this](const kx::GetResult& answer) {
            if (answer.status != 0) {
                prompter().message(kRemoteUnsuccessful);
                return;
            }
            m_stateOff = answer.value(0).text() == QLatin1String("2");
        });
    }
    m_walkEnded = false;
    plan.walk(m_cCommonSNMP, RemoteColumns(), [this](const kx::WalkResult& r) { m_walkEnded = r.reachedEnd(); });
    if (plan.loads().size() > 1)
        plan.afterPrevious();
    plan.rows([this](const kx::WalkRow& row) { m_list->addRow(RemoteLine(row)); });
    // The count and the message follow the walk's delivered end, on this thread.
    read(plan, {m_refresh, m_list}, [this] {
        m_count->setText(QString::number(m_list->rowCount()));
        m_list->setEnabled(!m_stateOff);
        m_refresh->setEnabled(!m_stateOff);
        // A switch that did not answer has not said it has no neighbour.
        if (m_list->rowCount() == 0 && m_walkEnded)
            prompter().message(kNoRemotePort);
    });
}
