#pragma once

#include <QStringList>
#include <QTextStream>

namespace vanta::storegen {

// Exit codes of the back-office tool.
enum AdminExit { AdminOk = 0, AdminFailed = 1, AdminUsage = 2 };

// Runs one command line of vanta-admin (the arguments after the program
// name):
//   create DIR [--force]                                  an empty store database
//   demo DIR [--force]                                    the demo store
//   demo DIR --items N --customers M [--seed S] [--force] a large generated store
//   migrate, upgrade                                      (see the usage text)
//   backup DIR | --pg URL [--to FILE]                     a backup while registers sell
//   restore BACKUP DIR [--force]                          a backup in place of the store
//   --help, --version
// Writes the path of the store it wrote to `out`, one-line errors to `err`.
// An existing store is replaced only with --force; the new store is built
// beside it first, so a failure leaves the old one as it was.
int runAdmin(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace vanta::storegen
