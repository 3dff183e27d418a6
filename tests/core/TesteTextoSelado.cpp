#include "core/Codecs.h"
#include "core/Envelope.h"
#include "core/TextoSelado.h"

#include "support/ErroEsperado.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

using namespace Qt::StringLiterals;

using Testes::codigoDoErro;

namespace {

const QByteArray chave(32, '\x11');
const QByteArray nonce = QByteArray::fromHex("a0a1a2a3a4a5a6a7a8a9aaab");
const QString rotulo = u"corvane/v1/item:abc"_s;

QByteArray selado(const QByteArray &claro)
{
    return Cripto::selarEnvelope(claro, chave, rotulo, nonce).utf8();
}

// The same text with a low bit set in its last character: for a body whose last character
// carries bits past the data, another text of the same bytes.
QByteArray comBitSobrando(QByteArray texto)
{
    texto.back() = static_cast<char>(texto.back() + 1);
    return texto;
}

} // namespace

// The byte writer gives the same text as the UTF-16 one, for every tail length; and the
// canonical test accepts exactly what the writer gives.
TEST(Base64URL, EscritorDeBytesIgualAoDeTextoECanonicoSoOQueEleEscreve)
{
    for (int n = 0; n < 8; ++n) {
        const QByteArray bytes = QByteArray::fromHex("fbff00f1e2d3c4b5").left(n);
        QByteArray texto(Cripto::detalhe::tamanhoEmBase64URL(n), Qt::Uninitialized);
        char *fim = Cripto::detalhe::escreverBase64URL(bytes.constData(), n, texto.data());
        EXPECT_EQ(fim, texto.data() + texto.size());
        EXPECT_EQ(QString::fromLatin1(texto), Cripto::codificarBase64URL(bytes)) << n;
        EXPECT_TRUE(Cripto::detalhe::ehBase64URLCanonico(texto)) << n;
    }
    const struct {
        const char *texto;
        bool canonico;
    } casos[] = {
        {"", true},       {"-_8", true},    {"AQ", true},      {"AR", false}, // bits past the data
        {"AQI", true},    {"AQJ", false},   {"AQ==", false},   {"+/8", false}, // padding, standard alphabet
        {"A", false},     {"AQ.I", false},  {"AQ I", false},   {"\xc3\xa1", false},
    };
    for (const auto &caso : casos)
        EXPECT_EQ(Cripto::detalhe::ehBase64URLCanonico(QByteArrayView(caso.texto)), caso.canonico) << caso.texto;
}

// Decoding in place gives what decoding into a new array gives, when it fits.
TEST(Base64URL, DecodificarNoLugarComoNumNovoArray)
{
    const struct {
        const char *texto;
        qsizetype capacidade;
        qsizetype esperado; // -1: does not fit; -2: refused
    } casos[] = {
        {"oKGio6Slpqeoqaqr", 12, 12}, {"oKGio6Slpqeoqaqr==", 12, 12}, {"oKGio6Slpqeoqaqr", 11, -1},
        {"AQ", 12, 1},                {"", 12, 0},                    {"oKGio6Sl*qeoqaqr", 12, -2},
        {"oKGio", 12, -2},
    };
    for (const auto &caso : casos) {
        // UTF-16 and bytes alike.
        const auto ler = [&](auto texto, char *destino) -> qsizetype {
            try {
                return Cripto::detalhe::decodificarBase64URLEm(texto, destino, caso.capacidade);
            } catch (const ErroDeCripto &e) {
                EXPECT_EQ(e.codigo, u"base64-invalido");
                return -2;
            }
        };
        char deBytes[12] = {};
        char deTexto[12] = {};
        const qsizetype lido = ler(QByteArrayView(caso.texto), deBytes);
        EXPECT_EQ(lido, caso.esperado) << caso.texto;
        EXPECT_EQ(ler(QString::fromLatin1(caso.texto), deTexto), lido) << caso.texto;
        if (lido >= 0) {
            EXPECT_EQ(QByteArray(deBytes, lido), Cripto::detalhe::decodificarBase64URL(QByteArrayView(caso.texto)));
            EXPECT_EQ(QByteArray(deTexto, lido), QByteArray(deBytes, lido));
        }
    }
}

