// One run of acctinfo, from the command line to the exit status.
#ifndef ACCTINFO_SRC_DRIVER_H
#define ACCTINFO_SRC_DRIVER_H

#include <cstdio>

// Runs `acctinfo domain username` for the command line `argc`/`argv`: writes
// the account report to `out`, or one line to `err` (the usage, a system
// error, or a failed write to `out`). Returns the exit status: 0 after a
// report or a query that found no record, 1 after the usage line, 2 after
// any failure.
int run_acctinfo(int argc, char* argv[], std::FILE* out, std::FILE* err);

#endif  // ACCTINFO_SRC_DRIVER_H
