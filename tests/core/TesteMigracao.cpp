#include "core/Codecs.h"
#include "core/ImportacaoDeCodigo.h"
#include "support/ErroEsperado.h"

#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <limits>

// Readable failures: QString and the record print as text.
static void PrintTo(const QString &texto, std::ostream *saida) { *saida << '"' << texto.toStdString() << '"'; }
static void PrintTo(const CodigoImportado &c, std::ostream *saida)
{
    *saida << "{" << c.emissor.toStdString() << " | " << c.conta.toStdString() << " | " << c.segredo.toStdString()
           << " | " << valorBruto(c.algoritmo).toStdString() << " | " << c.digitos << " | " << c.periodo << "}";
}

namespace {

using MigracaoGoogle::Campo;

using Testes::codigoDoErro;

QByteArray hex(const char *texto) { return QByteArray::fromHex(texto); }

// A small protocol-buffers writer for building payloads as exporters do.
QByteArray varint(quint64 valor)
{
    QByteArray saida;
    do {
        quint8 byte = valor & 0x7F;
        valor >>= 7;
        if (valor != 0)
            byte |= 0x80;
        saida.append(char(byte));
    } while (valor != 0);
    return saida;
}
QByteArray campoVarint(quint64 numero, quint64 valor) { return varint(numero << 3) + varint(valor); }
// int32 fields are sign-extended to 64 bits on the wire, so a negative one takes ten bytes.
QByteArray campoInt32(quint64 numero, qint32 valor) { return campoVarint(numero, quint64(qint64(valor))); }
QByteArray campoBytes(quint64 numero, const QByteArray &bytes)
{
    return varint(numero << 3 | 2) + varint(quint64(bytes.size())) + bytes;
}
QByteArray campoFixo64(quint64 numero) { return varint(numero << 3 | 1) + QByteArray(8, '\x11'); }
QByteArray campoFixo32(quint64 numero) { return varint(numero << 3 | 5) + QByteArray(4, '\x22'); }

struct Conta {
    QByteArray segredo;
    QByteArray nome;
    QByteArray emissor;
    quint64 algoritmo;
    quint64 digitos;
    quint64 tipo;

