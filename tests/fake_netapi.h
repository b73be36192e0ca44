// A scripted stand-in for the network-management service, linked into the
// tests in place of the local account service. It answers as the test sets
// it up and records every call with its arguments.
#ifndef ACCTINFO_TESTS_FAKE_NETAPI_H
#define ACCTINFO_TESTS_FAKE_NETAPI_H

#include <string>
#include <vector>

#include "netapi/netapi.h"

struct FakeNetApi {
  // NetGetDCName's answer; the name is given only on success.
  NET_API_STATUS controller_status = NERR_Success;
  std::u16string controller_name = u"\\\\DC1";

  // NetUserGetInfo's answer: a copy of `record` when `gives_record`,
  // whatever the status.
  NET_API_STATUS user_status = NERR_Success;
  bool gives_record = true;
  USER_INFO_1 record{};

  // Each call in order, for example NetUserGetInfo(controller, "alice", 1).
  // A buffer the service gave is named for what it holds ("controller",
  // "record"); a string that is no such buffer is quoted; a buffer freed
  // that is not live is "unknown".
  std::vector<std::string> calls;
};

// The stand-in the service functions answer from; fresh for each test.
FakeNetApi& fake_netapi();
void reset_fake_netapi();

// How many buffers the service gave that are not yet freed.
int fake_netapi_live_buffers();

#endif  // ACCTINFO_TESTS_FAKE_NETAPI_H
