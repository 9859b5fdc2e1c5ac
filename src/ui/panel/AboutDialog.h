#pragma once

#include <QDialog>

class QLabel;

namespace kx {

// The About box: titled DeviceName + " Module", its first line DeviceName +
// " Management Module", then the fixed version lines; OK closes it.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(const QString& deviceName, QWidget* parent = nullptr);

    // The line that names the model.
    QLabel* moduleLabel() const { return m_moduleLabel; }
    static QStringList FixedLines();

private:
    QLabel* m_moduleLabel;
};

} // namespace kx
