// Host names under which unrelated people register their own sites ("com", "co.uk",
// "github.io"). A password saved for one of them says nothing about which site it belongs to, so
// the extension never matches a request through such a name.
#pragma once

#include <QString>

// True for a single label ("com"; "localhost" is not one) and for the common multi-label public
// suffixes of the built-in list (country second levels such as "co.uk" and "com.br", and shared
// hosting domains such as "github.io"). Expects a lower-case host name.
[[nodiscard]] bool ehSufixoPublico(const QString &host);
