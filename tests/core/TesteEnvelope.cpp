#include "core/Envelope.h"
#include "plataforma/Primitivas.h"

#include "support/ErroEsperado.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

using namespace Qt::StringLiterals;

using Testes::codigoDoErro;

namespace {

const QByteArray chave = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
const QByteArray nonce = QByteArray::fromHex("a0a1a2a3a4a5a6a7a8a9aaab");
const QString rotulo = u"corvane/v1/item:3f2a"_s;

} // namespace

TEST(Envelope, TemATresPartesEsperadas)
{
    const QString texto = Cripto::selarEnvelope("segredo", chave, rotulo, nonce);
    const QStringList partes = texto.split(u'.');
    ASSERT_EQ(partes.size(), 3);
    EXPECT_EQ(partes[0], u"v1");
    EXPECT_EQ(partes[1], Cripto::codificarBase64URL(nonce));
    EXPECT_EQ(partes[1].size(), 16);
    EXPECT_EQ(partes[2].size(), (4 * (7 + 16) + 2) / 3);
    EXPECT_EQ(Cripto::abrirEnvelope(texto, chave, rotulo), "segredo");
}

// The body is AES-256-GCM with the label's UTF-8 bytes as associated data, checked against the
// cipher directly through a label with non-ASCII characters.
TEST(Envelope, CorpoEhAesGcmComORotuloComoDadosAssociados)
{
    const QString rotuloAcentuado = u"corvane/v1/item:ação"_s;
    const QString texto = Cripto::selarEnvelope("abc", chave, rotuloAcentuado, nonce);
    const QByteArray corpo = Cripto::decodificarBase64URL(texto.split(u'.')[2]);
    EXPECT_EQ(corpo, Primitivas::selarAesGcm("abc", chave, nonce, "corvane/v1/item:a\xc3\xa7\xc3\xa3o"));
    EXPECT_EQ(Cripto::abrirEnvelope(texto, chave, rotuloAcentuado), "abc");
    EXPECT_EQ(codigoDoErro([&] { return Cripto::abrirEnvelope(texto, chave, u"corvane/v1/item:acao"_s); }),
              u"falha-ao-decifrar");
}

// The text is written slice by slice; around the slice edges it must still be the one cipher text.
TEST(Envelope, TextosLongosIguaisAoCifradoInteiro)
{
    for (const qsizetype tamanho : {1, 2, 3071, 3072, 3073, 6143, 6144, 6145, 100000}) {
        SCOPED_TRACE(tamanho);
        QByteArray claro(tamanho, Qt::Uninitialized);
        for (qsizetype i = 0; i < tamanho; ++i)
            claro[i] = static_cast<char>(i * 131 + 7);
        const QString texto = Cripto::selarEnvelope(claro, chave, rotulo, nonce);
        const QByteArray esperado = Primitivas::selarAesGcm(claro, chave, nonce, rotulo.toUtf8());
        EXPECT_EQ(texto, u"v1."_s + Cripto::codificarBase64URL(nonce) + u'.' + Cripto::codificarBase64URL(esperado));
        EXPECT_EQ(Cripto::abrirEnvelope(texto, chave, rotulo), claro);
    }
}

TEST(Envelope, VazioSelaSoATagEAbreVazio)
{
    const QString texto = Cripto::selarEnvelope(QByteArray(), chave, rotulo);
    EXPECT_EQ(texto.split(u'.')[2].size(), 22);
    const QByteArray aberto = Cripto::abrirEnvelope(texto, chave, rotulo);
    EXPECT_TRUE(aberto.isEmpty());
}

TEST(Envelope, NoncesNovosACadaSelo)
{
    const QString a = Cripto::selarEnvelope("x", chave, rotulo);
    const QString b = Cripto::selarEnvelope("x", chave, rotulo);
    EXPECT_NE(a.split(u'.')[1], b.split(u'.')[1]);
    EXPECT_EQ(Cripto::abrirEnvelope(a, chave, rotulo), "x");
    EXPECT_EQ(Cripto::abrirEnvelope(b, chave, rotulo), "x");
}

