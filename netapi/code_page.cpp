// The code-page conversions, with CP_ACP meaning UTF-8.
#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "netapi/netapi.h"
#include "netapi/utf.h"

namespace {

thread_local DWORD last_error = NERR_Success;

int fail(DWORD error) {
  last_error = error;
  return 0;
}

// The reason to refuse a call before converting, or NERR_Success.
DWORD check_arguments(UINT code_page, DWORD flags, const void* input, int input_length,
                      const void* output, int output_capacity) {
  if (flags != 0) return ERROR_INVALID_FLAGS;
  if (code_page != CP_ACP || input == nullptr || input_length == 0 || input_length < -1 ||
      output_capacity < 0 || (output_capacity > 0 && output == nullptr)) {
    return ERROR_INVALID_PARAMETER;
  }
  return NERR_Success;
}

// Writes `converted` into `output`, or with `capacity` 0 tells its length.
template <typename Unit>
int deliver(const std::basic_string<Unit>& converted, Unit* output, int capacity) {
  if (converted.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return fail(ERROR_INSUFFICIENT_BUFFER);
  }
  const int length = static_cast<int>(converted.size());
  if (capacity == 0) return length;
  if (length > capacity) return fail(ERROR_INSUFFICIENT_BUFFER);
  std::copy(converted.begin(), converted.end(), output);
  return length;
}

}  // namespace

int MultiByteToWideChar(UINT code_page, DWORD flags, LPCCH input, int input_bytes, LPWSTR output,
                        int output_capacity) {
  const DWORD refusal =
      check_arguments(code_page, flags, input, input_bytes, output, output_capacity);
  if (refusal != NERR_Success) return fail(refusal);
  const std::size_t length =
      input_bytes == -1 ? std::strlen(input) + 1 : static_cast<std::size_t>(input_bytes);
  return deliver(utf16_from_utf8(std::string_view(input, length)), output, output_capacity);
}

int WideCharToMultiByte(UINT code_page, DWORD flags, LPCWSTR input, int input_units, LPSTR output,
                        int output_capacity, LPCCH default_char, LPBOOL used_default_char) {
  DWORD refusal = check_arguments(code_page, flags, input, input_units, output, output_capacity);
  if (refusal == NERR_Success && (default_char != nullptr || used_default_char != nullptr)) {
    refusal = ERROR_INVALID_PARAMETER;
  }
  if (refusal != NERR_Success) return fail(refusal);
  const std::size_t length = input_units == -1 ? std::u16string_view(input).size() + 1
                                               : static_cast<std::size_t>(input_units);
  return deliver(utf8_from_utf16(std::u16string_view(input, length)), output, output_capacity);
}

DWORD GetLastError() { return last_error; }
