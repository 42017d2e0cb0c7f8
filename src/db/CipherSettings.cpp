#include "db/CipherSettings.h"

#include <sqlcipher/sqlite3.h>

namespace vanta::db {

void applyCipher(sqlite3 *db, const QByteArray &key, CipherParams params)
{
    sqlite3_key(db, key.constData(), int(key.size()));
    if (params == CipherParams::LibraryDefaults)
        return;
    // The algorithm pragmas arrived with version 4 of the library; earlier
    // ones ignore them and use SHA-1, which is what they ask for.
    sqlite3_exec(db,
                 "PRAGMA cipher_page_size = 1024;"
                 "PRAGMA kdf_iter = 64000;"
                 "PRAGMA cipher_hmac_algorithm = HMAC_SHA1;"
                 "PRAGMA cipher_kdf_algorithm = PBKDF2_HMAC_SHA1;",
                 nullptr, nullptr, nullptr);
}

} // namespace vanta::db
