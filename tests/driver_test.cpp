#include "src/driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fake_netapi.h"

namespace {

using Calls = std::vector<std::string>;

struct RunResult {
  int exit_status;
  std::string out;
  std::string err;
};

// A stream whose bytes the test reads back once it is closed.
class Capture {
 public:
  Capture() : stream_(open_memstream(&data_, &size_)) {}
  ~Capture() { std::free(data_); }
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;
  std::FILE* stream() { return stream_; }
  std::string close() {
    std::fclose(stream_);
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* stream_;
};

std::vector<char*> argument_vector(std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return argv;
}

// Runs the driver on `arguments`, the program name first. Standard output
// is captured, or is `out` when given.
RunResult run(std::vector<std::string> arguments, std::FILE* out = nullptr) {
  std::vector<char*> argv = argument_vector(arguments);
  Capture captured_out;
  Capture err;
  const int exit_status = run_acctinfo(static_cast<int>(arguments.size()), argv.data(),
                                       out ? out : captured_out.stream(), err.stream());
  return {exit_status, captured_out.close(), err.close()};
}

char16_t alice_name[] = u"alice";
char16_t alice_comment[] = u"";

class Driver : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_fake_netapi();
    fake_netapi().record = {alice_name, nullptr, 0, USER_PRIV_USER, nullptr, alice_comment,
                            UF_NORMAL_ACCOUNT, nullptr};
  }
  void TearDown() override { EXPECT_EQ(fake_netapi_live_buffers(), 0) << "a buffer leaked"; }
};

const std::string kAliceReport =
    "\n"
    "Account:        alice\n"
    "Comment:        \n"
    "Home directory: (null)\n"
    "Logon Script:   (null)\n"
    "Password:       (null)\n"
    "Password Age:   0.000000 days\n"
    "Privilege:      1 (USER)\n"
    "Flags:          512\n"
    "\tNormal account\n";

const Calls kAliceCalls = {
    "NetGetDCName(null, \"CORP\")",
    "NetUserGetInfo(controller, \"alice\", 1)",
    "NetApiBufferFree(controller)",
    "NetApiBufferFree(record)",
};

TEST_F(Driver, RefusesAnyOtherOperandCountWithTheUsageLineOnly) {
  const struct {
    std::vector<std::string> arguments;
    std::string usage;
  } cases[] = {
      {{}, "Usage: acctinfo domain username\n"},
      {{"./bin/acct info"}, "Usage: ./bin/acct info domain username\n"},
      {{"acctinfo", "CORP"}, "Usage: acctinfo domain username\n"},
      {{"/usr/bin/acctinfo", "CORP", "alice", "extra"},
       "Usage: /usr/bin/acctinfo domain username\n"},
      {{"%s%n", "a", "b", "c", "d"}, "Usage: %s%n domain username\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.usage);
    const RunResult result = run(c.arguments);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, c.usage);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(fake_netapi().calls, Calls{});
  }
}

TEST_F(Driver, ReportsAFoundAccountAndReleasesEveryBuffer) {
  const RunResult result = run({"acctinfo", "CORP", "alice"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.out, kAliceReport);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(fake_netapi().calls, kAliceCalls);
}

TEST_F(Driver, PassesOperandsAsPlainTextInWhateverTheyHold) {
  const struct {
    std::string domain;
    std::string user;
    std::string logged_domain;
    std::string logged_user;
  } cases[] = {
      {"", "", "\"\"", "\"\""},
      {"%s%n%d", "100%\\\\x", "\"%s%n%d\"", "\"100%\\\\x\""},
      {"-", "--help", "\"-\"", "\"--help\""},
      {"J\xc3\xbcrgen", "\xf0\x9f\x98\x80", "\"J\xc3\xbcrgen\"", "\"\xf0\x9f\x98\x80\""},
      {"bad\xff", "cut\xe2\x82", "\"bad\xef\xbf\xbd\"", "\"cut\xef\xbf\xbd\""},
      {std::string(1023, 'd'), std::string(1023, 'u'), '"' + std::string(1023, 'd') + '"',
       '"' + std::string(1023, 'u') + '"'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.logged_domain.substr(0, 20));
    reset_fake_netapi();
    fake_netapi().gives_record = false;
    const RunResult result = run({"acctinfo", c.domain, c.user});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(fake_netapi().calls,
              (Calls{"NetGetDCName(null, " + c.logged_domain + ")",
                     "NetUserGetInfo(controller, " + c.logged_user + ", 1)",
                     "NetApiBufferFree(controller)"}));
    EXPECT_EQ(fake_netapi_live_buffers(), 0);
  }
}

TEST_F(Driver, ReportsFailuresOnceWithExitStatusTwo) {
  const struct {
    const char* what;
    NET_API_STATUS controller_status;
    NET_API_STATUS user_status;
    bool gives_record;
    std::string err;
    Calls calls;
  } cases[] = {
      {"account query fails", NERR_Success, NERR_UserNotFound, false,
       "A system error has occurred: 2221\n",
       {"NetGetDCName(null, \"CORP\")", "NetUserGetInfo(controller, \"alice\", 1)",
        "NetApiBufferFree(controller)"}},
      {"failure that leaves a record", NERR_Success, ERROR_ACCESS_DENIED, true,
       "A system error has occurred: 5\n", kAliceCalls},
      {"status written signed", NERR_Success, 0x80070005u, false,
       "A system error has occurred: -2147024891\n",
       {"NetGetDCName(null, \"CORP\")", "NetUserGetInfo(controller, \"alice\", 1)",
        "NetApiBufferFree(controller)"}},
      {"no controller", NERR_DCNotFound, NERR_Success, true,
       "A system error has occurred: 2453\n", {"NetGetDCName(null, \"CORP\")"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    fake_netapi().controller_status = c.controller_status;
    fake_netapi().user_status = c.user_status;
    fake_netapi().gives_record = c.gives_record;
    const RunResult result = run({"acctinfo", "CORP", "alice"});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(fake_netapi().calls, c.calls);
    EXPECT_EQ(fake_netapi_live_buffers(), 0);
  }
}

TEST_F(Driver, WritesNothingForASuccessThatGivesNoRecord) {
  fake_netapi().gives_record = false;
  const RunResult result = run({"acctinfo", "CORP", "alice"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
}

TEST_F(Driver, RefusesAnOperandTooLongForItsBufferBeforeAnyCall) {
  std::string too_long_in_units;
  for (int i = 0; i < 512; ++i) too_long_in_units += "\xf0\x9f\x98\x80";
  const std::vector<std::string> cases[] = {
      {"acctinfo", std::string(1024, 'x'), "alice"},
      {"acctinfo", "CORP", std::string(1024, 'x')},
      {"acctinfo", "CORP", too_long_in_units},
      {"acctinfo", std::string(5000, 'y'), "alice"},
  };
  for (const auto& arguments : cases) {
    const RunResult result = run(arguments);
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "A system error has occurred: 122\n");
    EXPECT_EQ(fake_netapi().calls, Calls{});
  }
}

TEST_F(Driver, SaysSoWhenStandardOutputCannotBeWritten) {
  std::FILE* full = std::fopen("/dev/full", "w");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full on this machine";
  const RunResult result = run({"acctinfo", "CORP", "alice"}, full);
  std::fclose(full);
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.err, "acctinfo: cannot write standard output: No space left on device\n");
  EXPECT_EQ(fake_netapi().calls, kAliceCalls);
}

}  // namespace
