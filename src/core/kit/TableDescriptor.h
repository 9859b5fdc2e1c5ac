#pragma once

// A read-only table as data: its title, its columns (header, the object walked,
// how a value reads), and which rows it shows. CTableViewerDlg walks it and
// lists it; the MIB and neighbour viewers are descriptors, not dialogs.

#include "core/kit/SnmpValue.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace kx {

struct TableColumn
{
    QString header; // shown exactly; its blanks set the column's first width
    QString oid;    // the column walked
    // The cell's text from the row; empty: the value's text.
    std::function<QString(const WalkRow& row, std::size_t column)> render;
};

struct TableDescriptor
{
    QString title;
    QString listName; // the list's accessible name
    QString session = QStringLiteral("m_cCommonSNMP");
    std::vector<TableColumn> columns;
    // Rows shown; empty: every row.
    std::function<bool(const WalkRow& row)> keep;
    QSize size = QSize(520, 400);

    QStringList oids() const;
    QStringList rowTexts(const WalkRow& row) const;
};

// A value looked up in a table of texts, `otherwise` when it has none.
QString TextOf(const QString& value, const std::vector<std::pair<QString, QString>>& texts,
               const QString& otherwise);

} // namespace kx
