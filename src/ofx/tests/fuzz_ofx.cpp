// libFuzzer entry for the OFX reader: any bytes must end in rows or an app::Error, never in a
// crash, a hang or a read out of bounds. Built only by scripts/fuzz-ofx (clang, ASan, UBSan).
#include <app/controlchars.h>
#include <app/error.h>
#include <ofx/fields.h>
#include <ofx/reader.h>

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const ofx::Statement st = ofx::readStatement(bytes, ofx::Preferences{10, 101, 201, true});
        for (const ofx::StagingRow &row : st.rows) {
            // Rows the import would store must hold what the fields and the entry editor keep.
            if (row.Valor <= app::Money() || !app::amountInRange(row.Valor.centavos()) ||
                row.Hsto.size() > ofx::hstoSize || row.NumDoc.size() > ofx::numDocSize ||
                app::hasControlCharacter(row.Hsto) || app::hasControlCharacter(row.NumDoc) ||
                !row.Data.isValid() || row.Data.year() < ofx::kFirstYear ||
                row.Data.year() > ofx::kLastYear)
                __builtin_trap();
        }
    } catch (const app::Error &) {
        // A refused file is a normal outcome.
    }
    return 0;
}
