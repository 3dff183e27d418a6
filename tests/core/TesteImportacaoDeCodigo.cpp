#include "core/ImportacaoDeCodigo.h"
#include "support/ErroEsperado.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <optional>

// Readable failures: QString and the record print as text.
static void PrintTo(const QString &texto, std::ostream *saida) { *saida << '"' << texto.toStdString() << '"'; }
static void PrintTo(const CodigoImportado &c, std::ostream *saida)
{
    *saida << "{" << c.emissor.toStdString() << " | " << c.conta.toStdString() << " | " << c.segredo.toStdString()
           << " | " << valorBruto(c.algoritmo).toStdString() << " | " << c.digitos << " | " << c.periodo << "}";
}

namespace {

using Testes::codigoDoErro;

// "Hello!" followed by DE AD BE EF, the usual sample secret.
constexpr const char *segredo = "JBSWY3DPEHPK3PXP";

struct Esperado {
    const char *emissor;
    const char *conta;
    AlgoritmoTotp algoritmo = AlgoritmoTotp::sha1;
    qint64 digitos = 6;
    qint64 periodo = 30;
};

struct CasoValido {
    const char *link;
    Esperado esperado;
};

TEST(ImportacaoDeOtpauth, LinksAceitosDaoOCodigoEsperado)
{
    using enum AlgoritmoTotp;
    const CasoValido casos[] = {
        {"otpauth://totp/Example:alice@google.com?secret=JBSWY3DPEHPK3PXP&issuer=Example",
         {"Example", "alice@google.com"}},
        // The issuer parameter wins: "+" is a space, and an empty one clears the label's issuer.
        {"otpauth://totp/Example:alice@google.com?secret=JBSWY3DPEHPK3PXP&issuer=Example+Corp",
         {"Example Corp", "alice@google.com"}},
        {"otpauth://totp/Example:alice@google.com?secret=JBSWY3DPEHPK3PXP&issuer=", {"", "alice@google.com"}},
        {"otpauth://totp/Example:alice?issuer=Outro&secret=JBSWY3DPEHPK3PXP", {"Outro", "alice"}},
        // Percent-encoding is undone after splitting, so an encoded "&" is part of the value.
        {"otpauth://totp/x?secret=JBSWY3DPEHPK3PXP&issuer=Caf%C3%A9%20%26%20Bar", {"Café & Bar", "x"}},
        // Labels: no colon, an encoded colon, a raw space, spaces and tabs around the parts.
        {"otpauth://totp/alice?secret=JBSWY3DPEHPK3PXP", {"", "alice"}},
        {"otpauth://totp/alice?secret=JBSWY3DPEHPK3PXP&issuer=Site", {"Site", "alice"}},
        {"otpauth://totp/Example%3Aalice?secret=JBSWY3DPEHPK3PXP", {"Example", "alice"}},
        {"otpauth://totp/Meu Banco:joão da silva?secret=JBSWY3DPEHPK3PXP", {"Meu Banco", "joão da silva"}},
        {"otpauth://totp/%20%09Example%20:%20alice%09?secret=JBSWY3DPEHPK3PXP", {"Example", "alice"}},
        {"otpauth://totp/a:b:c?secret=JBSWY3DPEHPK3PXP", {"a", "b:c"}},
        {"otpauth://totp/?secret=JBSWY3DPEHPK3PXP", {"", ""}},
        {"otpauth://totp?secret=JBSWY3DPEHPK3PXP", {"", ""}},
        // Case of scheme, host and parameter names does not matter; the text is trimmed first.
        {"OTPAUTH://TOTP/Ex:a?SECRET=JBSWY3DPEHPK3PXP&Digits=8&PERIOD=60&AlGoRiThM=sha256",
         {"Ex", "a", sha256, 8, 60}},
        {"  \n otpauth://totp/Ex:a?secret=JBSWY3DPEHPK3PXP\r\n", {"Ex", "a"}},
        // Digits, period and algorithm spellings.
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=7", {"", "a", sha1, 7}},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=+8", {"", "a", sha1, 8}},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&period=300", {"", "a", sha1, 6, 300}},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&period=5", {"", "a", sha1, 6, 5}},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&algorithm=sha512", {"", "a", sha512}},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&algorithm=SHA-512", {"", "a", sha512}},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&algorithm=sha-256", {"", "a", sha256}},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&algorithm=SHA-1", {"", "a", sha1}},
        // Only the first parameter of a name counts; one without "=" counts as missing.
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=8&digits=6", {"", "a", sha1, 8}},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits&digits=8", {"", "a", sha1, 6}},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&issuer&issuer=X", {"", "a"}},
        {"otpauth://totp/a?counter=3&secret=JBSWY3DPEHPK3PXP&image=https%3A%2F%2Fx", {"", "a"}},
    };
    for (const CasoValido &caso : casos) {
        SCOPED_TRACE(caso.link);
        CodigoImportado codigo;
        ASSERT_EQ(codigoDoErro([&] { codigo = importarOtpauth(QString::fromUtf8(caso.link)); }), QString());
        EXPECT_EQ(codigo.emissor, QString::fromUtf8(caso.esperado.emissor));
        EXPECT_EQ(codigo.conta, QString::fromUtf8(caso.esperado.conta));
        EXPECT_EQ(codigo.segredo, QString::fromLatin1(segredo));
        EXPECT_EQ(codigo.algoritmo, caso.esperado.algoritmo);
        EXPECT_EQ(codigo.digitos, caso.esperado.digitos);
        EXPECT_EQ(codigo.periodo, caso.esperado.periodo);
        EXPECT_FALSE(codigo.id.isNull());
    }
}

