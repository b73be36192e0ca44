#include "netapi/local_domain.h"

#include <algorithm>

namespace {

char fold_ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_ascii_case_blind(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return fold_ascii(x) == fold_ascii(y); });
}

}  // namespace

bool names_local_domain(std::string_view domain, std::string_view host) {
  if (domain.empty() || domain == "." || same_ascii_case_blind(domain, "localhost") ||
      same_ascii_case_blind(domain, host)) {
    return true;
  }
  const std::size_t dot = host.find('.');
  if (dot == std::string_view::npos) return false;
  return same_ascii_case_blind(domain, host.substr(0, dot)) ||
         same_ascii_case_blind(domain, host.substr(dot + 1));
}

bool names_local_server(std::string_view server, std::string_view host) {
  if (server.empty()) return true;
  if (server.starts_with("\\\\")) server.remove_prefix(2);
  return same_ascii_case_blind(server, host);
}
