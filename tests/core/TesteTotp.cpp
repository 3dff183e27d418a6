#include "core/Totp.h"
#include "support/ErroEsperado.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

QDateTime emSegundos(qint64 t) { return QDateTime::fromSecsSinceEpoch(t, QTimeZone::utc()); }

using Testes::codigoDoErro;

// RFC 4226 appendix D: the ASCII key "12345678901234567890".
const QByteArray chaveDaRfc = QByteArrayLiteral("12345678901234567890");

TEST(Totp, VetoresHotpDaRfc4226)
{
    const char *esperados[] = {"755224", "287082", "359152", "969429", "338314",
                               "254676", "287922", "162583", "399871", "520489"};
    for (quint64 contador = 0; contador < 10; ++contador) {
        SCOPED_TRACE(contador);
        EXPECT_EQ(Totp::gerar(chaveDaRfc, contador, 6, AlgoritmoTotp::sha1), esperados[contador]);
    }
}

// RFC 6238 appendix B, each hash with its own seed ("12345678901234567890" repeated to 20, 32
// and 64 bytes), here given in base32 as a stored secret is.
TEST(Totp, VetoresTotpDaRfc6238ComAsTresFuncoesDeResumo)
{
    struct Caso {
        AlgoritmoTotp algoritmo;
        const char *segredo;
        const char *codigos[6];
    };
    const qint64 instantes[] = {59, 1111111109, 1111111111, 1234567890, 2000000000, 20000000000};
    const Caso casos[] = {
        {AlgoritmoTotp::sha1,
         "GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ",
         {"94287082", "07081804", "14050471", "89005924", "69279037", "65353130"}},
        {AlgoritmoTotp::sha256,
         "GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZA====",
         {"46119246", "68084774", "67062674", "91819424", "90698825", "77737706"}},
        {AlgoritmoTotp::sha512,
         "GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ"
         "GEZDGNA=",
         {"90693936", "25091201", "99943326", "93441116", "38618901", "47863826"}},
    };
    for (const Caso &caso : casos) {
        const ParametrosTotp parametros{caso.segredo, caso.algoritmo, 8, 30};
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(QStringLiteral("%1 em %2").arg(valorBruto(caso.algoritmo)).arg(instantes[i]).toStdString());
            EXPECT_EQ(parametros.codigo(emSegundos(instantes[i])), caso.codigos[i]);
        }
    }
}

TEST(Totp, DigitosForaDeSeisADezSaoRecusadosSemEstouro)
{
    const qint64 ruins[] = {5, 11, 0, -1, 20, std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::min()};
    for (const qint64 digitos : ruins) {
        SCOPED_TRACE(digitos);
        EXPECT_EQ(codigoDoErro([&] { (void)Totp::gerar(chaveDaRfc, 0, digitos, AlgoritmoTotp::sha1); }),
                  "digitos-invalidos");
        const ParametrosTotp parametros{"GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ", AlgoritmoTotp::sha1, digitos, 30};
        EXPECT_EQ(codigoDoErro([&] { (void)parametros.codigo(emSegundos(59)); }), "digitos-invalidos");
    }
    EXPECT_EQ(Totp::gerar(chaveDaRfc, 0, 6, AlgoritmoTotp::sha1).size(), 6);
}

TEST(Totp, DezDigitosCompletamComZerosAEsquerda)
{
    // Truncated values from RFC 4226 appendix D: 137359152 (counter 2) and 82162583 (counter 7).
    EXPECT_EQ(Totp::gerar(chaveDaRfc, 2, 10, AlgoritmoTotp::sha1), "0137359152");
    EXPECT_EQ(Totp::gerar(chaveDaRfc, 7, 10, AlgoritmoTotp::sha1), "0082162583");
    EXPECT_EQ(Totp::gerar(chaveDaRfc, 0, 10, AlgoritmoTotp::sha1), "1284755224");
    EXPECT_EQ(Totp::gerar(chaveDaRfc, 7, 9, AlgoritmoTotp::sha1), "082162583");
}

