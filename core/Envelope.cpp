#include "core/Envelope.h"

#include "plataforma/Primitivas.h"

#include <cstring>

namespace Cripto {

namespace {

constexpr qsizetype tamanhoDaChave = 32;
constexpr qsizetype tamanhoDoNonce = 12;
constexpr qsizetype tamanhoDaTag = 16;
constexpr QByteArrayView prefixo = "v1.";

[[noreturn]] void falhar(const char *codigo)
{
    throw ErroDeCripto(QString::fromLatin1(codigo));
}

// A label's UTF-8 bytes. Every label in use is short ASCII: narrowed on the stack and wrapped
// without a copy, so sealing and opening allocate nothing for it.
class RotuloEmUtf8 {
public:
    explicit RotuloEmUtf8(const QString &rotulo)
    {
        const char16_t *c = reinterpret_cast<const char16_t *>(rotulo.constData());
        const qsizetype n = rotulo.size();
        bool ascii = n <= qsizetype(sizeof curto_);
        for (qsizetype i = 0; ascii && i < n; ++i) {
            ascii = c[i] < 0x80;
            curto_[i] = static_cast<char>(c[i]);
        }
        bytes_ = ascii ? QByteArray::fromRawData(curto_, n) : rotulo.toUtf8();
    }
    RotuloEmUtf8(const RotuloEmUtf8 &) = delete;
    RotuloEmUtf8 &operator=(const RotuloEmUtf8 &) = delete;

