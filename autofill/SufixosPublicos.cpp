#include "autofill/SufixosPublicos.h"

#include <QLatin1StringView>
#include <QStringList>

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
    return std::any_of(std::begin(sufixos), std::end(sufixos),
                       [&host](QLatin1StringView sufixo) { return host == sufixo; });
}

bool ehEnderecoIP(const QString &host)
{
    QString endereco = host;
    if (endereco.startsWith(QLatin1Char('[')) && endereco.endsWith(QLatin1Char(']')))
        endereco = endereco.mid(1, endereco.size() - 2);
    if (endereco.contains(QLatin1Char(':')))
        return true; // no host name holds a colon
    // The dotted quad; a host name's last label is never all digits.
    const QStringList partes = endereco.split(QLatin1Char('.'));
    if (partes.size() != 4)
        return false;
    return std::all_of(partes.cbegin(), partes.cend(), [](const QString &parte) {
        bool numero = false;
        const int valor = parte.toInt(&numero);
        return numero && parte.size() <= 3 && valor >= 0 && valor <= 255 &&
               std::all_of(parte.cbegin(), parte.cend(), [](QChar c) { return c.isDigit(); });
    });
}

bool mesmoSiteOuSubdominio(const QString &d, const QString &r)
{
    if (d == r)
        return !d.isEmpty();
    if (ehEnderecoIP(d) || ehEnderecoIP(r))
        return false;
    // `curto` is `longo`'s parent site when `longo` ends with "." + `curto`.
    const auto ehPai = [](const QString &curto, const QString &longo) {
        return longo.size() > curto.size() && longo.endsWith(curto) &&
               longo[longo.size() - curto.size() - 1] == QLatin1Char('.') && curto.contains(QLatin1Char('.')) &&
               !ehSufixoPublico(curto);
    };
    return ehPai(d, r) || ehPai(r, d);
}
