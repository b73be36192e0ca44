#include "netapi/account_record.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

#include "netapi/utf.h"

namespace {

constexpr uid_t kRootUid = 0;
constexpr uid_t kNobodyUid = 65534;
constexpr long kSecondsPerDay = 86400;
// A maximum password age from this many days on means "never expires".
constexpr long kNeverExpiresDays = 10000;

std::string_view text(const char* field) { return field != nullptr ? field : ""; }

DWORD password_age(const spwd* shadow, long today) {
  if (shadow == nullptr || shadow->sp_lstchg <= 0) return 0;
  const long days = today - shadow->sp_lstchg;
  constexpr long kMaxDays = std::numeric_limits<DWORD>::max() / kSecondsPerDay;
  if (days <= 0) return 0;
  if (days > kMaxDays) return std::numeric_limits<DWORD>::max();
  return static_cast<DWORD>(days * kSecondsPerDay);
}

DWORD privilege(const passwd& user, std::span<const group> groups) {
  if (user.pw_uid == kRootUid) return USER_PRIV_ADMIN;
  const bool admin = std::any_of(groups.begin(), groups.end(),
                                 [&user](const group& group) { return grants_admin(group, user); });
  if (admin) return USER_PRIV_ADMIN;
  return user.pw_uid == kNobodyUid ? USER_PRIV_GUEST : USER_PRIV_USER;
}

DWORD flags(const passwd& user, const spwd* shadow, long today) {
  DWORD flags = UF_SCRIPT;
  const std::string_view password = text(shadow != nullptr ? shadow->sp_pwdp : user.pw_passwd);
  if (password.empty()) flags |= UF_PASSWD_NOTREQD;
  if (password.starts_with('!') || password.starts_with('*')) flags |= UF_LOCKOUT;
  if (shadow == nullptr || shadow->sp_max < 0 || shadow->sp_max >= kNeverExpiresDays) {
    flags |= UF_DONT_EXPIRE_PASSWD;
  }
  if (shadow != nullptr) {
    if (shadow->sp_expire > 0 && today >= shadow->sp_expire) flags |= UF_ACCOUNTDISABLE;
    if (shadow->sp_max >= 0 && shadow->sp_min > shadow->sp_max) flags |= UF_PASSWD_CANT_CHANGE;
  }
  flags |= text(user.pw_name).ends_with('$') ? UF_WORKSTATION_TRUST_ACCOUNT : UF_NORMAL_ACCOUNT;
  return flags;
}

// Copies `text` and its null to `*cursor`, moving it past them.
LPWSTR place(const std::u16string& text, char16_t** cursor) {
  LPWSTR start = *cursor;
  std::copy(text.begin(), text.end(), start);
  start[text.size()] = u'\0';
  *cursor += text.size() + 1;
  return start;
}

}  // namespace

bool grants_admin(const group& group, const passwd& user) {
  const std::string_view name = text(group.gr_name);
  const bool admin_name = std::any_of(std::begin(kAdminGroups), std::end(kAdminGroups),
                                      [name](const char* admin) { return name == admin; });
  if (!admin_name) return false;
  if (group.gr_gid == user.pw_gid) return true;
  for (char** member = group.gr_mem; member != nullptr && *member != nullptr; ++member) {
    if (text(*member) == text(user.pw_name)) return true;
  }
  return false;
}

bool privilege_needs_groups(const passwd& user) { return user.pw_uid != kRootUid; }

AccountRecord build_account_record(const passwd& user, const spwd* shadow,
                                   std::span<const group> groups, long today) {
  return {
      .name = utf16_from_utf8(text(user.pw_name)),
      .password_age = password_age(shadow, today),
      .privilege = privilege(user, groups),
      .home_dir = utf16_from_utf8(text(user.pw_dir)),
      .comment = utf16_from_utf8(text(user.pw_gecos)),
      .flags = flags(user, shadow, today),
      .script_path = utf16_from_utf8(text(user.pw_shell)),
  };
}

USER_INFO_1* pack_user_info_1(const AccountRecord& record) {
  const std::size_t units = record.name.size() + record.home_dir.size() + record.comment.size() +
                            record.script_path.size() + 4;
  void* buffer = std::malloc(sizeof(USER_INFO_1) + units * sizeof(char16_t));
  if (buffer == nullptr) return nullptr;
  auto* info = static_cast<USER_INFO_1*>(buffer);
  auto* cursor = reinterpret_cast<char16_t*>(info + 1);
  info->usri1_name = place(record.name, &cursor);
  info->usri1_password = nullptr;
  info->usri1_password_age = record.password_age;
  info->usri1_priv = record.privilege;
  info->usri1_home_dir = place(record.home_dir, &cursor);
  info->usri1_comment = place(record.comment, &cursor);
  info->usri1_flags = record.flags;
  info->usri1_script_path = place(record.script_path, &cursor);
  return info;
}
