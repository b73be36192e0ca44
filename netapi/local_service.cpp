// The network-management service over this computer's accounts: the
// computer is the controller of its own domain, and its users are the ones
// the system's name service knows (passwd, shadow and group through NSS).
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <shadow.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "netapi/account_record.h"
#include "netapi/local_domain.h"
#include "netapi/netapi.h"
#include "netapi/utf.h"

namespace {

constexpr DWORD kInfoLevel = 1;
constexpr long kSecondsPerDay = 86400;
constexpr const char* kShadowFile = "/etc/shadow";

// The platform error number for a failure of the C library.
NET_API_STATUS status_from_errno(int error) {
  switch (error) {
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EACCES:
    case EPERM:
      return ERROR_ACCESS_DENIED;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    default:
      return NERR_InternalError;
  }
}

// This computer's name, as gethostname gives it; empty if it has none.
std::string host_name() {
  char name[HOST_NAME_MAX + 1] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

std::string narrow(LPCWSTR text) { return text == nullptr ? "" : utf8_from_utf16(text); }

// A wide copy of `text` with its null, from malloc for NetApiBufferFree.
LPBYTE allocate_wide(const std::u16string& text) {
  auto* copy = static_cast<char16_t*>(std::malloc((text.size() + 1) * sizeof(char16_t)));
  if (copy == nullptr) return nullptr;
  text.copy(copy, text.size());
  copy[text.size()] = u'\0';
  return reinterpret_cast<LPBYTE>(copy);
}

// One entry of the name service, with the storage its strings live in.
template <typename Entry>
struct NssEntry {
  Entry entry{};
  std::vector<char> storage = std::vector<char>(1024);
  bool found = false;
};

// Looks `key` up with a reentrant getXXnam_r, growing the storage until the
// entry fits. Returns 0 (found or not) or the error number.
template <typename Entry, typename Lookup>
int fetch(Lookup lookup, const char* key, NssEntry<Entry>& out) {
  for (;;) {
    Entry* result = nullptr;
    const int error = lookup(key, &out.entry, out.storage.data(), out.storage.size(), &result);
    if (error == ERANGE) {
      out.storage.resize(out.storage.size() * 2);
      continue;
    }
    out.found = result != nullptr;
    // ENOENT is how some sources say "no such entry".
    return out.found || error == ENOENT ? 0 : error;
  }
}

// Whether this process may read the shadow database. Without that right the
// name service's other sources answer with made-up entries, so a record would
// be built from partial data.
NET_API_STATUS check_shadow_readable() {
  const int fd = open(kShadowFile, O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    close(fd);
    return NERR_Success;
  }
  if (errno == ENOENT) return NERR_Success;  // no shadow database: passwd has it all
  return errno == EACCES || errno == EPERM ? ERROR_ACCESS_DENIED : status_from_errno(errno);
}

NET_API_STATUS look_up_record(const std::string& user_name, USER_INFO_1** record) {
  NET_API_STATUS status = check_shadow_readable();
  if (status != NERR_Success) return status;
  if (user_name.empty()) return NERR_UserNotFound;

  NssEntry<passwd> user;
  if (const int error = fetch(getpwnam_r, user_name.c_str(), user); error != 0) {
    return status_from_errno(error);
  }
  if (!user.found) return NERR_UserNotFound;

  NssEntry<spwd> shadow;
  if (const int error = fetch(getspnam_r, user.entry.pw_name, shadow); error != 0) {
    return status_from_errno(error);
  }

  std::vector<NssEntry<group>> found_groups;
  std::vector<group> groups;
  if (privilege_needs_groups(user.entry)) {
    for (const char* name : kAdminGroups) {
      NssEntry<group> admin_group;
      if (const int error = fetch(getgrnam_r, name, admin_group); error != 0) {
        return status_from_errno(error);
      }
      if (!admin_group.found) continue;
      groups.push_back(admin_group.entry);
      found_groups.push_back(std::move(admin_group));
      if (grants_admin(groups.back(), user.entry)) break;  // the rest can't change the answer
    }
  }

  const long today = static_cast<long>(std::time(nullptr) / kSecondsPerDay);
  *record = pack_user_info_1(build_account_record(
      user.entry, shadow.found ? &shadow.entry : nullptr, groups, today));
  return *record != nullptr ? NERR_Success : ERROR_NOT_ENOUGH_MEMORY;
}

}  // namespace

NET_API_STATUS NetGetDCName(LPCWSTR server, LPCWSTR domain, LPBYTE* controller) {
  if (controller == nullptr) return ERROR_INVALID_PARAMETER;
  *controller = nullptr;
  if (server != nullptr && *server != u'\0') return ERROR_BAD_NETPATH;
  const std::string host = host_name();
  if (!names_local_domain(narrow(domain), host)) return NERR_DCNotFound;
  *controller = allocate_wide(u"\\\\" + utf16_from_utf8(host));
  return *controller != nullptr ? NERR_Success : ERROR_NOT_ENOUGH_MEMORY;
}

NET_API_STATUS NetUserGetInfo(LPCWSTR server, LPCWSTR user_name, DWORD level, LPBYTE* record) {
  if (record == nullptr) return ERROR_INVALID_PARAMETER;
  *record = nullptr;
  if (user_name == nullptr) return ERROR_INVALID_PARAMETER;
  if (server != nullptr && !names_local_server(narrow(server), host_name())) {
    return ERROR_BAD_NETPATH;
  }
  if (level != kInfoLevel) return ERROR_INVALID_LEVEL;
  USER_INFO_1* info = nullptr;
  const NET_API_STATUS status = look_up_record(narrow(user_name), &info);
  *record = reinterpret_cast<LPBYTE>(info);
  return status;
}

NET_API_STATUS NetApiBufferFree(LPVOID buffer) {
  std::free(buffer);
  return NERR_Success;
}
