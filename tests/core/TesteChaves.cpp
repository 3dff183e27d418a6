#include "core/Chaves.h"

#include "support/ErroEsperado.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

using namespace Qt::StringLiterals;

using Testes::codigoDoErro;

namespace {

QByteArray sequencia(int de, int ate)
{
    QByteArray b;
    for (int i = de; i < ate; ++i)
        b.append(static_cast<char>(i));
    return b;
}

// Reference values computed with the reference argon2 implementation (libargon2 through
// python3-argon2: argon2id, version 0x13, t=3, m=65536 KiB, p=1, 32 bytes) and an independent
// RFC 5869 HKDF-SHA256 over the NFKC-normalised UTF-8 password.
const QByteArray salSequencial = sequencia(0, 16);
constexpr auto senhaSimples = u"correct horse battery staple";
const QByteArray mestraSimples = QByteArray::fromHex("0d1a3c6523c8f06e4e0af9c515aa5b5448cfebd6838f2d52c3d8b6ef8ddc3c2e");
constexpr auto provaSimples = u"lU0kxuGkS9i2RngH0xwLiib0TsMYl3P12fTOADvGsGc";
const QByteArray embrulhoSimples =
    QByteArray::fromHex("3a3ad6f136f379235988bae4b081eab6a9e99182f1e7e42753c5f0732c2e2437");

const QByteArray salDeTexto("saltsaltsaltsalt");
const QByteArray mestraDaSenhaVazia =
    QByteArray::fromHex("81a6d69528f310374f7048b4a0ee78f36aa3a028a3bba249bb3b43860f53c5a5");

// "Café Pass" after NFKC: precomposed é, ASCII letters.
const QByteArray salDeA5(16, '\xa5');
const QByteArray mestraDeCafe = QByteArray::fromHex("94b91e5690dadbb4aeb784676cbb9e274d9dea145c3e1e2b76e1f2750cbf5dbc");

// Recovery code bytes d0..e3 and the values derived from them.
constexpr auto codigoAgrupado = u"2DI5-FU6U-2XLN-PWGZ-3LN5-ZXO6-37QO-DYXD";
const QByteArray bytesDoCodigo = sequencia(0xd0, 0xe4);
constexpr auto provaDeRecuperacao = u"j4iydiugjdp5gGut314tcgQA-E9pQy9z2fylASqq5lQ";
const QByteArray embrulhoDeRecuperacao =
    QByteArray::fromHex("f1d75dcdaaa5151ef5e8257d0450c0d43e861bf1787370ea76ac1310cbd78801");

ParametrosKdf com(qint64 iteracoes, qint64 memoriaKiB, qint64 paralelismo = 1, QString algoritmo = u"argon2id"_s)
{
    return ParametrosKdf{std::move(algoritmo), iteracoes, memoriaKiB, paralelismo};
}

} // namespace

TEST(ParametrosKdf, ParametrosForaDosLimitesSaoKdfFraco)
{
    const struct {
        const char *nome;
        ParametrosKdf parametros;
    } casos[] = {
        {"argon2i", com(3, 65536, 1, u"argon2i"_s)},
        {"Argon2id", com(3, 65536, 1, u"Argon2id"_s)},
        {"argon2id com espaço", com(3, 65536, 1, u"argon2id "_s)},
        {"vazio", com(3, 65536, 1, QString())},
        {"paralelismo 2", com(3, 65536, 2)},
        {"paralelismo 0", com(3, 65536, 0)},
        {"iteracoes 2", com(2, 65536)},
        {"iteracoes 21", com(21, 65536)},
        {"memoria 65535", com(3, 65535)},
        {"memoria 1048577", com(3, 1048577)},
        {"negativos", com(-3, -65536)},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        // The bounds are reported even when the salt is wrong as well.
        for (const QByteArray &sal : {salSequencial, QByteArray(15, 's')})
            EXPECT_EQ(codigoDoErro([&] { return Cripto::derivarChaveMestra(u"senha"_s, sal, c.parametros); }),
                      u"kdf-fraco");
        EXPECT_EQ(codigoDoErro([&] { return Cripto::derivarChavesDaSenha(u"senha"_s, salSequencial, c.parametros); }),
                  u"kdf-fraco");
    }
}

// The bounds themselves are accepted: the salt check after them is what fails, so no stretch runs.
TEST(ParametrosKdf, LimitesSaoAceitos)
{
    for (const ParametrosKdf &p : {com(3, 65536), com(20, 1048576), com(3, 1048576), com(20, 65536)}) {
        SCOPED_TRACE(p.iteracoes);
        for (const qsizetype tamanho : {0, 15, 17}) {
            EXPECT_EQ(codigoDoErro([&] { return Cripto::derivarChaveMestra(u"senha"_s, QByteArray(tamanho, 's'), p); }),
                      u"sal-invalido");
        }
    }
    EXPECT_EQ(ParametrosKdf::padrao(), com(3, 65536));
}

