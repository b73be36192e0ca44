#include "netapi/account_record.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr long kToday = 20000;
constexpr DWORD kDay = 86400;

struct GroupFields {
  std::string name;
  gid_t gid;
  std::vector<std::string> members;
};

struct ShadowFields {
  std::string password = "$6$salt$hash";
  long last_change = kToday - 10;
  long min = 0;
  long max = 99999;
  long expire = -1;
};

// The name service's entries for one user, as owned strings.
struct Entries {
  std::string name = "alice";
  std::string password = "x";
  uid_t uid = 1000;
  gid_t gid = 1000;
  std::string gecos = "Alice Liddell,,,";
  std::string home = "/home/alice";
  std::string shell = "/bin/bash";
  std::optional<ShadowFields> shadow = ShadowFields{};
  std::vector<GroupFields> groups;
};

AccountRecord build(Entries& e, long today = kToday) {
  passwd user{e.name.data(), e.password.data(), e.uid, e.gid, e.gecos.data(), e.home.data(),
              e.shell.data()};
  spwd shadow{};
  if (e.shadow) {
    shadow.sp_namp = e.name.data();
    shadow.sp_pwdp = e.shadow->password.data();
    shadow.sp_lstchg = e.shadow->last_change;
    shadow.sp_min = e.shadow->min;
    shadow.sp_max = e.shadow->max;
    shadow.sp_warn = 7;
    shadow.sp_inact = -1;
    shadow.sp_expire = e.shadow->expire;
  }
  std::vector<std::vector<char*>> members(e.groups.size());
  std::vector<group> groups;
  for (std::size_t i = 0; i < e.groups.size(); ++i) {
    for (std::string& member : e.groups[i].members) members[i].push_back(member.data());
    members[i].push_back(nullptr);
    groups.push_back({e.groups[i].name.data(), e.password.data(), e.groups[i].gid,
                      members[i].data()});
  }
  return build_account_record(user, e.shadow ? &shadow : nullptr, groups, today);
}

const AccountRecord kAlice = {
    .name = u"alice",
    .password_age = 10 * kDay,
    .privilege = USER_PRIV_USER,
    .home_dir = u"/home/alice",
    .comment = u"Alice Liddell,,,",
    .flags = UF_SCRIPT | UF_NORMAL_ACCOUNT | UF_DONT_EXPIRE_PASSWD,
    .script_path = u"/bin/bash",
};

struct RecordCase {
  const char* what;
  std::function<void(Entries&)> entries;
  std::function<void(AccountRecord&)> expected;
  long today = kToday;
};

constexpr DWORD kMaxAge = 4294967295u;

