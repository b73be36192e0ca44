// Finding one user's account record through the network-management service.
// This is the only code of the tool that calls the service.
#ifndef ACCTINFO_SRC_ACCOUNT_LOOKUP_H
#define ACCTINFO_SRC_ACCOUNT_LOOKUP_H

#include "netapi/netapi.h"

// What a look-up yields: the status of the account query and the record that
// the platform gave, which may be there even when the status is a failure.
struct AccountLookup {
  NET_API_STATUS status;
  USER_INFO_1* record;
};

// Asks the primary controller of `domain` for the level-1 record of
// `user_name`. When the controller can't be named, that status is the result
// and no account query is made. The record, if any, goes to release_account.
AccountLookup look_up_account(LPCWSTR domain, LPCWSTR user_name);

// Gives a record from look_up_account back to the platform.
void release_account(USER_INFO_1* record);

#endif  // ACCTINFO_SRC_ACCOUNT_LOOKUP_H