TEST(Totp, ContadorEhOTempoDivididoPeloPeriodo)
{
    const ParametrosTotp parametros{"GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ", AlgoritmoTotp::sha1, 6, 30};
    const auto noContador = [](quint64 c) { return Totp::gerar(chaveDaRfc, c, 6, AlgoritmoTotp::sha1); };
    EXPECT_EQ(parametros.codigo(emSegundos(59)), noContador(1));
    EXPECT_EQ(parametros.codigo(emSegundos(60)), noContador(2));
    // Fractions of a second are dropped, never rounded up into the next period.
    EXPECT_EQ(parametros.codigo(QDateTime::fromMSecsSinceEpoch(59'999, QTimeZone::utc())), noContador(1));
    // Before 1970 the time counts as the epoch.
    EXPECT_EQ(parametros.codigo(emSegundos(-1)), noContador(0));
    EXPECT_EQ(parametros.codigo(QDateTime::fromMSecsSinceEpoch(-500, QTimeZone::utc())), noContador(0));
    EXPECT_EQ(parametros.codigo(emSegundos(-86400LL * 365 * 100)), noContador(0));
    EXPECT_EQ(parametros.codigo(QDateTime()), noContador(0));
}

TEST(Totp, PeriodoAbaixoDeUmValeUm)
{
    const auto comPeriodo = [](qint64 periodo) {
        return ParametrosTotp{"GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ", AlgoritmoTotp::sha256, 8, periodo};
    };
    for (const qint64 t : {qint64(0), qint64(59), qint64(1111111109)}) {
        const QString comUm = comPeriodo(1).codigo(emSegundos(t));
        EXPECT_EQ(comUm, Totp::gerar(chaveDaRfc, quint64(t), 8, AlgoritmoTotp::sha256));
        for (const qint64 periodo : {qint64(0), qint64(-5), std::numeric_limits<qint64>::min()}) {
            SCOPED_TRACE(QStringLiteral("t=%1 periodo=%2").arg(t).arg(periodo).toStdString());
            EXPECT_EQ(comPeriodo(periodo).codigo(emSegundos(t)), comUm);
        }
    }
}

TEST(Totp, SegredoQueNaoEhBase32NaoDaCodigo)
{
    const ParametrosTotp parametros{"JBSWY3DP1", AlgoritmoTotp::sha1, 6, 30};
    EXPECT_EQ(codigoDoErro([&] { (void)parametros.codigo(emSegundos(0)); }), "base32-invalido");
    const ParametrosTotp vazio{"", AlgoritmoTotp::sha1, 6, 30};
    EXPECT_EQ(codigoDoErro([&] { (void)vazio.codigo(emSegundos(0)); }), "base32-invalido");
}

TEST(Totp, SegundosRestantesVaoDeUmAoPeriodo)
{
    struct Caso {
        qint64 periodo;
        qint64 t;
        qint64 esperado;
    };
    const Caso casos[] = {
        {30, 60, 30}, {30, 89, 1}, {30, 61, 29}, {60, 59, 1}, {1, 1234, 1},
        // A stored period below 1 counts as 1 instead of dividing by zero.
        {0, 1234, 1}, {-5, 1234, 1}, {std::numeric_limits<qint64>::min(), 77, 1},
        // Before 1970 counts as the epoch: the first second of a period.
        {30, -1, 30}, {30, -100000, 30},
        {std::numeric_limits<qint64>::max(), 10, std::numeric_limits<qint64>::max() - 10},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(QStringLiteral("periodo=%1 t=%2").arg(caso.periodo).arg(caso.t).toStdString());
        EXPECT_EQ(Totp::segundosRestantes(caso.periodo, emSegundos(caso.t)), caso.esperado);
    }
    EXPECT_EQ(Totp::segundosRestantes(30, QDateTime::fromMSecsSinceEpoch(89'999, QTimeZone::utc())), 1);
    EXPECT_EQ(Totp::segundosRestantes(30, QDateTime()), 30);
}

TEST(Totp, AgrupamentoParaExibirDependeDoTamanho)
{
    const std::pair<const char *, const char *> casos[] = {
        {"123456", "123 456"}, {"1234567", "1234 567"}, {"12345678", "1234 5678"},
        {"12345", "12345"},    {"1234567890", "1234567890"}, {"123456789", "123456789"}, {"", ""},
    };
    for (const auto &[codigo, exibido] : casos) {
        SCOPED_TRACE(codigo);
        EXPECT_EQ(Totp::formatarParaExibir(codigo), exibido);
    }
}

TEST(Totp, LimpezaDoSegredoTiraSeparadoresEPreenchimento)
{
    EXPECT_EQ(Totp::normalizarSegredo("  jbsw y3dp-ehpk\t3pxp\n==  "), "JBSWY3DPEHPK3PXP");
    EXPECT_EQ(Totp::normalizarSegredo(QString::fromUtf8("gez\u00a0dg-NBVG\u2003Y3TQ=OJQ")), "GEZDGNBVGY3TQOJQ");
    EXPECT_EQ(Totp::normalizarSegredo("MZXW6"), "MZXW6");
}

TEST(Totp, LimpezaDoSegredoRecusaForaDoAlfabetoOuVazio)
{
    const char *ruins[] = {"JBSW1Y3DP", "JBSW Y3D0", "   ", " - = -- ==", "", "JBSWY3DP!", "jbswy3dpé"};
    for (const char *ruim : ruins) {
        SCOPED_TRACE(ruim);
        EXPECT_EQ(codigoDoErro([&] { (void)Totp::normalizarSegredo(QString::fromUtf8(ruim)); }), "base32-invalido");
    }
}

TEST(Totp, AlgoritmoLidoPeloTextoExato)
{
    EXPECT_EQ(algoritmoTotp("SHA1"), AlgoritmoTotp::sha1);
    EXPECT_EQ(algoritmoTotp("SHA256"), AlgoritmoTotp::sha256);
    EXPECT_EQ(algoritmoTotp("SHA512"), AlgoritmoTotp::sha512);
    for (const char *outro : {"sha1", "Sha256", "SHA-1", "SHA384", "", " SHA1"}) {
        SCOPED_TRACE(outro);
        EXPECT_FALSE(algoritmoTotp(outro).has_value());
    }
    for (const AlgoritmoTotp algoritmo : todosOsAlgoritmosTotp)
        EXPECT_EQ(algoritmoTotp(valorBruto(algoritmo)), algoritmo);
}

} // namespace
