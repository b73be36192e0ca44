// The account report: one account record as labelled lines of text.
#ifndef ACCTINFO_SRC_ACCOUNT_REPORT_H
#define ACCTINFO_SRC_ACCOUNT_REPORT_H

#include <string>

#include "netapi/netapi.h"

// Formats `record` in UTF-8: an empty line, eight lines of a 16-column label
// and its value, then one tab-indented line for each known flag that is set.
// An absent string prints as "(null)"; numbers print signed, as the platform
// prints them.
std::string format_account_report(const USER_INFO_1& record);

#endif  // ACCTINFO_SRC_ACCOUNT_REPORT_H