// Whatever form a text is held in, it gives back exactly the bytes it was made from, through
// bytes, UTF-16 and appending alike; only an envelope as the writer writes it is held compact.
TEST(TextoSelado, DevolveOTextoExatoEmQualquerForma)
{
    const QByteArray envelope = selado("conteudo!"); // 25 bytes of body: a tail of two characters
    const QByteArray semNada = selado("");
    const QByteArray longo = selado(QByteArray(5000, 'x'));
    const qsizetype ponto = envelope.lastIndexOf('.');
    const struct {
        QByteArray texto;
        bool compacto;
    } casos[] = {
        {envelope, true},
        {semNada, true}, // the tag alone
        {longo, true},
        {comBitSobrando(envelope), false}, // the same bytes decoded, another text
        {envelope.left(ponto) + ".AAAA", false},                          // body shorter than a tag
        {envelope.left(ponto) + "." + envelope.mid(ponto + 1).replace('-', '+').replace('_', '/'),
         !envelope.mid(ponto + 1).contains('-') && !envelope.mid(ponto + 1).contains('_')},
        {"v1." + envelope.mid(3, 16) + "==." + envelope.mid(ponto + 1), false}, // padded nonce
        {"v2" + envelope.mid(2), false},
        {envelope + ".x", false},
        {"", false},
        {"lixo", false},
        {"v1.ação", false},
    };
    for (const auto &caso : casos) {
        const TextoSelado deBytes = TextoSelado::deUtf8(caso.texto);
        const TextoSelado deTexto(QString::fromUtf8(caso.texto));
        EXPECT_EQ(deBytes.compacto(), caso.compacto) << caso.texto.constData();
        EXPECT_EQ(deTexto.compacto(), caso.compacto) << caso.texto.constData();
        EXPECT_EQ(deBytes.utf8(), caso.texto);
        EXPECT_EQ(deBytes.size(), caso.texto.size());
        EXPECT_EQ(deBytes.texto(), QString::fromUtf8(caso.texto));
        QByteArray anexado("[");
        deBytes.acrescentarEm(anexado);
        EXPECT_EQ(anexado, "[" + caso.texto);
        EXPECT_EQ(deBytes, deTexto);
        EXPECT_EQ(deBytes, QString::fromUtf8(caso.texto));
        EXPECT_EQ(deBytes, TextoSelado::doSelador(caso.texto)); // the sealer's own form, never compact
    }
    EXPECT_FALSE(TextoSelado::deUtf8(envelope) == TextoSelado::deUtf8(semNada));
    EXPECT_FALSE(TextoSelado::deUtf8(envelope) == TextoSelado::doSelador(semNada));
    // Bytes that start as the compact form's marker are no UTF-8: they read as text does.
    EXPECT_FALSE(TextoSelado::deUtf8("\xff" + envelope).compacto());
    EXPECT_EQ(TextoSelado::deUtf8("\xff" + envelope).texto(), QString::fromUtf8("\xff" + envelope));
}

// A compact envelope opens to the same plaintext, and fails with the same codes, as its text.
TEST(TextoSelado, CompactoAbreComoOTexto)
{
    const QByteArray claros[] = {"", "a", "conteudo do item", QByteArray(4000, 'z')};
    for (const QByteArray &claro : claros) {
        const QByteArray texto = selado(claro);
        const TextoSelado compacto = TextoSelado::deUtf8(texto);
        ASSERT_TRUE(compacto.compacto());
        EXPECT_EQ(Cripto::abrirEnvelope(compacto, chave, rotulo), claro);
        EXPECT_EQ(Cripto::abrirEnvelope(TextoSelado::doSelador(texto), chave, rotulo), claro);
    }
    const TextoSelado compacto = TextoSelado::deUtf8(selado("x"));
    const auto erro = [&](const QByteArray &comChave, const QString &comRotulo) {
        return codigoDoErro([&] { return Cripto::abrirEnvelope(compacto, comChave, comRotulo); });
    };
    EXPECT_EQ(erro(QByteArray(32, '\x12'), rotulo), u"falha-ao-decifrar");
    EXPECT_EQ(erro(chave, u"corvane/v1/item:outro"_s), u"falha-ao-decifrar");
    EXPECT_EQ(erro(QByteArray(16, '\x11'), rotulo), u"chave-invalida");
}
