// The names under which this computer answers as its own domain controller.
#ifndef ACCTINFO_NETAPI_LOCAL_DOMAIN_H
#define ACCTINFO_NETAPI_LOCAL_DOMAIN_H

#include <string_view>

// Whether `domain` names the domain of the computer called `host`: "", ".",
// "localhost", the host name, its first label, or what follows its first
// dot. ASCII letters compare without case.
bool names_local_domain(std::string_view domain, std::string_view host);

// Whether `server` names this computer as a controller: "", or the host
// name with or without a leading "\\". ASCII letters compare without case.
bool names_local_server(std::string_view server, std::string_view host);

#endif  // ACCTINFO_NETAPI_LOCAL_DOMAIN_H
