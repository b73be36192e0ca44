// The network-management and code-page calls that acctinfo is written
// against, with the names, types and numbers the tool expects of them.
// The definitions live in this folder: the code-page conversion in
// code_page.cpp, the account service over this computer's accounts in
// local_service.cpp. Tests link a scripted stand-in for the service instead.
#ifndef ACCTINFO_NETAPI_NETAPI_H
#define ACCTINFO_NETAPI_NETAPI_H

#include <cstdint>

using WCHAR = char16_t;  // one 16-bit code unit of a wide string
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPBYTE = unsigned char*;
using LPVOID = void*;
using LPSTR = char*;
using LPCCH = const char*;
using BOOL = int;
using LPBOOL = BOOL*;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using NET_API_STATUS = DWORD;

// A user's account record at information level 1, members in the order the
// platform lays them out. Every string may be null.
struct USER_INFO_1 {
  LPWSTR usri1_name;
  LPWSTR usri1_password;
  DWORD usri1_password_age;  // seconds since the password was last changed
  DWORD usri1_priv;          // one of the USER_PRIV_* values
  LPWSTR usri1_home_dir;
  LPWSTR usri1_comment;
  DWORD usri1_flags;  // UF_* bits
  LPWSTR usri1_script_path;
};

constexpr NET_API_STATUS NERR_Success = 0;

// Error numbers that the conversion and the service report.
constexpr DWORD ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_BAD_NETPATH = 53;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_INVALID_LEVEL = 124;
constexpr DWORD ERROR_INVALID_FLAGS = 1004;
constexpr DWORD NERR_InternalError = 2140;
constexpr DWORD NERR_UserNotFound = 2221;
constexpr DWORD NERR_DCNotFound = 2453;

constexpr DWORD USER_PRIV_GUEST = 0;
constexpr DWORD USER_PRIV_USER = 1;
constexpr DWORD USER_PRIV_ADMIN = 2;

constexpr DWORD UF_SCRIPT = 0x0001;
constexpr DWORD UF_ACCOUNTDISABLE = 0x0002;
constexpr DWORD UF_LOCKOUT = 0x0010;
constexpr DWORD UF_PASSWD_NOTREQD = 0x0020;
constexpr DWORD UF_PASSWD_CANT_CHANGE = 0x0040;
constexpr DWORD UF_TEMP_DUPLICATE_ACCOUNT = 0x0100;
constexpr DWORD UF_NORMAL_ACCOUNT = 0x0200;
constexpr DWORD UF_INTERDOMAIN_TRUST_ACCOUNT = 0x0800;
constexpr DWORD UF_WORKSTATION_TRUST_ACCOUNT = 0x1000;
constexpr DWORD UF_SERVER_TRUST_ACCOUNT = 0x2000;
constexpr DWORD UF_DONT_EXPIRE_PASSWD = 0x10000;

// The system's narrow code page. Here it is UTF-8.
constexpr UINT CP_ACP = 0;

// Converts `input_bytes` bytes of `input` (-1: up to and including its null)
// from `code_page` (only CP_ACP) to wide characters in `output`, which holds
// `output_capacity` units; with `output_capacity` 0 nothing is written and
// the number of units needed is returned. Invalid
// UTF-8 becomes U+FFFD, one per maximal ill-formed subsequence. Returns the
// number of units written, or 0 with the reason in GetLastError():
// ERROR_INSUFFICIENT_BUFFER when the result does not fit (nothing is then
// written), ERROR_INVALID_FLAGS for `flags` other than 0,
// ERROR_INVALID_PARAMETER for anything else out of range. The output is
// null-terminated only if the input's bytes include a null.
int MultiByteToWideChar(UINT code_page, DWORD flags, LPCCH input,
                        int input_bytes, LPWSTR output, int output_capacity);

// Converts `input_units` units of `input` (-1: up to and including its null)
// to `code_page` (only CP_ACP) in `output`, which holds `output_capacity`
// bytes. A lone surrogate becomes U+FFFD. `default_char` and
// `used_default_char` must be null, as UTF-8 needs no default character.
// With `output_capacity` 0 nothing is written and the size needed is
// returned. Otherwise as MultiByteToWideChar.
int WideCharToMultiByte(UINT code_page, DWORD flags, LPCWSTR input,
                        int input_units, LPSTR output, int output_capacity,
                        LPCCH default_char, LPBOOL used_default_char);

// The reason of this thread's last failed conversion.
DWORD GetLastError();

// Gives in `*controller` the name of the primary domain controller of
// `domain`, asking `server` (null for this computer). The name is a buffer to
// release with NetApiBufferFree.
NET_API_STATUS NetGetDCName(LPCWSTR server, LPCWSTR domain,
                            LPBYTE* controller);

// Gives in `*record` the account record of `user_name` at `level` (only 1:
// a USER_INFO_1), asking `server`. The record and all its strings are one
// buffer to release with NetApiBufferFree.
NET_API_STATUS NetUserGetInfo(LPCWSTR server, LPCWSTR user_name, DWORD level,
                              LPBYTE* record);

// Releases a buffer that NetGetDCName or NetUserGetInfo gave. Null is
// harmless.
NET_API_STATUS NetApiBufferFree(LPVOID buffer);

#endif  // ACCTINFO_NETAPI_NETAPI_H
