// The per-item code generator gives exactly the codes of the one-shot path, with its errors.
#include "core/Totp.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <functional>

namespace {

QDateTime emSegundos(qint64 t) { return QDateTime::fromSecsSinceEpoch(t, QTimeZone::utc()); }

QString erroDe(const std::function<void()> &f)
{
    try {
        f();
    } catch (const ErroDeCripto &e) {
        return e.codigo;
    }
    return QStringLiteral("nenhum");
}

const QString sementeSha1 = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ");
const QString sementeSha256 = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZA====");
const QString sementeSha512 =
    QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ"
                   "GEZDGNA=");

} // namespace

// RFC 6238 appendix B, and the same answers as ParametrosTotp::codigo for every case: the one
// generator reused for many instants must not carry anything from one code to the next.
TEST(GeradorDeCodigos, VetoresDaRfc6238EIgualAoCaminhoAvulso)
{
    struct Caso {
        ParametrosTotp parametros;
        qint64 instante;
        const char *esperado; // nullptr: only compared with the one-shot path
    };
    const Caso casos[] = {
        {{sementeSha1, AlgoritmoTotp::sha1, 8, 30}, 59, "94287082"},
        {{sementeSha1, AlgoritmoTotp::sha1, 8, 30}, 1111111109, "07081804"},
        {{sementeSha1, AlgoritmoTotp::sha1, 8, 30}, 20000000000, "65353130"},
        {{sementeSha256, AlgoritmoTotp::sha256, 8, 30}, 59, "46119246"},
        {{sementeSha256, AlgoritmoTotp::sha256, 8, 30}, 1234567890, "91819424"},
        {{sementeSha512, AlgoritmoTotp::sha512, 8, 30}, 59, "90693936"},
        {{sementeSha512, AlgoritmoTotp::sha512, 8, 30}, 2000000000, "38618901"},
        {{QStringLiteral("jbsw y3dp-ehpk3pxp"), AlgoritmoTotp::sha1, 6, 30}, 1700000000, nullptr},
        {{QStringLiteral("JBSWY3DPEHPK3PXP"), AlgoritmoTotp::sha256, 10, 60}, 1700000000, nullptr},
        {{QStringLiteral("JBSWY3DPEHPK3PXP"), AlgoritmoTotp::sha1, 7, 0}, 1700000000, nullptr}, // period 0 reads as 1
        {{QStringLiteral("JBSWY3DPEHPK3PXP"), AlgoritmoTotp::sha1, 6, 30}, -5, nullptr},        // before 1970
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.parametros.segredo.toStdString() + " @ " + std::to_string(caso.instante));
        const GeradorDeCodigos gerador(caso.parametros);
        const QString codigo = gerador.codigo(emSegundos(caso.instante));
        EXPECT_EQ(codigo, caso.parametros.codigo(emSegundos(caso.instante)));
        if (caso.esperado) {
            EXPECT_EQ(codigo, QString::fromLatin1(caso.esperado));
        }
        // Again, after another instant: the same answer.
        (void)gerador.codigo(emSegundos(caso.instante + 12345));
        EXPECT_EQ(gerador.codigo(emSegundos(caso.instante)), codigo);
    }
}

TEST(GeradorDeCodigos, ErrosComoNoCaminhoAvulso)
{
    // A bad secret is refused when the item is prepared; a bad digit count when a code is asked.
    EXPECT_EQ(erroDe([] { GeradorDeCodigos({QStringLiteral("ABC1"), AlgoritmoTotp::sha1, 6, 30}); }),
              u"base32-invalido");
    EXPECT_EQ(erroDe([] { GeradorDeCodigos({QStringLiteral(" -= "), AlgoritmoTotp::sha1, 6, 30}); }),
              u"base32-invalido");
    for (const qint64 digitos : {5, 11, -1}) {
        SCOPED_TRACE(digitos);
        const GeradorDeCodigos gerador({sementeSha1, AlgoritmoTotp::sha1, digitos, 30});
        EXPECT_EQ(erroDe([&] { (void)gerador.codigo(emSegundos(59)); }), u"digitos-invalidos");
    }
}

TEST(GeradorDeCodigos, MovidoContinuaGerando)
{
    GeradorDeCodigos original({sementeSha1, AlgoritmoTotp::sha1, 8, 30});
    GeradorDeCodigos movido(std::move(original));
    EXPECT_EQ(movido.codigo(emSegundos(59)), u"94287082");
}
