#include "account_lookup.h"

namespace {

constexpr DWORD kInfoLevel = 1;  // USER_INFO_1

}  // namespace

AccountLookup look_up_account(LPCWSTR domain, LPCWSTR user_name) {
  LPBYTE controller = nullptr;
  NET_API_STATUS status = NetGetDCName(nullptr, domain, &controller);
  LPBYTE record = nullptr;
  if (status == NERR_Success) {
    status = NetUserGetInfo(reinterpret_cast<LPCWSTR>(controller), user_name, kInfoLevel, &record);
  }
  if (controller != nullptr) NetApiBufferFree(controller);
  return {status, reinterpret_cast<USER_INFO_1*>(record)};
}

void release_account(USER_INFO_1* record) { NetApiBufferFree(record); }
