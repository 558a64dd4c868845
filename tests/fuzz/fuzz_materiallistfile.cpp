// Feeds arbitrary file bytes to the material list's file reader. Checked: every row read is a
// usable row with one cell for each extra column; the list those rows make, written and read
// again, reads without a fault and gives the same rows, notes, extra columns and cells; and
// writing it again gives the same bytes.

#include "materiallist/materiallist.h"
#include "materiallist/materiallistcsv.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, const QByteArray &bytes, const QByteArray &written = QByteArray())
{
    std::fprintf(stderr, "property broken: %s\nfile:\n%s\nwritten:\n%s\n", what, bytes.toHex(' ').constData(),
                 written.constData());
    std::abort();
}

MaterialList listOf(const MaterialListCsv::ReadResult &read, const QByteArray &bytes)
{
    MaterialList list;
    list.setExtraColumns(read.extraColumns);
    for (const MaterialListCsv::ReadRow &row : read.rows) {
        if (MaterialList::lineProblem(row.line))
            fail("a row read is not usable", bytes);
        if (row.extraCells.size() != read.extraColumns.size())
            fail("a row has not one cell per extra column", bytes);
        if (!list.append(row.line, row.note, row.extraCells))
            fail("a row read is refused", bytes);
    }
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const MaterialListCsv::ReadResult first = MaterialListCsv::read(bytes);
    const MaterialList list = listOf(first, bytes);

    const QByteArray written = MaterialListCsv::write(list);
    const MaterialListCsv::ReadResult second = MaterialListCsv::read(written);
    if (second.undecodable || !second.unreadableLines.isEmpty())
        fail("the written list does not read back cleanly", bytes, written);
    const MaterialList again = listOf(second, written);
    if (again.extraColumns() != list.extraColumns())
        fail("extra columns differ after a rewrite", bytes, written);
    if (again.rows() != list.rows())
        fail("rows differ after a rewrite", bytes, written);
    if (MaterialListCsv::write(again) != written)
        fail("a second rewrite gives other bytes", bytes, written);
    (void)MaterialListCsv::clipboardText(again);
    return 0;
}