    [[nodiscard]] const QByteArray &bytes() const { return bytes_; }

private:
    char curto_[128];
    QByteArray bytes_;
};

} // namespace

QString rotuloDoItem(const QString &id)
{
    return QStringLiteral("corvane/v1/item:") + id;
}

TextoSelado selarEnvelope(const QByteArray &textoClaro, const QByteArray &chave, const QString &rotulo,
                          const QByteArray &nonce)
{
    if (chave.size() != tamanhoDaChave)
        falhar("chave-invalida");
    if (nonce.size() != tamanhoDoNonce)
        falhar("nonce-invalido");
    // A failure of OpenSSL here is rare and not ours to reclassify: it propagates as ErroDePrimitiva.
    Primitivas::SeladorAesGcm selador(chave, nonce, RotuloEmUtf8(rotulo).bytes());

    // The text is written into one allocation, the ciphertext encoded slice by slice as it comes
    // out of the cipher, with no buffer of the whole ciphertext.
    QByteArray texto(prefixo.size() + detalhe::tamanhoEmBase64URL(tamanhoDoNonce) + 1
                         + detalhe::tamanhoEmBase64URL(textoClaro.size() + tamanhoDaTag),
                     Qt::Uninitialized);
    char *destino = texto.data();
    std::memcpy(destino, prefixo.data(), std::size_t(prefixo.size()));
    destino = detalhe::escreverBase64URL(nonce.constData(), nonce.size(), destino + prefixo.size());
    *destino++ = '.';

    constexpr qsizetype fatia = 3 * 1024; // a multiple of 3, so the slices' texts join up
    char cifrado[fatia + tamanhoDaTag];
    const char *origem = textoClaro.constData();
    qsizetype resta = textoClaro.size();
    for (; resta > fatia; origem += fatia, resta -= fatia) {
        selador.cifrar(origem, fatia, cifrado);
        destino = detalhe::escreverBase64URL(cifrado, fatia, destino);
    }
    selador.cifrar(origem, resta, cifrado);
    selador.finalizar(cifrado + resta);
    detalhe::escreverBase64URL(cifrado, resta + tamanhoDaTag, destino);
    return TextoSelado::doSelador(std::move(texto));
}

namespace {

// A character of either view as a number.
char16_t unidade(QChar c) { return c.unicode(); }
char16_t unidade(char c) { return static_cast<unsigned char>(c); }

// Where `c` is in `texto` from `de` on, or -1; the same for both views.
template <typename Visao>
qsizetype posicaoDe(Visao texto, char16_t c, qsizetype de)
{
    for (qsizetype i = de; i < texto.size(); ++i) {
        if (unidade(texto[i]) == c)
            return i;
    }
    return -1;
}

template <typename Visao>
QByteArray abrirTexto(Visao texto, const QByteArray &chave, const QString &rotulo)
{
    if (chave.size() != tamanhoDaChave)
        falhar("chave-invalida");

    // Exactly three pieces (empty ones count), the first exactly "v1". Only the first two dots
    // are looked for: a third one can only sit in the body, where the decoder refuses it (a dot
    // is no base64 character), and only then is the rest of the text searched, so the refusal
    // still reads as an unknown format rather than bad base64.
    const qsizetype primeiro = posicaoDe(texto, u'.', 0);
    const qsizetype segundo = primeiro < 0 ? -1 : posicaoDe(texto, u'.', primeiro + 1);
    if (segundo < 0 || primeiro != 2 || unidade(texto[0]) != u'v' || unidade(texto[1]) != u'1')
        falhar("formato-desconhecido");
    const auto decodificar = [&](auto &&decodificarPeca) {
        try {
            return decodificarPeca();
        } catch (const ErroDeCripto &) {
            if (posicaoDe(texto, u'.', segundo + 1) >= 0)
                falhar("formato-desconhecido");
            throw;
        }
    };

    // The nonce is decoded onto the stack; a piece too long for a nonce is decoded whole, as any
    // piece is, so that its error reads the same.
    const Visao pecaDoNonce = texto.sliced(primeiro + 1, segundo - primeiro - 1);
    char nonce[tamanhoDoNonce];
    qsizetype tamanhoLido = decodificar([&] { return detalhe::decodificarBase64URLEm(pecaDoNonce, nonce, tamanhoDoNonce); });
    if (tamanhoLido < 0)
        tamanhoLido = decodificar([&] { return detalhe::decodificarBase64URL(pecaDoNonce); }).size();
    QByteArray corpo = decodificar([&] { return detalhe::decodificarBase64URL(texto.sliced(segundo + 1)); });
    if (tamanhoLido != tamanhoDoNonce || corpo.size() < tamanhoDaTag)
        falhar("formato-desconhecido");

    // Whatever goes wrong while opening (wrong key or label, a changed byte, even OpenSSL
    // failing) reads as one failure: callers must not be able to tell them apart.
    // The decoded body is ours, so it is opened in place into the plaintext.
    bool aberto = false;
    try {
        aberto = Primitivas::abrirAesGcmNoLugar(corpo, chave, QByteArray::fromRawData(nonce, tamanhoDoNonce),
                                                RotuloEmUtf8(rotulo).bytes());
    } catch (const Primitivas::ErroDePrimitiva &) {
        aberto = false;
    }
    if (!aberto)
        falhar("falha-ao-decifrar");
    return corpo;
}

} // namespace

QByteArray abrirEnvelope(const QString &envelope, const QByteArray &chave, const QString &rotulo)
{
    return abrirTexto(QStringView(envelope), chave, rotulo);
}

QByteArray abrirEnvelope(const QByteArray &envelope, const QByteArray &chave, const QString &rotulo)
{
    return abrirTexto(QByteArrayView(envelope), chave, rotulo);
}

QByteArray abrirEnvelope(const TextoSelado &envelope, const QByteArray &chave, const QString &rotulo)
{
    if (!envelope.compacto())
        return abrirEnvelope(envelope.utf8(), chave, rotulo);
    if (chave.size() != tamanhoDaChave)
        falhar("chave-invalida");
    // Held compact, the envelope is already known well formed: its body is copied and opened in
    // place, with the same single failure as the text's.
    QByteArray corpo = envelope.corpo().toByteArray();
    bool aberto = false;
    try {
        const QByteArray nonce = QByteArray::fromRawData(envelope.nonce().data(), tamanhoDoNonce);
        aberto = Primitivas::abrirAesGcmNoLugar(corpo, chave, nonce, RotuloEmUtf8(rotulo).bytes());
    } catch (const Primitivas::ErroDePrimitiva &) {
        aberto = false;
    }
    if (!aberto)
        falhar("falha-ao-decifrar");
    return corpo;
}

QByteArray hkdf(const QByteArray &material, const QString &rotulo, int tamanho)
{
    return Primitivas::hkdfSha256(material, QByteArray(), rotulo.toUtf8(), tamanho);
}

} // namespace Cripto