TEST(Envelope, ComOutroRotuloOuOutraChaveNaoAbre)
{
    const QString texto = Cripto::selarEnvelope("conteudo", chave, rotulo, nonce);
    QByteArray outraChave = chave;
    outraChave[0] = '\x7f';
    EXPECT_EQ(codigoDoErro([&] { return Cripto::abrirEnvelope(texto, chave, Cripto::rotuloDoItem(u"outro"_s)); }),
              u"falha-ao-decifrar");
    EXPECT_EQ(codigoDoErro([&] { return Cripto::abrirEnvelope(texto, chave, Cripto::rotuloDaChaveDoCofre); }),
              u"falha-ao-decifrar");
    EXPECT_EQ(codigoDoErro([&] { return Cripto::abrirEnvelope(texto, outraChave, rotulo); }), u"falha-ao-decifrar");
}

TEST(Envelope, QualquerCaractereTrocadoNaoAbre)
{
    const QString texto = Cripto::selarEnvelope("conteudo do item", chave, rotulo, nonce);
    const qsizetype inicioDoNonce = 3;
    for (qsizetype i = inicioDoNonce; i < texto.size(); ++i) {
        if (texto[i] == u'.')
            continue;
        QString alterado = texto;
        alterado[i] = texto[i] == u'A' ? u'B' : u'A';
        SCOPED_TRACE(alterado.toStdString());
        const QString codigo = codigoDoErro([&] { return Cripto::abrirEnvelope(alterado, chave, rotulo); });
        // The body's last character also carries two dropped bits: a change there may leave the
        // bytes as they were. The nonce piece has no spare bits.
        if (i == texto.size() - 1 && codigo.isEmpty())
            EXPECT_EQ(Cripto::abrirEnvelope(alterado, chave, rotulo), "conteudo do item");
        else
            EXPECT_EQ(codigo, u"falha-ao-decifrar");
    }
    // A character outside the alphabet no longer decodes.
    QString invalido = texto;
    invalido[5] = u'*';
    EXPECT_EQ(codigoDoErro([&] { return Cripto::abrirEnvelope(invalido, chave, rotulo); }), u"base64-invalido");
    invalido = texto;
    invalido[invalido.size() - 2] = u' ';
    EXPECT_EQ(codigoDoErro([&] { return Cripto::abrirEnvelope(invalido, chave, rotulo); }), u"base64-invalido");
}

TEST(Envelope, FormatoDesconhecido)
{
    const QString texto = Cripto::selarEnvelope("x", chave, rotulo, nonce);
    const QStringList partes = texto.split(u'.');
    const QString casos[] = {
        u"v2."_s + partes[1] + u'.' + partes[2],
        u"V1."_s + partes[1] + u'.' + partes[2],
        u"v1 ."_s + partes[1] + u'.' + partes[2],
        u".v1."_s + partes[1] + u'.' + partes[2],
        u"v1."_s + partes[1] + partes[2],
        u"v1."_s + partes[1] + u'.' + partes[2] + u'.',
        u"v1."_s + partes[1] + u'.' + partes[2] + u".x"_s,
        u"v1.."_s + partes[1] + u'.' + partes[2],
        u"v1"_s + partes[1] + partes[2],
        u"v1.."_s + partes[2],                                 // empty nonce piece
        u"v1."_s + partes[1].left(15) + u'.' + partes[2],      // 11-byte nonce
        u"v1."_s + partes[1] + u"AAAA."_s + partes[2],           // 15-byte nonce
        u"v1."_s + partes[1] + u'.' + partes[2].left(20),      // 15-byte body
        u"v1."_s + partes[1] + u'.',                           // no body
        QString(),
    };
    for (const QString &c : casos) {
        SCOPED_TRACE(c.toStdString());
        EXPECT_EQ(codigoDoErro([&] { return Cripto::abrirEnvelope(c, chave, rotulo); }), u"formato-desconhecido");
    }
}

TEST(Envelope, TamanhosDeChaveENonceConferidosPrimeiro)
{
    for (const qsizetype tamanho : {0, 16, 31, 33}) {
        SCOPED_TRACE(tamanho);
        const QByteArray errada(tamanho, 'k');
        EXPECT_EQ(codigoDoErro([&] { return Cripto::selarEnvelope("x", errada, rotulo, QByteArray(5, 'n')); }),
                  u"chave-invalida");
        // Checked before the text is even looked at.
        EXPECT_EQ(codigoDoErro([&] { return Cripto::abrirEnvelope(u"lixo"_s, errada, rotulo); }), u"chave-invalida");
    }
    for (const qsizetype tamanho : {0, 11, 13, 16}) {
        SCOPED_TRACE(tamanho);
        EXPECT_EQ(codigoDoErro([&] { return Cripto::selarEnvelope("x", chave, rotulo, QByteArray(tamanho, 'n')); }),
                  u"nonce-invalido");
    }
}

