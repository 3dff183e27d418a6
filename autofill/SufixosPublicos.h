// Host names under which unrelated people register their own sites ("com", "co.uk",
// "github.io"). A password saved for one of them says nothing about which of those sites it
// belongs to, so the extension never matches a subdomain through such a name.
#pragma once

#include <QString>

// True for the common multi-label public suffixes of the built-in list (country second levels
// such as "co.uk" and "com.br", and shared hosting domains such as "github.io"). A single label
// ("nas", "com") and an IP address literal are not: they are hosts of their own, and the rule
// below keeps them from covering other hosts. Expects a lower-case host name.
[[nodiscard]] bool ehSufixoPublico(const QString &host);

// An IPv4 or IPv6 address literal (with or without brackets).
[[nodiscard]] bool ehEnderecoIP(const QString &host);

// A saved site `d` and a requested host `r`, both lower case: equal hosts always match; besides,
// one may be a subdomain of the other when the shorter one has at least two labels, is not a
// public suffix and neither is an address literal.
[[nodiscard]] bool mesmoSiteOuSubdominio(const QString &d, const QString &r);