TEST(ChaveMestra, SenhaComSubstitutoSoltoNaoEhEsticada)
{
    // An unpaired surrogate would turn into "?" in UTF-8 and collide with that password.
    for (const QString &senha : {u"abc"_s + QChar(0xD800), QString(QChar(0xDC00)) + u"abc"_s,
                                 u"a"_s + QChar(0xDBFF) + u"b"_s}) {
        EXPECT_EQ(codigoDoErro([&] { return Cripto::derivarChaveMestra(senha, salSequencial, ParametrosKdf::padrao()); }),
                  u"senha-invalida");
    }
}

TEST(ChaveMestra, VetoresDeReferenciaDoArgon2id)
{
    EXPECT_EQ(Cripto::derivarChaveMestra(QString::fromUtf16(senhaSimples), salSequencial, ParametrosKdf::padrao()).toHex(),
              mestraSimples.toHex());
    EXPECT_EQ(Cripto::derivarChaveMestra(QString(), salDeTexto, ParametrosKdf::padrao()).toHex(),
              mestraDaSenhaVazia.toHex());
}

TEST(ChaveMestra, FormasEquivalentesPelaNfkcDaoAMesmaChave)
{
    // Precomposed "é" with full-width letters, and "e" + combining acute with ASCII letters.
    const QString precompostaLarga = u"Caf\u00e9 \uff30\uff41\uff53\uff53"_s;
    const QString decompostaAscii = u"Cafe\u0301 Pass"_s;
    EXPECT_EQ(Cripto::derivarChaveMestra(precompostaLarga, salDeA5, ParametrosKdf::padrao()).toHex(),
              mestraDeCafe.toHex());
    EXPECT_EQ(Cripto::derivarChaveMestra(decompostaAscii, salDeA5, ParametrosKdf::padrao()).toHex(),
              mestraDeCafe.toHex());
}

TEST(ChavesDaSenha, ProvaEEmbrulhoDaChaveMestra)
{
    const ChavesDaSenha chaves =
        Cripto::derivarChavesDaSenha(QString::fromUtf16(senhaSimples), salSequencial, ParametrosKdf::padrao());
    EXPECT_EQ(chaves.prova, QString::fromUtf16(provaSimples));
    EXPECT_EQ(chaves.chaveDeEmbrulho.toHex(), embrulhoSimples.toHex());

    QByteArray outroSal = salSequencial;
    outroSal[15] = '\x10';
    const ChavesDaSenha outras =
        Cripto::derivarChavesDaSenha(QString::fromUtf16(senhaSimples), outroSal, ParametrosKdf::padrao());
    EXPECT_NE(outras.prova, chaves.prova);
    EXPECT_NE(outras.chaveDeEmbrulho, chaves.chaveDeEmbrulho);
    EXPECT_EQ(outras.chaveDeEmbrulho.size(), 32);
}

TEST(ChaveDoCofre, AbreSoComAChaveCertaEComTrintaEDoisBytes)
{
    const QByteArray embrulho(32, 'e');
    const QByteArray chaveDoCofre = sequencia(100, 132);
    const QString protegida = Cripto::selarEnvelope(chaveDoCofre, embrulho, Cripto::rotuloDaChaveDoCofre);
    EXPECT_EQ(Cripto::abrirChaveDoCofre(protegida, embrulho), chaveDoCofre);

    EXPECT_EQ(codigoDoErro([&] { return Cripto::abrirChaveDoCofre(protegida, QByteArray(32, 'x')); }),
              u"falha-ao-decifrar");
    const QString curta = Cripto::selarEnvelope(QByteArray(16, 'c'), embrulho, Cripto::rotuloDaChaveDoCofre);
    EXPECT_EQ(codigoDoErro([&] { return Cripto::abrirChaveDoCofre(curta, embrulho); }), u"chave-do-cofre-invalida");
    const QString longa = Cripto::selarEnvelope(QByteArray(33, 'c'), embrulho, Cripto::rotuloDaChaveDoCofre);
    EXPECT_EQ(codigoDoErro([&] { return Cripto::abrirChaveDoCofre(longa, embrulho); }), u"chave-do-cofre-invalida");
    // Bound to its label: an item envelope holding 32 bytes is not a vault key.
    const QString deItem = Cripto::selarEnvelope(chaveDoCofre, embrulho, Cripto::rotuloDoItem(u"x"_s));
    EXPECT_EQ(codigoDoErro([&] { return Cripto::abrirChaveDoCofre(deItem, embrulho); }), u"falha-ao-decifrar");
    EXPECT_EQ(codigoDoErro([&] { return Cripto::abrirChaveDoCofre(u"v2.a.b"_s, embrulho); }), u"formato-desconhecido");
}