TEST(Envelope, AceitaBase64PadraoNasPartes)
{
    // This nonce's base64url text holds both "-" and "_".
    const QByteArray nonceComSimbolos = QByteArray::fromHex("fbfffbfffbfffbfffbfffbff");
    const QByteArray claro(40, '\xfb');
    const QString texto = Cripto::selarEnvelope(claro, chave, rotulo, nonceComSimbolos);
    const QStringList partes = texto.split(u'.');
    ASSERT_TRUE(partes[1].contains(u'-') && partes[1].contains(u'_'));
    QString padrao = partes[0] + u'.' + partes[1] + u'.' + partes[2];
    padrao.replace(u'-', u'+').replace(u'_', u'/');
    padrao += u"=="_s;
    EXPECT_EQ(Cripto::abrirEnvelope(padrao, chave, rotulo), claro);
    // Padding at the end of the nonce piece is accepted too.
    EXPECT_EQ(Cripto::abrirEnvelope(partes[0] + u'.' + partes[1] + u"==."_s + partes[2], chave, rotulo), claro);
}

TEST(Envelope, RotuloDoItem)
{
    EXPECT_EQ(Cripto::rotuloDoItem(u"ab-12"_s), u"corvane/v1/item:ab-12");
}

TEST(Hkdf, DeterministicaESeparadaPeloRotulo)
{
    const QByteArray material(32, '\x42');
    const QByteArray a = Cripto::hkdf(material, u"corvane/v1/autenticacao"_s);
    const QByteArray b = Cripto::hkdf(material, u"corvane/v1/cifra"_s);
    EXPECT_EQ(a.size(), 32);
    EXPECT_EQ(b.size(), 32);
    EXPECT_NE(a, b);
    EXPECT_EQ(a, Cripto::hkdf(material, u"corvane/v1/autenticacao"_s));
    EXPECT_NE(a, Cripto::hkdf(QByteArray(32, '\x43'), u"corvane/v1/autenticacao"_s));
}

// RFC 5869 test case 3 is exactly this form: empty salt, info from the label (here empty).
TEST(Hkdf, VetorDaRfc5869SemSalNemInfo)
{
    EXPECT_EQ(Cripto::hkdf(QByteArray(22, '\x0b'), QString(), 42).toHex(),
              "8da4e775a563c18f715f802a063c5a31b8a11f5c5ee1879ec3454e5f3c738d2d9d201395faa4b61a96c8");
}

// The store opens envelopes from their UTF-8 bytes: every text gives what the text overload gives,
// the same plaintext or the same error code.
TEST(Envelope, BytesAbremComoOTexto)
{
    const QString valido = Cripto::selarEnvelope("conteudo", chave, rotulo, nonce);
    const QStringList partes = valido.split(u'.');
    QString trocado = valido;
    trocado[5] = u'*';
    const QString casos[] = {
        valido,
        valido + u"=="_s,
        u"v2."_s + partes[1] + u'.' + partes[2],
        u"v1."_s + partes[1] + u'.' + partes[2] + u".x"_s,
        u"v1."_s + partes[1] + u'.' + partes[2] + u'é',
        trocado,
        u"v1."_s + partes[1] + u'.' + partes[2].left(partes[2].size() - 2) + u"AA"_s,
        u"v1"_s,
        QString(),
    };
    for (const QString &caso : casos) {
        SCOPED_TRACE(caso.toStdString());
        QByteArray doTexto, dosBytes;
        const QString erroDoTexto = codigoDoErro([&] { doTexto = Cripto::abrirEnvelope(caso, chave, rotulo); });
        const QString erroDosBytes =
            codigoDoErro([&] { dosBytes = Cripto::abrirEnvelope(caso.toUtf8(), chave, rotulo); });
        EXPECT_EQ(erroDosBytes, erroDoTexto);
        EXPECT_EQ(dosBytes, doTexto);
    }
    EXPECT_EQ(Cripto::abrirEnvelope(valido.toUtf8(), chave, rotulo), "conteudo");
}
