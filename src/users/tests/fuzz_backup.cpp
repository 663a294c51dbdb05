// libFuzzer entry for the backup reader: any bytes must end in an accepted backup or a
// BackupError, never in a crash, a hang, a huge allocation or a read out of bounds. An accepted
// backup must hold only names its rule allows, as many as the header says. Built only by
// scripts/fuzz-backup (clang, ASan, UBSan).
#include <users/backup.h>
#include <users/backupfile.h>

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    static const users::NameRule general = users::generalNameRule();
    static const users::NameRule user = users::userNameRule("0003", "0001");
    for (bool asGeneral : {true, false}) {
        try {
            const users::ExtractedBackup x = users::checkBackupBytes(
                bytes, asGeneral ? general : user,
                asGeneral ? users::generalFileCount : users::userFileCount);
            const int expected = asGeneral ? users::generalFileCount(x.header)
                                           : users::userFileCount(x.header);
            if (x.names.size() != expected)
                __builtin_trap();
            for (const QString &n : x.names)
                if (n.contains('/') || n.contains('\\') || n.contains("..") ||
                    (!asGeneral && !n.startsWith("Tb0001")))
                    __builtin_trap();
        } catch (const users::BackupError &) {
            // A refused file is a normal outcome.
        }
    }
    return 0;
}
