// The level-1 account record of one user, made from the name service's
// entries for that user. Pure: no lookups, no clock.
#ifndef ACCTINFO_NETAPI_ACCOUNT_RECORD_H
#define ACCTINFO_NETAPI_ACCOUNT_RECORD_H

#include <grp.h>
#include <pwd.h>
#include <shadow.h>

#include <span>
#include <string>

#include "netapi/netapi.h"

// The members of USER_INFO_1 before they are laid out in one buffer. The
// password is always absent: the service never reveals a password or hash.
struct AccountRecord {
  std::u16string name;
  DWORD password_age;
  DWORD privilege;
  std::u16string home_dir;
  std::u16string comment;
  DWORD flags;
  std::u16string script_path;

  bool operator==(const AccountRecord&) const = default;
};

// The groups whose members are administrators.
inline constexpr const char* kAdminGroups[] = {"root", "sudo", "wheel", "admin"};

// Whether `group` makes `user` an administrator: it has one of the
// kAdminGroups names and is the user's primary group or lists the user.
bool grants_admin(const group& group, const passwd& user);

// Whether the uid alone decides the privilege, so that no group need be
// looked up.
bool privilege_needs_groups(const passwd& user);

// The record of `user` on UTC day `today` (days since the epoch). `shadow` is
// null when the user has no shadow entry; `groups` are the admin-named groups
// the name service knows. Strings are decoded from UTF-8.
AccountRecord build_account_record(const passwd& user, const spwd* shadow,
                                   std::span<const group> groups, long today);

// Lays `record` out as a USER_INFO_1 followed by its strings, in one buffer
// from malloc. Null when memory runs out.
USER_INFO_1* pack_user_info_1(const AccountRecord& record);

#endif  // ACCTINFO_NETAPI_ACCOUNT_RECORD_H
