#include "driver.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include "account_lookup.h"
#include "account_report.h"
#include "netapi/netapi.h"

namespace {

constexpr int kExitReport = 0;
constexpr int kExitUsage = 1;
constexpr int kExitFailure = 2;

// Room for a name of 1023 wide characters and its null.
constexpr int kNameCapacity = 1024;

// Converts `operand` into `name`, null included. False, with the reason in
// GetLastError(), when it does not fit.
bool to_wide(const char* operand, WCHAR (&name)[kNameCapacity]) {
  return MultiByteToWideChar(CP_ACP, 0, operand, -1, name, kNameCapacity) != 0;
}

void write_system_error(std::FILE* err, NET_API_STATUS status) {
  std::fprintf(err, "A system error has occurred: %d\n", static_cast<std::int32_t>(status));
}

// False, with errno, when `out` did not take the whole report.
bool write_report(std::FILE* out, const USER_INFO_1& record) {
  const std::string report = format_account_report(record);
  const bool written = std::fwrite(report.data(), 1, report.size(), out) == report.size();
  return std::fflush(out) == 0 && written;
}

}  // namespace

int run_acctinfo(int argc, char* argv[], std::FILE* out, std::FILE* err) {
  if (argc != 3) {
    const char* program = argc > 0 && argv[0] != nullptr ? argv[0] : "acctinfo";
    std::fprintf(err, "Usage: %s domain username\n", program);
    return kExitUsage;
  }

  WCHAR domain[kNameCapacity];
  WCHAR user_name[kNameCapacity];
  if (!to_wide(argv[1], domain) || !to_wide(argv[2], user_name)) {
    write_system_error(err, GetLastError());
    return kExitFailure;
  }

  const AccountLookup lookup = look_up_account(domain, user_name);
  int exit_status = kExitReport;
  if (lookup.status != NERR_Success) {
    write_system_error(err, lookup.status);
    exit_status = kExitFailure;
  } else if (lookup.record != nullptr && !write_report(out, *lookup.record)) {
    std::fprintf(err, "acctinfo: cannot write standard output: %s\n", std::strerror(errno));
    exit_status = kExitFailure;
  }
  if (lookup.record != nullptr) release_account(lookup.record);
  return exit_status;
}
