#include "ui/snmpadmin/CSnmpUserTableDlg.h"

#include "ui/kit/Accessibility.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace kx::snmpadmin;

namespace {

// A masked edit named after what it holds, not after its label.
QLineEdit* PasswordEdit(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setEchoMode(QLineEdit::Password);
    kx::NameControl(edit, name);
    return edit;
}

} // namespace

CSnmpUserTableDlg::CSnmpUserTableDlg(QWidget* parent)
    : CSnmpAdminDlg(QStringLiteral("SNMP User Table "), parent)
{
    m_list = new kx::GridListView(QStringLiteral("User List"), this);
    m_list->setColumns({{QStringLiteral("User Name"), 100},
                        {QStringLiteral("Group Name"), 100},
                        {QStringLiteral("SNMP Version"), 100},
                        {QStringLiteral("Auth Protocol"), 105},
                        {QStringLiteral("Priv-Protocol"), 105}});

    Table t = BeginTable();
    m_name = t.form.edit(QStringLiteral("User Name"), kx::FieldOptions::Limit(32));
    Place(t, 0, 0);
    m_group = t.form.edit(QStringLiteral("Group Name"), kx::FieldOptions::Limit(32));
    Place(t, 0, 1);
    m_version = t.form.combo(QStringLiteral("SNMP Version"), UserVersions());
    Place(t, 1, 0);
    m_encrypted = t.form.check(QStringLiteral("encrypted"));
    Place(t, 1, 1);
    m_authProtocol = t.form.combo(QStringLiteral("Auth-Protocol"), {QStringLiteral("MD5"), QStringLiteral("SHA")});
    Place(t, 2, 0);
    m_authPassword = PasswordEdit(this, QStringLiteral("Auth-Protocol Password"));
    t.form.field(QStringLiteral("Password"), m_authPassword);
    Place(t, 2, 1);
    m_privProtocol = t.form.combo(QStringLiteral("Priv-Protocol"), {QStringLiteral("DES"), QStringLiteral("None")});
    Place(t, 3, 0);
    m_privPassword = PasswordEdit(this, QStringLiteral("Priv-Protocol Password"));
    t.form.field(QStringLiteral("Password"), m_privPassword);
    Place(t, 3, 1);

    m_gated = EndTable(t, m_list, QSize(560, 420), &CSnmpUserTableDlg::OnApply, &CSnmpUserTableDlg::OnDelete,
                       &CSnmpUserTableDlg::Refresh);
    connect(m_version, &QComboBox::activated, this, &CSnmpUserTableDlg::OnVersionChanged);
    connect(m_encrypted, &QCheckBox::toggled, this, &CSnmpUserTableDlg::OnEncryptedToggled);
    connect(m_privProtocol, &QComboBox::activated, this, &CSnmpUserTableDlg::OnPrivProtocolChanged);
    ResetFields();
    Refresh();
}

void CSnmpUserTableDlg::ResetFields()
{
    for (QLineEdit* edit : {m_name, m_group, m_authPassword, m_privPassword})
        edit->clear();
    for (QComboBox* combo : {m_version, m_authProtocol, m_privProtocol})
        combo->setCurrentIndex(0);
    m_encrypted->setChecked(false);
    for (QWidget* w : {static_cast<QWidget*>(m_authPassword), static_cast<QWidget*>(m_privPassword),
                       static_cast<QWidget*>(m_authProtocol), static_cast<QWidget*>(m_privProtocol),
                       static_cast<QWidget*>(m_encrypted)})
        w->setEnabled(false);
}

void CSnmpUserTableDlg::Refresh()
{
    m_rows.clear();
    m_list->clearRows();
    read(m_model->WalkUsers([this](const UserRow& row) {
             if (!IsActive(row))
                 return;
             m_rows.push_back(row);
             m_list->addRow({row.name, row.group, row.version, row.authProtocol, row.privProtocol});
         }),
         m_gated);
}

void CSnmpUserTableDlg::OnVersionChanged()
{
    const bool v3 = m_version->currentText() == QLatin1String("V3");
    // Leaving V3 also unticks "encrypted": a V1 or V2c user has no protocols,
    // and a password left in a disabled edit must not refuse it.
    if (!v3)
        m_encrypted->setChecked(false);
    m_encrypted->setEnabled(v3);
    if (!v3) {
        for (QWidget* w : {static_cast<QWidget*>(m_authProtocol), static_cast<QWidget*>(m_privProtocol),
                           static_cast<QWidget*>(m_authPassword), static_cast<QWidget*>(m_privPassword)})
            w->setEnabled(false);
    }
}

void CSnmpUserTableDlg::OnEncryptedToggled()
{
    const bool on = m_encrypted->isChecked();
    m_authProtocol->setEnabled(on);
    m_privProtocol->setEnabled(on);
    m_authPassword->setEnabled(on);
    m_privPassword->setEnabled(on && m_privProtocol->currentText() == QLatin1String("DES"));
}

void CSnmpUserTableDlg::OnPrivProtocolChanged()
{
    m_privPassword->setEnabled(m_privProtocol->currentText() == QLatin1String("DES"));
}

void CSnmpUserTableDlg::OnApply()
{
    UserInput in;
    in.name = m_name->text();
    in.group = m_group->text();
    in.version = m_version->currentText();
    in.encrypted = m_encrypted->isChecked();
    in.authProtocol = m_authProtocol->currentText();
    in.authPassword = m_authPassword->text();
    in.privProtocol = m_privProtocol->currentText();
    in.privPassword = m_privPassword->text();
    const Checked<UserEntry> checked = CheckUser(in, m_rows);
    QWidget* field = checked.field == Field::AuthPassword   ? m_authPassword
                     : checked.field == Field::PrivPassword ? m_privPassword
                                                            : nullptr;
    if (refuse(checked.refusal, field))
        return;
    change([user = checked.entry](CSnmpAdminModel& model) { model.CreateUser(user); },
           [this] {
               ResetFields();
               Refresh();
           });
}

void CSnmpUserTableDlg::OnDelete()
{
    const int row = m_list->selectedRow();
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        refuse(UserOrGroupDeleteRefusal());
        return;
    }
    const QString oid = Column(kUserEntry, kUserStatus) +
                        CSnmpAdminModel::UserIndex(m_rows[row].name, m_rows[row].version);
    change([oid](CSnmpAdminModel& model) { model.SetRowStatus(oid, kDestroy); }, [this] { Refresh(); });
}
