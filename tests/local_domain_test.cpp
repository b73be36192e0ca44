#include "netapi/local_domain.h"

#include <gtest/gtest.h>

namespace {

TEST(LocalDomain, AnswersForItsOwnNamesOnly) {
  const struct {
    const char* domain;
    const char* host;
    bool local;
  } cases[] = {
      {"", "ctl.example.org", true},
      {".", "ctl.example.org", true},
      {"LocalHost", "ctl.example.org", true},
      {"ctl.example.org", "ctl.example.org", true},
      {"CTL.Example.ORG", "ctl.example.org", true},
      {"ctl", "ctl.example.org", true},
      {"Example.org", "ctl.example.org", true},
      {"org", "ctl.example.org", false},
      {"ctl.example", "ctl.example.org", false},
      {"ctl.", "ctl.example.org", false},
      {"..", "ctl.example.org", false},
      {"vm", "vm", true},
      {"VM", "vm", true},
      {"", "vm", true},
      {"vm2", "vm", false},
      {"\xc3\x89", "\xc3\xa9", false},  // only ASCII letters fold
  };
  for (const auto& c : cases) {
    EXPECT_EQ(names_local_domain(c.domain, c.host), c.local) << c.domain << " on " << c.host;
  }
}

TEST(LocalDomain, TakesTheControllerNameWithOrWithoutBackslashes) {
  const struct {
    const char* server;
    bool local;
  } cases[] = {
      {"", true},
      {"\\\\ctl.example.org", true},
      {"\\\\CTL.example.org", true},
      {"ctl.example.org", true},
      {"\\\\", false},
      {"\\\\ctl", false},
      {"\\ctl.example.org", false},
      {"\\\\\\\\ctl.example.org", false},
      {"localhost", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(names_local_server(c.server, "ctl.example.org"), c.local) << c.server;
  }
}

}  // namespace
