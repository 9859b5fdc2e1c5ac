#include "ui/kit/PortCheckGrid.h"

#include <QButtonGroup>
#include <QCheckBox>

#include <algorithm>

namespace kx {

QRect PortGridGeometry::rectFor(int index) const
{
    if (!rects.empty())
        return index < static_cast<int>(rects.size()) ? rects[static_cast<size_t>(index)] : QRect();
    const int perRow = std::max(columns, 1);
    const QPoint at(origin.x() + (index % perRow) * step.width(),
                    origin.y() + (index / perRow) * step.height());
    return QRect(at, boxSize);
}

PortCheckGrid::PortCheckGrid(int portCount, const PortGridGeometry& geometry, QWidget* parent,
                             int firstId)
    : QWidget(parent), m_group(new QButtonGroup(this)), m_firstId(firstId)
{
    m_group->setExclusive(false);
    for (int port = 1; port <= std::max(portCount, 0); ++port) {
        auto* box = new QCheckBox(QString::number(port), this);
        box->setGeometry(geometry.rectFor(port - 1));
        box->setObjectName(QStringLiteral("port%1").arg(port));
        box->setAccessibleName(tr("Port %1").arg(port));
        m_group->addButton(box, idOf(port));
        m_boxes.push_back(box);
    }
    connect(m_group, &QButtonGroup::idClicked, this, [this](int id) {
        const int port = id - m_firstId + 1;
        emit portClicked(port, isChecked(port));
    });
}

QCheckBox* PortCheckGrid::box(int port) const
{
    return port >= 1 && port <= portCount() ? m_boxes[static_cast<size_t>(port - 1)] : nullptr;
}

QCheckBox* PortCheckGrid::boxForId(int id) const
{
    return box(id - m_firstId + 1);
}

PortFlags PortCheckGrid::flags(int value) const
{
    PortFlags out(m_boxes.size(), 0);
    for (size_t i = 0; i < m_boxes.size(); ++i)
        out[i] = m_boxes[i]->isChecked() ? value : 0;
    return out;
}

void PortCheckGrid::setFlags(const PortFlags& flags)
{
    for (size_t i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setChecked(i < flags.size() && flags[i] != 0);
}

bool PortCheckGrid::isChecked(int port) const
{
    const QCheckBox* b = box(port);
    return b && b->isChecked();
}

void PortCheckGrid::setChecked(int port, bool checked)
{
    if (QCheckBox* b = box(port))
        b->setChecked(checked);
}

void PortCheckGrid::setAllChecked(bool checked)
{
    for (QCheckBox* b : m_boxes)
        b->setChecked(checked);
}

QSize PortCheckGrid::sizeHint() const
{
    QRect bounds;
    for (const QCheckBox* b : m_boxes)
        bounds |= b->geometry();
    return QSize(bounds.right() + 1, bounds.bottom() + 1);
}

} // namespace kx
