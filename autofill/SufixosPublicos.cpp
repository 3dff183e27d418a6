#include "autofill/SufixosPublicos.h"

#include <QLatin1StringView>

#include <algorithm>
#include <iterator>

namespace {

// The multi-label suffixes people meet most: second levels of the larger country domains and
// the shared hosting domains where every subdomain belongs to someone else.
constexpr QLatin1StringView sufixos[] = {
    QLatin1StringView("ac.uk"),         QLatin1StringView("appspot.com"),     QLatin1StringView("azurewebsites.net"),
    QLatin1StringView("blogspot.com"),  QLatin1StringView("cloudfront.net"),  QLatin1StringView("co.in"),
    QLatin1StringView("co.jp"),         QLatin1StringView("co.kr"),           QLatin1StringView("co.nz"),
    QLatin1StringView("co.uk"),         QLatin1StringView("co.za"),           QLatin1StringView("com.ar"),
    QLatin1StringView("com.au"),        QLatin1StringView("com.br"),          QLatin1StringView("com.cn"),
    QLatin1StringView("com.mx"),        QLatin1StringView("com.pt"),          QLatin1StringView("com.tr"),
    QLatin1StringView("edu.br"),        QLatin1StringView("firebaseapp.com"), QLatin1StringView("github.io"),
    QLatin1StringView("gitlab.io"),     QLatin1StringView("gov.br"),          QLatin1StringView("gov.uk"),
    QLatin1StringView("herokuapp.com"), QLatin1StringView("net.au"),          QLatin1StringView("net.br"),
    QLatin1StringView("netlify.app"),   QLatin1StringView("org.au"),          QLatin1StringView("org.br"),
    QLatin1StringView("org.uk"),        QLatin1StringView("pages.dev"),       QLatin1StringView("vercel.app"),
    QLatin1StringView("web.app"),
};

} // namespace

bool ehSufixoPublico(const QString &host)
{
    // A bare top-level domain; "localhost" names this machine, not a registry.
    if (host.isEmpty() || !host.contains(QLatin1Char('.')))
        return host != QLatin1String("localhost");
    return std::any_of(std::begin(sufixos), std::end(sufixos),
                       [&host](QLatin1StringView sufixo) { return host == sufixo; });
}