const RecordCase kCases[] = {
    {"a regular account", [](Entries&) {}, [](AccountRecord&) {}},
    {"strings beyond U+00FF and invalid UTF-8",
     [](Entries& e) {
       e.name = "j\xc3\xbcrgen";
       e.gecos = "\xce\xa9 \xf0\x9f\x98\x80 bad\xff";
       e.home = "";
       e.shell = "";
     },
     [](AccountRecord& r) {
       r.name = u"j\u00fcrgen";
       r.comment = u"\u03a9 \U0001F600 bad\uFFFD";
       r.home_dir = u"";
       r.script_path = u"";
     }},
    // Password age.
    {"changed today", [](Entries& e) { e.shadow->last_change = kToday; },
     [](AccountRecord& r) { r.password_age = 0; }},
    {"changed in the future", [](Entries& e) { e.shadow->last_change = kToday + 5; },
     [](AccountRecord& r) { r.password_age = 0; }},
    {"must change at next login", [](Entries& e) { e.shadow->last_change = 0; },
     [](AccountRecord& r) { r.password_age = 0; }},
    {"no last change", [](Entries& e) { e.shadow->last_change = -1; },
     [](AccountRecord& r) { r.password_age = 0; }},
    {"largest age that fits", [](Entries& e) { e.shadow->last_change = 1; },
     [](AccountRecord& r) { r.password_age = 49710 * kDay; }, 49711},
    {"age past 32 bits is capped", [](Entries& e) { e.shadow->last_change = 1; },
     [](AccountRecord& r) { r.password_age = kMaxAge; }, 49712},
    {"huge last change", [](Entries& e) { e.shadow->last_change = 9223372036854775807L; },
     [](AccountRecord& r) { r.password_age = 0; }},
    // Password field and its flags.
    {"no shadow entry", [](Entries& e) { e.shadow.reset(); },
     [](AccountRecord& r) { r.password_age = 0; }},
    {"no shadow entry, empty passwd password",
     [](Entries& e) {
       e.shadow.reset();
       e.password = "";
     },
     [](AccountRecord& r) {
       r.password_age = 0;
       r.flags |= UF_PASSWD_NOTREQD;
     }},
    {"no shadow entry, locked passwd password",
     [](Entries& e) {
       e.shadow.reset();
       e.password = "*";
     },
     [](AccountRecord& r) {
       r.password_age = 0;
       r.flags |= UF_LOCKOUT;
     }},
    {"empty shadow password", [](Entries& e) { e.shadow->password = ""; },
     [](AccountRecord& r) { r.flags |= UF_PASSWD_NOTREQD; }},
    {"locked with !", [](Entries& e) { e.shadow->password = "!$6$salt$hash"; },
     [](AccountRecord& r) { r.flags |= UF_LOCKOUT; }},
    {"locked with *", [](Entries& e) { e.shadow->password = "*"; },
     [](AccountRecord& r) { r.flags |= UF_LOCKOUT; }},
    {"! later in the field", [](Entries& e) { e.shadow->password = "$6$!"; },
     [](AccountRecord&) {}},
    // Expiry.
    {"expired yesterday", [](Entries& e) { e.shadow->expire = kToday - 1; },
     [](AccountRecord& r) { r.flags |= UF_ACCOUNTDISABLE; }},
    {"expires today", [](Entries& e) { e.shadow->expire = kToday; },
     [](AccountRecord& r) { r.flags |= UF_ACCOUNTDISABLE; }},
    {"expires tomorrow", [](Entries& e) { e.shadow->expire = kToday + 1; },
     [](AccountRecord&) {}},
    {"expiry day 0", [](Entries& e) { e.shadow->expire = 0; }, [](AccountRecord&) {}},
    // Minimum and maximum.
    {"minimum above maximum",
     [](Entries& e) {
       e.shadow->min = 5;
       e.shadow->max = 3;
     },
     [](AccountRecord& r) { r.flags = UF_SCRIPT | UF_NORMAL_ACCOUNT | UF_PASSWD_CANT_CHANGE; }},
    {"minimum equal to maximum",
     [](Entries& e) {
       e.shadow->min = 3;
       e.shadow->max = 3;
     },
     [](AccountRecord& r) { r.flags = UF_SCRIPT | UF_NORMAL_ACCOUNT; }},
    {"maximum 0",
     [](Entries& e) {
       e.shadow->min = 1;
       e.shadow->max = 0;
     },
     [](AccountRecord& r) { r.flags = UF_SCRIPT | UF_NORMAL_ACCOUNT | UF_PASSWD_CANT_CHANGE; }},
    {"empty maximum",
     [](Entries& e) {
       e.shadow->min = 5;
       e.shadow->max = -1;
     },
     [](AccountRecord&) {}},
    {"maximum 9999", [](Entries& e) { e.shadow->max = 9999; },
     [](AccountRecord& r) { r.flags &= ~UF_DONT_EXPIRE_PASSWD; }},
    {"maximum 10000", [](Entries& e) { e.shadow->max = 10000; }, [](AccountRecord&) {}},
    // Account kind.
    {"machine account", [](Entries& e) { e.name = "ws01$"; },
     [](AccountRecord& r) {
       r.name = u"ws01$";
       r.flags = UF_SCRIPT | UF_WORKSTATION_TRUST_ACCOUNT | UF_DONT_EXPIRE_PASSWD;
     }},
    // Privilege.
    {"uid 0", [](Entries& e) { e.uid = 0; },
     [](AccountRecord& r) { r.privilege = USER_PRIV_ADMIN; }},
    {"uid 65534", [](Entries& e) { e.uid = 65534; },
     [](AccountRecord& r) { r.privilege = USER_PRIV_GUEST; }},
    {"uid 65534 listed in sudo",
     [](Entries& e) {
       e.uid = 65534;
       e.groups = {{"sudo", 27, {"bob", "alice"}}};
     },
     [](AccountRecord& r) { r.privilege = USER_PRIV_ADMIN; }},
    {"primary group wheel", [](Entries& e) { e.groups = {{"wheel", 1000, {}}}; },
     [](AccountRecord& r) { r.privilege = USER_PRIV_ADMIN; }},
    {"listed in admin", [](Entries& e) { e.groups = {{"admin", 50, {"alice"}}}; },
     [](AccountRecord& r) { r.privilege = USER_PRIV_ADMIN; }},
    {"listed in root", [](Entries& e) { e.groups = {{"root", 0, {"alice"}}}; },
     [](AccountRecord& r) { r.privilege = USER_PRIV_ADMIN; }},
    {"admin group that does not hold the user",
     [](Entries& e) { e.groups = {{"sudo", 27, {"alicia", "bob"}}}; }, [](AccountRecord&) {}},
    {"group of another name that holds the user",
     [](Entries& e) { e.groups = {{"Sudo", 1000, {"alice"}}, {"users", 100, {"alice"}}}; },
     [](AccountRecord&) {}},
};

