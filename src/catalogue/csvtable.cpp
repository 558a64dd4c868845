#include "catalogue/csvtable.h"

namespace {

// Splits the text into records of fields. Runs of ordinary characters are copied in one piece:
// the tables hold long notes, and a copy per character made their first read several times slower.
QList<QStringList> records(QStringView text)
{
    QList<QStringList> all;
    QStringList record;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    qsizetype runStart = 0; // the first character not yet copied into the field
    const auto takeRun = [&](qsizetype end) {
        if (end > runStart)
            field.append(text.sliced(runStart, end - runStart));
    };
    const auto endRecord = [&] {
        if (fieldStarted || !record.isEmpty()) {
            record.append(field);
            all.append(record);
        }
        record.clear();
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"')
                continue;
            takeRun(i);
            if (i + 1 < text.size() && text[i + 1] == u'"') {
                field.append(c);
                ++i;
            } else {
                quoted = false;
            }
            runStart = i + 1;
        } else if (c == u'"' || c == u',' || c == u'\n' || c == u'\r') {
            takeRun(i);
            runStart = i + 1;
            if (c == u'"') {
                quoted = true;
                fieldStarted = true;
            } else if (c == u',') {
                record.append(field);
                field.clear();
                fieldStarted = true;
            } else if (c == u'\n') {
                endRecord();
            }
        } else {
            fieldStarted = true;
        }
    }
    takeRun(text.size());
    endRecord();
    return all;
}

} // namespace

CsvTable::CsvTable(QStringView text)
{
    m_rows = records(text);
    if (!m_rows.isEmpty())
        m_header = m_rows.takeFirst();
}

QString CsvTable::field(qsizetype row, QStringView column) const
{
    const qsizetype c = m_header.indexOf(column);
    if (row < 0 || row >= m_rows.size() || c < 0 || c >= m_rows[row].size())
        return {};
    return m_rows[row][c];
}
