#include "account_report.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

namespace {

constexpr double kSecondsPerDay = 86400.0;

struct FlagLine {
  DWORD bit;
  const char* line;
};

// In the order administrators are used to reading them, not in bit order.
constexpr FlagLine kFlagLines[] = {
    {UF_ACCOUNTDISABLE, "\tAccount disabled\n"},
    {UF_PASSWD_NOTREQD, "\tNo password required\n"},
    {UF_PASSWD_CANT_CHANGE, "\tUser can't change password\n"},
    {UF_LOCKOUT, "\tAccount locked out\n"},
    {UF_DONT_EXPIRE_PASSWD, "\tPassword never expires\n"},
    {UF_NORMAL_ACCOUNT, "\tNormal account\n"},
    {UF_TEMP_DUPLICATE_ACCOUNT, "\tUF_TEMP_DUPLICATE_ACCOUNT\n"},
    {UF_WORKSTATION_TRUST_ACCOUNT, "\tUF_WORKSTATION_TRUST_ACCOUNT\n"},
    {UF_SERVER_TRUST_ACCOUNT, "\tUF_SERVER_TRUST_ACCOUNT\n"},
    {UF_INTERDOMAIN_TRUST_ACCOUNT, "\tUF_INTERDOMAIN_TRUST_ACCOUNT\n"},
};

// What follows the privilege number. An unknown level still ends its line,
// so that the Flags line starts a line of its own.
const char* privilege_name(DWORD privilege) {
  switch (privilege) {
    case USER_PRIV_GUEST:
      return "(GUEST)\n";
    case USER_PRIV_USER:
      return "(USER)\n";
    case USER_PRIV_ADMIN:
      return "(ADMIN)\n";
    default:
      return "\n";
  }
}

void append_text(std::string& out, LPCWSTR text) {
  if (text == nullptr) {
    out += "(null)";
    return;
  }
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return;
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(size));
  WideCharToMultiByte(CP_ACP, 0, text, -1, out.data() + start, size, nullptr, nullptr);
  out.pop_back();  // the null
}

void append_line(std::string& out, const char* label, LPCWSTR value) {
  out += label;
  append_text(out, value);
  out += '\n';
}

[[gnu::format(printf, 2, 3)]] void append_format(std::string& out, const char* format, ...) {
  char buffer[64];  // the longest line these formats make is 34 characters
  va_list arguments;
  va_start(arguments, format);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
  va_end(arguments);
  if (length > 0) out.append(buffer, static_cast<std::size_t>(length));
}

}  // namespace

std::string format_account_report(const USER_INFO_1& record) {
  std::string report = "\n";
  append_line(report, "Account:        ", record.usri1_name);
  append_line(report, "Comment:        ", record.usri1_comment);
  append_line(report, "Home directory: ", record.usri1_home_dir);
  append_line(report, "Logon Script:   ", record.usri1_script_path);
  append_line(report, "Password:       ", record.usri1_password);
  append_format(report, "Password Age:   %f days\n", record.usri1_password_age / kSecondsPerDay);
  append_format(report, "Privilege:      %d ", static_cast<std::int32_t>(record.usri1_priv));
  report += privilege_name(record.usri1_priv);
  append_format(report, "Flags:          %d\n", static_cast<std::int32_t>(record.usri1_flags));
  for (const FlagLine& flag : kFlagLines) {
    if ((record.usri1_flags & flag.bit) != 0) report += flag.line;
  }
  return report;
}
