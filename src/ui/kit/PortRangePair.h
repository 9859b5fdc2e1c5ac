#pragma once

// The "From Port"/"To Port" pair of drop-downs. Choosing a From port moves To to
// the same port; choosing a To port before From shows the dialog's own message
// and puts To back on From. Positions count: index 0 is the first port.

#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;

namespace kx {

class PortRangePair : public QObject
{
    Q_OBJECT

public:
    PortRangePair(QComboBox* from, QComboBox* to, const QString& smallerToMessage,
                  QObject* parent = nullptr);

    // Lists "1" ... "<portCount>" in both; From on the first port, To on `toPort`
    // (the last port when 0).
    void fillPorts(int portCount, int toPort = 0);

    // Port numbers of the current positions (position + 1), 0 when none.
    int fromPort() const;
    int toPort() const;
    void setPorts(int from, int to);

signals:
    // After the user changed either box (and after any correction).
    void rangeChanged(int fromPort, int toPort);

private:
    void onFromActivated(int index);
    void onToActivated(int index);

    QPointer<QComboBox> m_from;
    QPointer<QComboBox> m_to;
    QString m_message;
};

} // namespace kx
