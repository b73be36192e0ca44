#include "fake_netapi.h"

#include <map>
#include <memory>

#include "netapi/utf.h"

namespace {

FakeNetApi fake;

// The buffers handed out and not yet freed, with what each holds.
std::map<const void*, std::string> live_buffers;
std::vector<std::unique_ptr<char16_t[]>> controller_names;
std::vector<std::unique_ptr<USER_INFO_1>> records;

std::string describe(LPCWSTR text) {
  if (text == nullptr) return "null";
  const auto live = live_buffers.find(text);
  if (live != live_buffers.end()) return live->second;
  return '"' + utf8_from_utf16(text) + '"';
}

template <typename Buffer>
LPBYTE hand_out(std::vector<std::unique_ptr<Buffer>>& owner, std::unique_ptr<Buffer> buffer,
                const std::string& kind) {
  LPBYTE address = reinterpret_cast<LPBYTE>(buffer.get());
  owner.push_back(std::move(buffer));
  live_buffers[address] = kind;
  return address;
}

}  // namespace

FakeNetApi& fake_netapi() { return fake; }

void reset_fake_netapi() {
  fake = FakeNetApi{};
  live_buffers.clear();
  controller_names.clear();
  records.clear();
}

int fake_netapi_live_buffers() { return static_cast<int>(live_buffers.size()); }

NET_API_STATUS NetGetDCName(LPCWSTR server, LPCWSTR domain, LPBYTE* controller) {
  fake.calls.push_back("NetGetDCName(" + describe(server) + ", " + describe(domain) + ")");
  *controller = nullptr;
  if (fake.controller_status != NERR_Success) return fake.controller_status;
  const std::u16string& name = fake.controller_name;
  auto copy = std::make_unique<char16_t[]>(name.size() + 1);
  name.copy(copy.get(), name.size());
  *controller = hand_out(controller_names, std::move(copy), "controller");
  return NERR_Success;
}

NET_API_STATUS NetUserGetInfo(LPCWSTR server, LPCWSTR user_name, DWORD level, LPBYTE* record) {
  fake.calls.push_back("NetUserGetInfo(" + describe(server) + ", " + describe(user_name) + ", " +
                       std::to_string(level) + ")");
  *record = fake.gives_record
                ? hand_out(records, std::make_unique<USER_INFO_1>(fake.record), "record")
                : nullptr;
  return fake.user_status;
}

NET_API_STATUS NetApiBufferFree(LPVOID buffer) {
  const auto live = live_buffers.find(buffer);
  const std::string kind = buffer == nullptr               ? "null"
                           : live == live_buffers.end() ? "unknown"
                                                        : live->second;
  fake.calls.push_back("NetApiBufferFree(" + kind + ")");
  if (live != live_buffers.end()) live_buffers.erase(live);
  return NERR_Success;
}
