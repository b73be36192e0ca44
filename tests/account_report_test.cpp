#include "src/account_report.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Test data lives in arrays, as the record's strings must be writable.
char16_t name[] = u"alice";
char16_t password[] = u"secret";
char16_t home_dir[] = u"/home/alice";
char16_t comment[] = u"Alice Liddell";
char16_t script_path[] = u"/bin/sh";
char16_t empty[] = u"";
char16_t accented[] = u"J\u00fcrgen \u03a9\u20ac";     // beyond U+00FF
char16_t astral[] = u"\U0001F600 smile";               // beyond U+FFFF
char16_t lone_surrogates[] = {u'a', 0xD800, u'b', 0xDC00, u'c', 0};

USER_INFO_1 alice() {
  return {name, password, 86400 * 3, USER_PRIV_USER, home_dir, comment, UF_SCRIPT | UF_NORMAL_ACCOUNT,
          script_path};
}

const std::string kAliceReport =
    "\n"
    "Account:        alice\n"
    "Comment:        Alice Liddell\n"
    "Home directory: /home/alice\n"
    "Logon Script:   /bin/sh\n"
    "Password:       secret\n"
    "Password Age:   3.000000 days\n"
    "Privilege:      1 (USER)\n"
    "Flags:          513\n"
    "\tNormal account\n";

// A record that differs from alice() in one way, and the bytes of alice's
// report that the difference changes.
struct ReportCase {
  const char* what;
  std::function<void(USER_INFO_1&)> change;
  std::string alice_text;
  std::string expected_text;
};

const std::string kAliceFlags = "Flags:          513\n\tNormal account\n";

const ReportCase kCases[] = {
    {"absent name", [](USER_INFO_1& r) { r.usri1_name = nullptr; }, "alice\n", "(null)\n"},
    {"absent comment", [](USER_INFO_1& r) { r.usri1_comment = nullptr; }, "Alice Liddell",
     "(null)"},
    {"absent home", [](USER_INFO_1& r) { r.usri1_home_dir = nullptr; }, "/home/alice", "(null)"},
    {"absent script", [](USER_INFO_1& r) { r.usri1_script_path = nullptr; }, "/bin/sh", "(null)"},
    {"absent password", [](USER_INFO_1& r) { r.usri1_password = nullptr; }, "secret", "(null)"},
    {"empty comment", [](USER_INFO_1& r) { r.usri1_comment = empty; },
     "Comment:        Alice Liddell\n", "Comment:        \n"},
    {"empty home", [](USER_INFO_1& r) { r.usri1_home_dir = empty; }, "/home/alice\n", "\n"},
    {"beyond U+00FF", [](USER_INFO_1& r) { r.usri1_comment = accented; }, "Alice Liddell",
     "J\xc3\xbcrgen \xce\xa9\xe2\x82\xac"},
    {"beyond U+FFFF", [](USER_INFO_1& r) { r.usri1_name = astral; }, "alice\n",
     "\xf0\x9f\x98\x80 smile\n"},
    {"lone surrogates", [](USER_INFO_1& r) { r.usri1_comment = lone_surrogates; },
     "Alice Liddell", "a\xef\xbf\xbd" "b\xef\xbf\xbd" "c"},
    {"age 0", [](USER_INFO_1& r) { r.usri1_password_age = 0; }, "3.000000", "0.000000"},
    {"age one day", [](USER_INFO_1& r) { r.usri1_password_age = 86400; }, "3.000000", "1.000000"},
    {"age one second", [](USER_INFO_1& r) { r.usri1_password_age = 1; }, "3.000000", "0.000012"},
    {"largest age", [](USER_INFO_1& r) { r.usri1_password_age = 4294967295u; }, "3.000000",
     "49710.269618"},
    {"guest", [](USER_INFO_1& r) { r.usri1_priv = USER_PRIV_GUEST; }, "1 (USER)", "0 (GUEST)"},
    {"admin", [](USER_INFO_1& r) { r.usri1_priv = USER_PRIV_ADMIN; }, "1 (USER)", "2 (ADMIN)"},
    {"unknown privilege ends its line", [](USER_INFO_1& r) { r.usri1_priv = 3; },
     "Privilege:      1 (USER)\n", "Privilege:      3 \n"},
    {"privilege written signed", [](USER_INFO_1& r) { r.usri1_priv = 0xFFFFFFFF; }, "1 (USER)",
     "-1 "},
    {"no flags", [](USER_INFO_1& r) { r.usri1_flags = 0; }, kAliceFlags, "Flags:          0\n"},
    {"only UF_SCRIPT", [](USER_INFO_1& r) { r.usri1_flags = UF_SCRIPT; }, kAliceFlags,
     "Flags:          1\n"},
    {"all ten table bits, in table order",
     [](USER_INFO_1& r) {
       r.usri1_flags = UF_ACCOUNTDISABLE | UF_PASSWD_NOTREQD | UF_PASSWD_CANT_CHANGE | UF_LOCKOUT |
                       UF_DONT_EXPIRE_PASSWD | UF_NORMAL_ACCOUNT | UF_TEMP_DUPLICATE_ACCOUNT |
                       UF_WORKSTATION_TRUST_ACCOUNT | UF_SERVER_TRUST_ACCOUNT |
                       UF_INTERDOMAIN_TRUST_ACCOUNT;
     },
     kAliceFlags,
     "Flags:          80754\n"
     "\tAccount disabled\n"
     "\tNo password required\n"
     "\tUser can't change password\n"
     "\tAccount locked out\n"
     "\tPassword never expires\n"
     "\tNormal account\n"
     "\tUF_TEMP_DUPLICATE_ACCOUNT\n"
     "\tUF_WORKSTATION_TRUST_ACCOUNT\n"
     "\tUF_SERVER_TRUST_ACCOUNT\n"
     "\tUF_INTERDOMAIN_TRUST_ACCOUNT\n"},
    {"bit 31 written signed, table bits still decoded",
     [](USER_INFO_1& r) { r.usri1_flags = 0x80000000u | UF_ACCOUNTDISABLE | UF_LOCKOUT; },
     kAliceFlags, "Flags:          -2147483630\n\tAccount disabled\n\tAccount locked out\n"},
};

TEST(AccountReport, WritesEveryLineOfAFullRecord) {
  EXPECT_EQ(format_account_report(alice()), kAliceReport);
}

TEST(AccountReport, WritesEachKindOfValueExactly) {
  for (const ReportCase& c : kCases) {
    SCOPED_TRACE(c.what);
    USER_INFO_1 record = alice();
    c.change(record);
    std::string expected = kAliceReport;
    const std::size_t at = expected.find(c.alice_text);
    ASSERT_NE(at, std::string::npos);
    expected.replace(at, c.alice_text.size(), c.expected_text);
    EXPECT_EQ(format_account_report(record), expected);
  }
}

}  // namespace