    [[nodiscard]] QByteArray codificada() const
    {
        return campoBytes(1, segredo) + campoBytes(2, nome) + campoBytes(3, emissor) + campoVarint(4, algoritmo)
               + campoVarint(5, digitos) + campoVarint(6, tipo);
    }
};

// The link the way exporters write it: standard base64 with padding, percent-encoded.
QString linkDeMigracao(const QByteArray &payload)
{
    return QStringLiteral("otpauth-migration://offline?data=")
           + QString::fromLatin1(QUrl::toPercentEncoding(QString::fromLatin1(payload.toBase64())));
}

QList<CodigoImportado> lerPayload(const QByteArray &payload) { return MigracaoGoogle::ler(linkDeMigracao(payload)); }

CodigoImportado codigo(const char *emissor, const char *conta, const char *segredo, AlgoritmoTotp algoritmo,
                       qint64 digitos)
{
    CodigoImportado c;
    c.emissor = QString::fromUtf8(emissor);
    c.conta = QString::fromUtf8(conta);
    c.segredo = QString::fromLatin1(segredo);
    c.algoritmo = algoritmo;
    c.digitos = digitos;
    c.periodo = 30;
    return c;
}

struct CasoDeVarint {
    const char *bytes;
    std::optional<quint64> valor; // nothing: refused
    qsizetype fim = 0;
};

TEST(LeitorProtobuf, VarintsDeAteDezBytes)
{
    const CasoDeVarint casos[] = {
        {"00", 0, 1},
        {"7f", 127, 1},
        {"ac02", 300, 2},
        {"ac02ff", 300, 2},
        {"ffffffffffffffff7f", quint64(std::numeric_limits<qint64>::max()), 9},
        // A negative int32 or int64: ten bytes, the tenth carrying bit 63 only.
        {"ffffffffffffffffff01", std::numeric_limits<quint64>::max(), 10},
        {"feffffffffffffffff01", std::numeric_limits<quint64>::max() - 1, 10},
        {"80808080808080808001", quint64(1) << 63, 10},
        {"80808080808080808000", 0, 10},
        {"ffffffffffffffffff02", std::nullopt},   // bit 64 would be set
        {"ffffffffffffffffff7f", std::nullopt},
        {"ffffffffffffffffff81", std::nullopt},   // an eleventh byte would follow
        {"ffffffffffffffffffff01", std::nullopt},
        {"", std::nullopt},
        {"80", std::nullopt},
        {"ffffffff", std::nullopt},
    };
    for (const CasoDeVarint &caso : casos) {
        SCOPED_TRACE(caso.bytes);
        qsizetype posicao = 0;
        std::optional<quint64> lido;
        const QString erro = codigoDoErro([&] { lido = MigracaoGoogle::lerVarint(hex(caso.bytes), posicao); });
        if (caso.valor) {
            EXPECT_EQ(erro, QString());
            EXPECT_EQ(lido, caso.valor);
            EXPECT_EQ(posicao, caso.fim);
        } else {
            EXPECT_EQ(erro, "migracao-invalida");
        }
    }
}

TEST(LeitorProtobuf, VarintComecaNaPosicaoDada)
{
    qsizetype posicao = 2;
    EXPECT_EQ(MigracaoGoogle::lerVarint(hex("ffffac0205"), posicao), 300u);
    EXPECT_EQ(posicao, 4);
    EXPECT_EQ(MigracaoGoogle::lerVarint(hex("ffffac0205"), posicao), 5u);
    EXPECT_EQ(posicao, 5);
    EXPECT_EQ(codigoDoErro([&] { (void)MigracaoGoogle::lerVarint(hex("ffffac0205"), posicao); }), "migracao-invalida");
}

TEST(LeitorProtobuf, CamposDeTodosOsTiposSaoLidosOuPulados)
{
    const QByteArray mensagem = campoVarint(1, 150) + campoFixo64(2) + campoBytes(3, "abc") + campoFixo32(4)
                                + campoInt32(5, -1) + campoBytes(6, {}) + campoVarint(536870911, 7);
    const QList<Campo> esperados = {
        {1, 150u, std::nullopt},
        {3, std::nullopt, QByteArray("abc")},
        {5, std::numeric_limits<quint64>::max(), std::nullopt},
        {6, std::nullopt, QByteArray()},
        {536870911, 7u, std::nullopt},
    };
    EXPECT_EQ(MigracaoGoogle::lerCampos(mensagem), esperados);
    EXPECT_TRUE(MigracaoGoogle::lerCampos({}).isEmpty());
}

TEST(LeitorProtobuf, CamposMalformadosSaoRecusados)
{
    const struct {
        const char *nome;
        QByteArray bytes;
    } casos[] = {
        {"grupo inicial (3)", varint(1 << 3 | 3) + campoVarint(1, 1)},
        {"grupo final (4)", varint(1 << 3 | 4)},
        {"tipo 6", varint(1 << 3 | 6)},
        {"tipo 7", varint(1 << 3 | 7)},
        {"comprimento alem do fim", varint(1 << 3 | 2) + varint(4) + "abc"},
        {"comprimento sem bytes", varint(1 << 3 | 2)},
        // Lengths near 2^64 must not wrap a position check around into range.
        {"comprimento enorme", varint(1 << 3 | 2) + varint(std::numeric_limits<quint64>::max()) + "abc"},
        {"comprimento 2^63", varint(1 << 3 | 2) + varint(quint64(1) << 63) + "abc"},
        {"comprimento negativo como int", varint(1 << 3 | 2) + varint(quint64(-3)) + "abc"},
        {"valor cortado", varint(1 << 3) + "\x80"},
        {"chave longa demais", hex("ffffffffffffffffff02")},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(codigoDoErro([&] { (void)MigracaoGoogle::lerCampos(caso.bytes); }), "migracao-invalida");
    }
}

// A real export: header fields with a negative batch id, accounts of every algorithm and both
// digit counts, and the accounts that must be left out.
// A fixed-size field that runs past the end ends the message: the fields before it stand.
TEST(LeitorProtobuf, CampoFixoCortadoEncerraAMensagem)
{
    const QList<Campo> antes = {{1, 150u, std::nullopt}, {3, std::nullopt, QByteArray("abc")}};
    const QByteArray prefixo = campoVarint(1, 150) + campoBytes(3, "abc");
    const QByteArray cortes[] = {varint(2 << 3 | 1) + "1234567", varint(2 << 3 | 5) + "123", varint(2 << 3 | 1),
                                 varint(2 << 3 | 5)};
    for (const QByteArray &corte : cortes) {
        SCOPED_TRACE(corte.toHex().toStdString());
        EXPECT_EQ(MigracaoGoogle::lerCampos(prefixo + corte), antes);
    }
}

TEST(MigracaoGoogle, CampoFixoCortadoMantemAsContasEOsCamposJaLidos)
{
    using enum AlgoritmoTotp;
    const QByteArray primeira = campoBytes(1, Conta{"abc", "A:a", "", 2, 2, 2}.codificada());
    // At the top level: the account before the cut is kept.
    EXPECT_EQ(lerPayload(primeira + varint(9 << 3 | 5) + "12"),
              QList<CodigoImportado>{codigo("A", "a", "MFRGG", sha256, 8)});
    EXPECT_EQ(lerPayload(primeira + varint(9 << 3 | 1) + "1234567"),
              QList<CodigoImportado>{codigo("A", "a", "MFRGG", sha256, 8)});
    // Inside an account: its fields before the cut count, those after it are never seen.
    const QByteArray cortada = campoBytes(1, "abc") + campoBytes(2, "B:b") + varint(7 << 3 | 1) + "123" + campoVarint(4, 3);
    EXPECT_EQ(lerPayload(primeira + campoBytes(1, cortada)),
              (QList<CodigoImportado>{codigo("A", "a", "MFRGG", sha256, 8), codigo("B", "b", "MFRGG", sha1, 6)}));
}

TEST(MigracaoGoogle, LinkDeExportacaoImportaSoAsContasPorTempoComHashConhecido)
{
    using enum AlgoritmoTotp;
    const QByteArray ola = "Hello!\xde\xad\xbe\xef";
    QByteArray payload;
    payload += campoBytes(1, Conta{ola, "Example:alice@google.com", "Example", 1, 1, 2}.codificada());
    payload += campoBytes(1, Conta{hex("fbff fbff fbff"), "bob", "Acme", 2, 2, 2}.codificada());
    payload += campoBytes(1, Conta{"12345678901234567890", " Nome do Emissor :\tcarol ", "", 3, 1, 2}.codificada());
    payload += campoBytes(1, Conta{ola, "Contador:hotp", "Contador", 1, 1, 1}.codificada()); // counter-based
    payload += campoBytes(1, Conta{ola, "Velho:md5", "Velho", 4, 1, 2}.codificada());      // MD5
    payload += campoBytes(1, campoBytes(2, "Sem:segredo") + campoVarint(6, 2));               // no secret
    payload += campoBytes(1, campoBytes(1, "") + campoBytes(2, "Vazio:segredo"));              // empty secret
    payload += campoBytes(1, Conta{ola, "Novo:hash", "", 5, 1, 2}.codificada());              // unknown hash
    // Unspecified algorithm and digits and no type field: SHA1, 6 digits, time-based.
    payload += campoBytes(1, campoBytes(1, "abc") + campoBytes(2, "dave") + campoVarint(4, 0) + campoVarint(5, 0));
    // Unknown fields of every wire type and the counter (a negative int64) around the known ones.
    payload += campoBytes(1, campoFixo32(20) + campoBytes(1, ola) + campoVarint(7, quint64(-5)) + campoFixo64(21)
                                 + campoBytes(22, "x") + campoBytes(2, "Svc:erin") + campoVarint(6, 2));
    payload += campoVarint(2, 1) + campoVarint(3, 1) + campoVarint(4, 0) + campoInt32(5, -1234567890);
    payload += campoFixo32(9) + campoFixo64(10) + campoBytes(11, "futuro");

    ASSERT_EQ(campoInt32(5, -1234567890).size(), 11); // key plus the ten-byte value
    const QString link = linkDeMigracao(payload);
    ASSERT_TRUE(link.contains(QStringLiteral("%2F")) || link.contains(QStringLiteral("%2B")));

    const QList<CodigoImportado> esperados = {
        codigo("Example", "alice@google.com", "JBSWY3DPEHPK3PXP", sha1, 6),
        codigo("Acme", "bob", "7P77X77374", sha256, 8),
        codigo("Nome do Emissor", "carol", "GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ", sha512, 6),
        codigo("Vazio", "segredo", "", sha1, 6),
        codigo("Novo", "hash", "JBSWY3DPEHPK3PXP", sha1, 6),
        codigo("", "dave", "MFRGG", sha1, 6),
        codigo("Svc", "erin", "JBSWY3DPEHPK3PXP", sha1, 6),
    };
    const QList<CodigoImportado> lidos = MigracaoGoogle::ler(link);
    EXPECT_EQ(lidos, esperados);
    for (const CodigoImportado &c : lidos) {
        EXPECT_FALSE(c.id.isNull());
        EXPECT_EQ(c.periodo, 30);
    }
}

TEST(MigracaoGoogle, DadosEmBase64URLSemPreenchimentoOuComEspacosDaoOMesmoPayload)
{
    const QByteArray payload =
        campoBytes(1, Conta{hex("fbff fbff fb"), "Ex:a", "", 2, 2, 2}.codificada()) + campoVarint(2, 1);
    const QString padrao = QString::fromLatin1(payload.toBase64());
    ASSERT_TRUE(padrao.contains(u'+') && padrao.contains(u'/') && padrao.endsWith(u'='));
    QString url = QString::fromLatin1(payload.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
    QString semPreenchimento = padrao;
    while (semPreenchimento.endsWith(u'='))
        semPreenchimento.chop(1);
    QString comEspacos = padrao;
    comEspacos.replace(u'+', u' ');

    const QByteArray esperado = MigracaoGoogle::decodificarDados(padrao);
    EXPECT_EQ(esperado, payload);
    for (const QString &dados : {url, semPreenchimento, comEspacos, QStringLiteral("\n") + padrao + QStringLiteral("\n")}) {
        SCOPED_TRACE(dados.toStdString());
        EXPECT_EQ(MigracaoGoogle::decodificarDados(dados), payload);
    }

    const QList<CodigoImportado> esperados = {codigo("Ex", "a", "7P77X773", AlgoritmoTotp::sha256, 8)};
    const QString prefixo = QStringLiteral("otpauth-migration://offline?data=");
    EXPECT_EQ(MigracaoGoogle::ler(prefixo + url), esperados);
    EXPECT_EQ(MigracaoGoogle::ler(prefixo + QString::fromLatin1(QUrl::toPercentEncoding(semPreenchimento))), esperados);
    EXPECT_EQ(MigracaoGoogle::ler(prefixo + comEspacos), esperados); // raw spaces: the "%20" retry
    EXPECT_EQ(MigracaoGoogle::ler(QStringLiteral("OTPAUTH-MIGRATION://offline?v=1&data=") + url), esperados);
}

TEST(MigracaoGoogle, DadosQueNaoSaoBase64SaoRecusados)
{
    const char *ruins[] = {"Y", "YQ===", "YQ=A", "Y Q=!", "é", "YQ==YQ==", "a.b"};
    for (const char *dados : ruins) {
        SCOPED_TRACE(dados);
        EXPECT_EQ(codigoDoErro([&] { (void)MigracaoGoogle::decodificarDados(QString::fromUtf8(dados)); }), "migracao-invalida");
    }
    EXPECT_EQ(MigracaoGoogle::decodificarDados(QStringLiteral("YQ")), "a");
}

TEST(MigracaoGoogle, LinksSemDadosUtilizaveisSaoRecusados)
{
    const CodigoImportado exemplo = codigo("", "a", "MFRGG", AlgoritmoTotp::sha1, 6);
    const QString dados = QString::fromLatin1(campoBytes(1, campoBytes(1, "abc") + campoBytes(2, "a")).toBase64());
    ASSERT_EQ(MigracaoGoogle::ler(QStringLiteral("otpauth-migration://offline?data=") + dados),
              QList<CodigoImportado>{exemplo});

    const struct {
        QString link;
        const char *erro;
    } casos[] = {
        {QStringLiteral("otpauth://offline?data=") + dados, "uri-invalida"},
        {QStringLiteral("https://offline?data=") + dados, "uri-invalida"},
        {QStringLiteral("otpauth-migration://offline?data=%zz"), "uri-invalida"},
        {QStringLiteral("otpauth-migration://offline?Data=") + dados, "migracao-invalida"},
        {QStringLiteral("otpauth-migration://offline?data&data=") + dados, "migracao-invalida"},
        {QStringLiteral("otpauth-migration://offline?data="), "migracao-invalida"},
        {QStringLiteral("otpauth-migration://offline"), "migracao-invalida"},
        {QStringLiteral("otpauth-migration://offline?data=%40%40%40%40"), "migracao-invalida"},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.link.toStdString());
        EXPECT_EQ(codigoDoErro([&] { (void)MigracaoGoogle::ler(caso.link); }), caso.erro);
    }
}

TEST(MigracaoGoogle, QualquerCampoMalformadoRecusaAImportacaoInteira)
{
    const QByteArray boa = campoBytes(1, Conta{"abc", "a", "", 1, 1, 2}.codificada());
    const QByteArray ruins[] = {
        boa + campoBytes(1, varint(1 << 3 | 2) + varint(10) + "abc"), // an account's length runs past its end
        boa + campoBytes(1, varint(4 << 3 | 3)),                      // a group inside an account
        boa + varint(9 << 3 | 3),                                     // a group at the top
        boa + varint(1 << 3 | 2) + varint(100) + "abc",               // top-level length past the end
        boa + varint(5 << 3) + hex("ffffffffffffffffffff01"),         // an eleven-byte varint
        boa + campoBytes(1, varint(4 << 3) + hex("ffffffffffffffffff02")), // overflowing varint
    };
    for (const QByteArray &payload : ruins) {
        SCOPED_TRACE(payload.toHex().toStdString());
        EXPECT_EQ(codigoDoErro([&] { (void)lerPayload(payload); }), "migracao-invalida");
    }
}

TEST(MigracaoGoogle, CampoRepetidoValeOUltimoECampoDeOutroTipoEhIgnorado)
{
    using enum AlgoritmoTotp;
    const QByteArray base = campoBytes(1, "abc") + campoBytes(2, "a");
    // MD5 overridden by SHA256 is imported; SHA256 overridden by MD5 is not.
    EXPECT_EQ(lerPayload(campoBytes(1, base + campoVarint(4, 4) + campoVarint(4, 2))),
              QList<CodigoImportado>{codigo("", "a", "MFRGG", sha256, 6)});
    EXPECT_TRUE(lerPayload(campoBytes(1, base + campoVarint(4, 2) + campoVarint(4, 4))).isEmpty());
    // Values no exporter writes are read as SHA1, as the unspecified value 0 is.
    for (const quint64 valor : {quint64(0), quint64(5), quint64(1000), std::numeric_limits<quint64>::max()}) {
        SCOPED_TRACE(valor);
        EXPECT_EQ(lerPayload(campoBytes(1, base + campoVarint(4, valor))),
                  QList<CodigoImportado>{codigo("", "a", "MFRGG", sha1, 6)});
    }
    // Digits: 2 gives 8, anything else 6; the last one counts.
    EXPECT_EQ(lerPayload(campoBytes(1, base + campoVarint(5, 2) + campoVarint(5, 1))).value(0).digitos, 6);
    EXPECT_EQ(lerPayload(campoBytes(1, base + campoVarint(5, 1) + campoVarint(5, 2))).value(0).digitos, 8);
    // Type: a later TOTP makes an account importable, a later HOTP or unspecified leaves it out.
    EXPECT_EQ(lerPayload(campoBytes(1, base + campoVarint(6, 1) + campoVarint(6, 2))).size(), 1);
    EXPECT_TRUE(lerPayload(campoBytes(1, base + campoVarint(6, 2) + campoVarint(6, 0))).isEmpty());
    // The last secret and name count.
    EXPECT_EQ(lerPayload(campoBytes(1, base + campoBytes(1, "Hello!\xde\xad\xbe\xef") + campoBytes(2, "X:b"))),
              QList<CodigoImportado>{codigo("X", "b", "JBSWY3DPEHPK3PXP", sha1, 6)});
    // A secret given as a varint is no secret; an empty secret field is a secret, empty.
    EXPECT_TRUE(lerPayload(campoBytes(1, campoVarint(1, 5) + campoBytes(2, "a"))).isEmpty());
    EXPECT_EQ(lerPayload(campoBytes(1, campoBytes(1, "abc") + campoBytes(2, "a") + campoBytes(1, ""))),
              QList<CodigoImportado>{codigo("", "a", "", sha1, 6)});
    // An algorithm given as bytes is ignored.
    EXPECT_EQ(lerPayload(campoBytes(1, base + campoBytes(4, varint(2)))).value(0).algoritmo, sha1);
    // An account sent as a varint at the top level is not an account.
    EXPECT_TRUE(lerPayload(campoVarint(1, 7) + campoVarint(2, 1)).isEmpty());
}

TEST(MigracaoGoogle, NomeEmissorEUTF8Malformado)
{
    // A non-empty issuer field wins over the name's issuer; an empty one does not.
    EXPECT_EQ(lerPayload(campoBytes(1, campoBytes(1, "abc") + campoBytes(2, "Nome:a") + campoBytes(3, "Campo")))
                  .value(0)
                  .emissor,
              "Campo");
    EXPECT_EQ(lerPayload(campoBytes(1, campoBytes(1, "abc") + campoBytes(2, "Nome:a") + campoBytes(3, ""))).value(0).emissor,
              "Nome");
    const QList<CodigoImportado> lidos =
        lerPayload(campoBytes(1, campoBytes(1, "abc") + campoBytes(2, "Caf\xc3\xa9:j\xff" "o")));
    ASSERT_EQ(lidos.size(), 1);
    EXPECT_EQ(lidos[0].emissor, QString::fromUtf8("Café"));
    EXPECT_EQ(lidos[0].conta, QStringLiteral("j\uFFFDo"));
}

// One U+FFFD per maximal ill-formed subpart, as every other text we decode.
TEST(MigracaoGoogle, UTF8MalformadoTrocaCadaSubparteMaximaPorUmSubstituto)
{
    const QString fffd(QChar(0xFFFD));
    const struct {
        QByteArray bytes;
        QString texto;
    } casos[] = {
        {"a\xf0\x9f\x98z", "a" + fffd + "z"},         // a four-byte sequence cut short
        {"a\xe2\x82z", "a" + fffd + "z"},              // a three-byte sequence cut short
        {"\xe2\x82", fffd},                          // cut short by the end
        {"\xc0\xaf", fffd + fffd},                   // never a lead byte: each byte alone
        {"\xe0\x80\x80", fffd + fffd + fffd},         // overlong
        {"\xed\xa0\x80", fffd + fffd + fffd},         // a surrogate
        {"\xf4\x90\x80\x80", fffd + fffd + fffd + fffd}, // above U+10FFFF
        {"\xf0\x9f\x98\x80\xff", QString::fromUtf8("\U0001F600") + fffd},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.bytes.toHex().toStdString());
        const QByteArray conta = campoBytes(1, "abc") + campoBytes(2, "x:" + caso.bytes) + campoBytes(3, caso.bytes);
        const QList<CodigoImportado> lidos = lerPayload(campoBytes(1, conta));
        ASSERT_EQ(lidos.size(), 1);
        EXPECT_EQ(lidos[0].emissor, caso.texto);
        EXPECT_EQ(lidos[0].conta, caso.texto);
    }
}

TEST(MigracaoGoogle, PayloadSemContasDaListaVazia)
{
    EXPECT_TRUE(lerPayload(campoVarint(2, 1) + campoVarint(3, 1)).isEmpty());
    EXPECT_TRUE(lerPayload(campoBytes(1, {})).isEmpty());
}

TEST(MigracaoGoogle, MesmoLinkLidoDuasVezesDaRegistrosIguaisComIdsDiferentes)
{
    const QString link = linkDeMigracao(campoBytes(1, Conta{"abc", "E:a", "", 3, 2, 2}.codificada()));
    const QList<CodigoImportado> primeiro = MigracaoGoogle::ler(link);
    const QList<CodigoImportado> segundo = MigracaoGoogle::ler(link);
    ASSERT_EQ(primeiro.size(), 1);
    EXPECT_EQ(primeiro, segundo);
    EXPECT_NE(primeiro[0].id, segundo[0].id);
}

} // namespace