TEST(ImportacaoDeOtpauth, SegredoEhLimpoParaMaiusculasSemPreenchimento)
{
    const char *links[] = {
        "otpauth://totp/a?secret=jbswy3dpehpk3pxp",
        "otpauth://totp/a?secret=JBSW-Y3DP-EHPK-3PXP====",
        "otpauth://totp/a?secret=jbsw%20y3dp%20ehpk%203pxp%3D%3D",
    };
    for (const char *link : links) {
        SCOPED_TRACE(link);
        EXPECT_EQ(importarOtpauth(QString::fromLatin1(link)).segredo, QString::fromLatin1(segredo));
    }
}

struct CasoRecusado {
    const char *link;
    const char *erro;
};

TEST(ImportacaoDeOtpauth, LinksRecusadosDaoOPrimeiroErro)
{
    const CasoRecusado casos[] = {
        {"", "uri-invalida"},
        {"   ", "uri-invalida"},
        {"JBSWY3DPEHPK3PXP", "uri-invalida"},
        {"https://totp/a?secret=JBSWY3DPEHPK3PXP", "uri-invalida"},
        {"otpauth-migration://offline?data=CgA", "uri-invalida"},
        {"otpauth://totp/a%zz?secret=JBSWY3DPEHPK3PXP", "uri-invalida"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP%G1", "uri-invalida"},
        {"otpauth://hotp/a?secret=JBSWY3DPEHPK3PXP&counter=0", "so-totp"},
        {"otpauth://hotp/a", "so-totp"}, // the host is checked before the secret
        {"otpauth:totp?secret=JBSWY3DPEHPK3PXP", "so-totp"},
        {"otpauth://totp/a", "sem-segredo"},
        {"otpauth://totp/a?secret=", "sem-segredo"},
        {"otpauth://totp/a?secret&secret=JBSWY3DPEHPK3PXP", "sem-segredo"},
        {"otpauth://totp/a?Secret=&secret=JBSWY3DPEHPK3PXP", "sem-segredo"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=9", "digitos-invalidos"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=5", "digitos-invalidos"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=-6", "digitos-invalidos"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=seis", "digitos-invalidos"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=6.0", "digitos-invalidos"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=", "digitos-invalidos"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=%206", "digitos-invalidos"},
        // Values beyond 64 bits must be refused, not wrapped into the accepted range.
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=18446744073709551622", "digitos-invalidos"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=9223372036854775808", "digitos-invalidos"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=-9223372036854775808", "digitos-invalidos"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&period=4", "periodo-invalido"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&period=301", "periodo-invalido"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&period=0", "periodo-invalido"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&period=-30", "periodo-invalido"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&period=30s", "periodo-invalido"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&period=18446744073709551646", "periodo-invalido"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&digits=9&period=0", "digitos-invalidos"},
        {"otpauth://totp/a?secret=JBSW1Y3DP", "base32-invalido"},
        {"otpauth://totp/a?secret=%3D%3D--", "base32-invalido"},
        {"otpauth://totp/a?secret=JBSW1&algorithm=MD5", "base32-invalido"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&algorithm=MD5", "algoritmo-nao-suportado"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&algorithm=", "algoritmo-nao-suportado"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&algorithm=SHA224", "algoritmo-nao-suportado"},
        {"otpauth://totp/a?secret=JBSWY3DPEHPK3PXP&algorithm=SHA%20256", "algoritmo-nao-suportado"},
    };
    for (const CasoRecusado &caso : casos) {
        SCOPED_TRACE(caso.link);
        EXPECT_EQ(codigoDoErro([&] { (void)importarOtpauth(QString::fromUtf8(caso.link)); }), caso.erro);
    }
}

TEST(ImportacaoDeOtpauth, MesmoLinkLidoDuasVezesDaRegistrosIguaisComIdsDiferentes)
{
    const QString link = QStringLiteral("otpauth://totp/Ex:a?secret=JBSWY3DPEHPK3PXP&digits=8");
    const CodigoImportado primeiro = importarOtpauth(link);
    const CodigoImportado segundo = importarOtpauth(link);
    EXPECT_EQ(primeiro, segundo);
    EXPECT_NE(primeiro.id, segundo.id);

    CodigoImportado outro = segundo;
    outro.digitos = 6;
    EXPECT_FALSE(primeiro == outro);
}

TEST(ImportacaoDeOtpauth, ConteudoNovoTemAsChavesDoCodigoNaOrdemGuardada)
{
    const CodigoImportado codigo =
        importarOtpauth(QStringLiteral("otpauth://totp/Ex:a?secret=JBSWY3DPEHPK3PXP&algorithm=SHA256&digits=8&period=60"));
    const DadosDeCodigo dados = dadosDeCodigo(codigo);

    QStringList chaves;
    for (const ParJSON &par : dados.json.pares)
        chaves.append(par.chave);
    EXPECT_EQ(chaves, QStringList({"emissor", "conta", "segredo", "algoritmo", "digitos", "periodo", "favorito", "notas"}));
    EXPECT_EQ(dados.json.texto("emissor"), "Ex");
    EXPECT_EQ(dados.json.texto("conta"), "a");
    EXPECT_EQ(dados.json.texto("segredo"), QString::fromLatin1(segredo));
    EXPECT_EQ(dados.json.texto("algoritmo"), "SHA256");
    EXPECT_EQ(dados.json.inteiro("digitos", 0), 8);
    EXPECT_EQ(dados.json.inteiro("periodo", 0), 60);
    ASSERT_NE(dados.json.valor("favorito"), nullptr);
    EXPECT_EQ(dados.json.valor("favorito")->comoBooleano(), std::optional<bool>(false));
    ASSERT_NE(dados.json.valor("notas"), nullptr);
    EXPECT_EQ(dados.json.valor("notas")->comoTexto() ? *dados.json.valor("notas")->comoTexto() : "?", "");
    EXPECT_EQ(dados.parametros(), (ParametrosTotp{QString::fromLatin1(segredo), AlgoritmoTotp::sha256, 8, 60}));
}

} // namespace
