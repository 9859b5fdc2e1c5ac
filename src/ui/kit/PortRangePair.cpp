#include "ui/kit/PortRangePair.h"

#include "base/Prompter.h"

#include <QComboBox>

namespace kx {

PortRangePair::PortRangePair(QComboBox* from, QComboBox* to, const QString& smallerToMessage,
                             QObject* parent)
    : QObject(parent), m_from(from), m_to(to), m_message(smallerToMessage)
{
    // activated: the user's choices only; the program's own settings pass unchecked.
    connect(from, &QComboBox::activated, this, &PortRangePair::onFromActivated);
    connect(to, &QComboBox::activated, this, &PortRangePair::onToActivated);
}

void PortRangePair::fillPorts(int portCount, int toPort)
{
    for (QComboBox* box : {m_from.data(), m_to.data()}) {
        if (!box)
            continue;
        box->clear();
        for (int port = 1; port <= portCount; ++port)
            box->addItem(QString::number(port));
    }
    setPorts(1, toPort > 0 ? toPort : portCount);
}

int PortRangePair::fromPort() const
{
    return m_from ? m_from->currentIndex() + 1 : 0;
}

int PortRangePair::toPort() const
{
    return m_to ? m_to->currentIndex() + 1 : 0;
}

void PortRangePair::setPorts(int from, int to)
{
    if (m_from)
        m_from->setCurrentIndex(from - 1);
    if (m_to)
        m_to->setCurrentIndex(to - 1);
}

void PortRangePair::onFromActivated(int index)
{
    if (m_to)
        m_to->setCurrentIndex(index);
    emit rangeChanged(fromPort(), toPort());
}

void PortRangePair::onToActivated(int index)
{
    if (m_from && index < m_from->currentIndex()) {
        GetPrompter().message(m_message);
        // The box may have been closed while the message was up.
        if (m_from && m_to)
            m_to->setCurrentIndex(m_from->currentIndex());
    }
    emit rangeChanged(fromPort(), toPort());
}

} // namespace kx
