#pragma once

// An IPv4 address typed in four fields of 0 ... 255. Like the address controls
// users know: "." or a third digit moves to the next field, Backspace at the start
// of a field and the arrow keys at its ends move between fields.

#include <QFrame>
#include <QString>

#include <array>

class QLineEdit;

namespace kx {

class IpAddressEdit : public QFrame
{
    Q_OBJECT

public:
    explicit IpAddressEdit(QWidget* parent = nullptr);

    // How many fields hold a number; a dialog accepts an address only with all 4.
    int filledFieldCount() const;
    bool isBlank() const { return filledFieldCount() == 0; }

    // "a.b.c.d", an empty field read as 0.
    QString text() const;
    // Fills the fields from a dotted text; a part that is not a number 0 ... 255
    // leaves its field empty. False unless all four parts were numbers.
    bool setText(const QString& dotted);

    // The address with the first field in the top octet, an empty field read as 0.
    quint32 address() const;
    void setAddress(quint32 address);

    void clear();

    // Field 0 ... 3: its number, or -1 when empty.
    int field(int index) const;
    void setField(int index, int value);
    QLineEdit* fieldEdit(int index) const { return m_fields.at(static_cast<size_t>(index)); }

    // Accessible names of the fields: "<name>, field 1 of 4" ...
    void setFieldNames(const QString& name);

signals:
    // Any field changed, by the user or the program.
    void addressChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusField(int index, bool atEnd);
    int indexOf(const QObject* edit) const;

    std::array<QLineEdit*, 4> m_fields{};
};

} // namespace kx
