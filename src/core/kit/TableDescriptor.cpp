#include "core/kit/TableDescriptor.h"

namespace kx {

QStringList TableDescriptor::oids() const
{
    QStringList list;
    for (const TableColumn& c : columns)
        list << c.oid;
    return list;
}

QStringList TableDescriptor::rowTexts(const WalkRow& row) const
{
    QStringList texts;
    for (std::size_t i = 0; i < columns.size(); ++i)
        texts << (columns[i].render ? columns[i].render(row, i) : row.value(i).text());
    return texts;
}

QString TextOf(const QString& value, const std::vector<std::pair<QString, QString>>& texts,
               const QString& otherwise)
{
    for (const auto& [code, text] : texts)
        if (code == value)
            return text;
    return otherwise;
}

} // namespace kx