TEST(AccountRecord, FollowsTheEntriesInEveryMember) {
  for (const RecordCase& c : kCases) {
    SCOPED_TRACE(c.what);
    Entries entries;
    c.entries(entries);
    AccountRecord expected = kAlice;
    c.expected(expected);
    EXPECT_EQ(build(entries, c.today), expected);
  }
}

TEST(AccountRecord, OnlyUidZeroDecidesWithoutGroups) {
  passwd user{};
  for (uid_t uid : {1u, 1000u, 65534u}) {
    user.pw_uid = uid;
    EXPECT_TRUE(privilege_needs_groups(user)) << uid;
  }
  user.pw_uid = 0;
  EXPECT_FALSE(privilege_needs_groups(user));
}

TEST(AccountRecord, PacksIntoOneBufferWithNoPassword) {
  const AccountRecord record = {u"\U0001F600", kMaxAge, USER_PRIV_ADMIN, u"", u"c", 0x80000001u,
                                u"/bin/sh"};
  USER_INFO_1* info = pack_user_info_1(record);
  ASSERT_NE(info, nullptr);
  const auto* begin = reinterpret_cast<const char*>(info);
  const auto* end = reinterpret_cast<const char*>(info->usri1_script_path + 8);
  for (LPCWSTR text : {info->usri1_name, info->usri1_home_dir, info->usri1_comment}) {
    EXPECT_GT(reinterpret_cast<const char*>(text), begin);
    EXPECT_LT(reinterpret_cast<const char*>(text), end);
  }
  EXPECT_EQ(std::u16string(info->usri1_name), record.name);
  EXPECT_EQ(info->usri1_password, nullptr);
  EXPECT_EQ(info->usri1_password_age, kMaxAge);
  EXPECT_EQ(info->usri1_priv, USER_PRIV_ADMIN);
  EXPECT_EQ(std::u16string(info->usri1_home_dir), u"");
  EXPECT_EQ(std::u16string(info->usri1_comment), u"c");
  EXPECT_EQ(info->usri1_flags, 0x80000001u);
  EXPECT_EQ(std::u16string(info->usri1_script_path), u"/bin/sh");
  std::free(info);
}

}  // namespace
