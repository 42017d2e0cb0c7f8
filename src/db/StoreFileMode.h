#pragma once

#include <QString>

namespace vanta::db {

// The store's key is the same for every store, so a store file's mode is
// what keeps its customers' names, addresses and balances from the other
// accounts of the computer. New store files (and backups) are readable and
// writable by their owner only, or, in a folder shared by a group (one with
// the set-group-ID bit, whose new files take the folder's group), by that
// group too. The engine gives a store's -wal and -shm files the mode of the
// store file itself.
int newStoreFileMode(const QString &folder);

// Creates the empty file `path` with the mode above; an existing file is
// left alone. Throws DbError when it cannot be made.
void createStoreFile(const QString &path);

// True when any account of the computer can read the file: it is readable
// by others and every folder above it can be passed through by others.
bool readableByEveryone(const QString &path);

} // namespace vanta::db