TEST(CodigoDeRecuperacao, AgrupaDeQuatroEmQuatro)
{
    const struct {
        QString texto, agrupado;
    } casos[] = {
        {Cripto::codificarBase32(bytesDoCodigo), QString::fromUtf16(codigoAgrupado)},
        {u"ABCDEF"_s, u"ABCD-EF"_s},
        {u"ABCDEFGH"_s, u"ABCD-EFGH"_s},
        {u"ABC"_s, u"ABC"_s},
        {QString(), QString()},
        // A letter with a combining accent counts as one character.
        {u"e\u0301BCDE"_s, u"e\u0301BCD-E"_s},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.texto.toStdString());
        EXPECT_EQ(Cripto::agruparCodigoDeRecuperacao(c.texto), c.agrupado);
    }
    EXPECT_EQ(QString::fromUtf16(codigoAgrupado).size(), 39);
}

TEST(CodigoDeRecuperacao, LeituraToleraComoOUsuarioDigita)
{
    const QString agrupado = QString::fromUtf16(codigoAgrupado);
    QString semTracos = agrupado;
    semTracos.remove(u'-');
    QString comEspacos = agrupado;
    comEspacos.replace(u'-', u' ');
    QString tracosExtras = agrupado;
    tracosExtras.replace(u"-"_s, u"--"_s);
    const QString casos[] = {
        agrupado, agrupado.toLower(), semTracos, comEspacos, tracosExtras, u"  "_s + agrupado + u"\n"_s,
        u"2DI5.FU6U/2XLN,PWGZ\t3LN5–ZXO6_37QO é DYXD"_s,
        // An accented letter drops out whole, whether typed precomposed or with a combining accent.
        u"a\u0301"_s + agrupado, u"2DI5-E\u0301FU6U-2XLN-PWGZ-3LN5-ZXO6-37QO-DYXD"_s,
    };
    for (const QString &c : casos) {
        SCOPED_TRACE(c.toStdString());
        EXPECT_EQ(Cripto::lerCodigoDeRecuperacao(c).toHex(), bytesDoCodigo.toHex());
    }
}

TEST(CodigoDeRecuperacao, CodigoInvalido)
{
    const QString agrupado = QString::fromUtf16(codigoAgrupado);
    QString zeroNoLugarDeO = agrupado;
    zeroNoLugarDeO.replace(u'O', u'0');
    QString umNoLugarDeI = agrupado;
    umNoLugarDeI.replace(u'I', u'1');
    const QString casos[] = {
        agrupado.left(34),                                 // one group missing: 17 bytes
        agrupado + u"-AAAA"_s,                             // 22 bytes
        zeroNoLugarDeO, umNoLugarDeI,                      // the digits are dropped, too few bytes left
        QString(), u"---- 0189 !!!"_s, u"ééé"_s,
    };
    for (const QString &c : casos) {
        SCOPED_TRACE(c.toStdString());
        EXPECT_EQ(codigoDoErro([&] { return Cripto::lerCodigoDeRecuperacao(c); }), u"codigo-de-recuperacao-invalido");
        EXPECT_EQ(codigoDoErro([&] { return Cripto::derivarChavesDeRecuperacao(c); }),
                  u"codigo-de-recuperacao-invalido");
    }
}

TEST(CodigoDeRecuperacao, ValoresDerivadosDeReferencia)
{
    const ChavesDeRecuperacao chaves = Cripto::derivarChavesDeRecuperacao(QString::fromUtf16(codigoAgrupado));
    EXPECT_EQ(chaves.prova, QString::fromUtf16(provaDeRecuperacao));
    EXPECT_EQ(chaves.chaveDeEmbrulho.toHex(), embrulhoDeRecuperacao.toHex());
    // Typed differently, the same code gives the same values.
    const ChavesDeRecuperacao minusculas =
        Cripto::derivarChavesDeRecuperacao(QString::fromUtf16(codigoAgrupado).toLower().remove(u'-'));
    EXPECT_EQ(minusculas.prova, chaves.prova);
    EXPECT_EQ(minusculas.chaveDeEmbrulho, chaves.chaveDeEmbrulho);
}
