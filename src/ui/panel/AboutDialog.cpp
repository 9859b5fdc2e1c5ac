#include "ui/panel/AboutDialog.h"

#include "core/panel/PanelResources.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

QStringList AboutDialog::FixedLines()
{
    return {QStringLiteral("Firmware Version: 1.00.00"), QStringLiteral("Module Version: 1.0.0"),
            QStringLiteral("Hardware Revision: R2"),
            QStringLiteral("Managed switch module for the network-management console")};
}

AboutDialog::AboutDialog(const QString& deviceName, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(deviceName + QStringLiteral(" Module"));
    const QIcon icon = ApplicationIcon();
    setWindowIcon(icon);

    auto* iconLabel = new QLabel(this);
    iconLabel->setPixmap(icon.pixmap(48, 48));
    iconLabel->setAccessibleName(QStringLiteral("Application icon"));

    m_moduleLabel = new QLabel(deviceName + QStringLiteral(" Management Module"), this);
    auto* lines = new QVBoxLayout;
    lines->addWidget(m_moduleLabel);
    for (const QString& text : FixedLines())
        lines->addWidget(new QLabel(text, this));

    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel, 0, Qt::AlignTop);
    top->addLayout(lines);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace kx
