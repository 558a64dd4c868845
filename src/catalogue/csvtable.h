#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// A comma-separated table with one header line: fields may be enclosed in double quotes
// (then they may hold commas and line breaks, and "" stands for one quote); lines end in LF
// or CR LF. Blank lines are skipped.
class CsvTable
{
public:
    explicit CsvTable(QStringView text);

    qsizetype rowCount() const { return m_rows.size(); }
    const QStringList &header() const { return m_header; }

    // The field of `column` in data row `row`; empty when the row or the column is missing.
    QString field(qsizetype row, QStringView column) const;

private:
    QStringList m_header;
    QList<QStringList> m_rows;
};
