#pragma once

#include <QByteArray>

struct sqlite3;

namespace vanta::db {

// How a store file's pages are encrypted. Every store is written with the
// parameters given explicitly (1024-byte pages, 64,000 key derivation
// iterations, SHA-1 for the page HMAC and for the key derivation), so that a
// later cipher library whose defaults differ still reads it. A file written
// with some library's defaults is read with those.
enum class CipherParams { Explicit, LibraryDefaults };

// Gives the connection its key and, for Explicit, the parameters above (the
// library ignores those it does not know). Call before anything reads the file.
void applyCipher(sqlite3 *db, const QByteArray &key, CipherParams params);

} // namespace vanta::db
