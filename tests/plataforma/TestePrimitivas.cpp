#include "plataforma/Primitivas.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <cstring>

namespace {

QByteArray hex(const char *texto)
{
    return QByteArray::fromHex(texto);
}

QByteArray sequencia(int de, int ate)
{
    QByteArray b;
    for (int i = de; i < ate; ++i)
        b.append(static_cast<char>(i));
    return b;
}

} // namespace

// RFC 5869, test cases 1-3 (case 3: empty salt and empty info, the form the vault uses).
TEST(Hkdf, VetoresDaRfc5869)
{
    struct Caso {
        const char *nome;
        QByteArray material, sal, info;
        int tamanho;
        QByteArray esperado;
    };
    const Caso casos[] = {
        {"caso 1", QByteArray(22, '\x0b'), sequencia(0x00, 0x0d), sequencia(0xf0, 0xfa), 42,
         hex("3cb25f25faacd57a90434f64d0362f2a2d2d0a90cf1a5a4c5db02d56ecc4c5bf34007208d5b887185865")},
        {"caso 2", sequencia(0x00, 0x50), sequencia(0x60, 0xb0), sequencia(0xb0, 0x100), 82,
         hex("b11e398dc80327a1c8e7f78c596a49344f012eda2d4efad8a050cc4c19afa97c59045a99cac7827271cb41c65e590e09da3275600"
             "c2f09b8367793a9aca3db71cc30c58179ec3e87c14c01d5c1f3434f1d87")},
        {"caso 3", QByteArray(22, '\x0b'), QByteArray(), QByteArray(), 42,
         hex("8da4e775a563c18f715f802a063c5a31b8a11f5c5ee1879ec3454e5f3c738d2d9d201395faa4b61a96c8")},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(Primitivas::hkdfSha256(c.material, c.sal, c.info, c.tamanho).toHex(), c.esperado.toHex());
    }
}

TEST(Hkdf, SalVazioEhOSalDeZerosDaRfc)
{
    const QByteArray material = sequencia(1, 33);
    EXPECT_EQ(Primitivas::hkdfSha256(material, QByteArray(), "info", 32),
              Primitivas::hkdfSha256(material, QByteArray(32, '\0'), "info", 32));
}

TEST(Hkdf, TamanhoAcimaDoLimiteDaRfcLancaErro)
{
    // 255 blocks of SHA-256 is the most HKDF can give.
    EXPECT_EQ(Primitivas::hkdfSha256("k", {}, {}, 255 * 32).size(), 255 * 32);
    EXPECT_THROW((void)Primitivas::hkdfSha256("k", {}, {}, 255 * 32 + 1), Primitivas::ErroDePrimitiva);
}

namespace {

struct CasoGcm {
    const char *nome;
    QByteArray chave, nonce, claro, associados, cifradoComTag;
};

// The AES-256 cases 13, 14 and 16 of the GCM test vectors (case 16 has associated data).
const CasoGcm casosGcm[] = {
    {"vazio", QByteArray(32, '\0'), QByteArray(12, '\0'), QByteArray(), QByteArray(),
     hex("530f8afbc74536b9a963b4f1c4cb738b")},
    {"um bloco", QByteArray(32, '\0'), QByteArray(12, '\0'), QByteArray(16, '\0'), QByteArray(),
     hex("cea7403d4d606b6e074ec5d3baf39d18d0d1c8a799996bf0265b98b5d48ab919")},
    {"com dados associados", hex("feffe9928665731c6d6a8f9467308308feffe9928665731c6d6a8f9467308308"),
     hex("cafebabefacedbaddecaf888"),
     hex("d9313225f88406e5a55909c5aff5269a86a7a9531534f7da2e4c303d8a318a721c3c0c95956809532fcf0e2449a6b525b16aedf5aa0"
         "de657ba637b39"),
     hex("feedfacedeadbeeffeedfacedeadbeefabaddad2"),
     hex("522dc1f099567d07f47f37a32a84427d643a8cdcbfe5c0c97598a2bd2555d1aa8cb08e48590dbb3da7b08b1056828838c5f61e6393b"
         "a7a0abcc9f66276fc6ece0f4e1768cddf8853bb2d551b")},
};

} // namespace

TEST(AesGcm, VetoresConhecidosSelamEAbrem)
{
    for (const CasoGcm &c : casosGcm) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(Primitivas::selarAesGcm(c.claro, c.chave, c.nonce, c.associados).toHex(), c.cifradoComTag.toHex());
        const auto aberto = Primitivas::abrirAesGcm(c.cifradoComTag, c.chave, c.nonce, c.associados);
        ASSERT_TRUE(aberto.has_value());
        EXPECT_EQ(aberto->toHex(), c.claro.toHex());
    }
}

TEST(AesGcm, QualquerAlteracaoNaoAutentica)
{
    const CasoGcm &c = casosGcm[2];
    QByteArray tagErrada = c.cifradoComTag;
    tagErrada[tagErrada.size() - 1] = static_cast<char>(tagErrada.back() ^ 0x01);
    QByteArray cifraErrada = c.cifradoComTag;
    cifraErrada[0] = static_cast<char>(cifraErrada[0] ^ 0x80);
    QByteArray outraChave = c.chave;
    outraChave[31] = static_cast<char>(outraChave[31] ^ 0x01);
    QByteArray outroNonce = c.nonce;
    outroNonce[0] = static_cast<char>(outroNonce[0] ^ 0x01);

    EXPECT_FALSE(Primitivas::abrirAesGcm(tagErrada, c.chave, c.nonce, c.associados));
    EXPECT_FALSE(Primitivas::abrirAesGcm(cifraErrada, c.chave, c.nonce, c.associados));
    EXPECT_FALSE(Primitivas::abrirAesGcm(c.cifradoComTag, outraChave, c.nonce, c.associados));
    EXPECT_FALSE(Primitivas::abrirAesGcm(c.cifradoComTag, c.chave, outroNonce, c.associados));
    EXPECT_FALSE(Primitivas::abrirAesGcm(c.cifradoComTag, c.chave, c.nonce, c.associados + "x"));
    EXPECT_FALSE(Primitivas::abrirAesGcm(c.cifradoComTag, c.chave, c.nonce, QByteArray()));
    EXPECT_FALSE(Primitivas::abrirAesGcm(c.cifradoComTag.first(15), c.chave, c.nonce, c.associados));
}

TEST(AesGcm, AbrirNoLugarDaOClaroOuApagaTudo)
{
    const CasoGcm &c = casosGcm[2];
    QByteArray bytes = c.cifradoComTag;
    ASSERT_TRUE(Primitivas::abrirAesGcmNoLugar(bytes, c.chave, c.nonce, c.associados));
    EXPECT_EQ(bytes.toHex(), c.claro.toHex());

    // A failed open leaves no unauthenticated plaintext behind.
    bytes = c.cifradoComTag;
    bytes[bytes.size() - 1] = static_cast<char>(bytes.back() ^ 0x01);
    EXPECT_FALSE(Primitivas::abrirAesGcmNoLugar(bytes, c.chave, c.nonce, c.associados));
    EXPECT_EQ(bytes, QByteArray(c.cifradoComTag.size(), '\0'));
}

TEST(AesGcm, SeladorEmPartesIgualAoSeloInteiro)
{
    const CasoGcm &c = casosGcm[2];
    Primitivas::SeladorAesGcm selador(c.chave, c.nonce, c.associados);
    QByteArray saida(c.claro.size() + 16, '\0');
    // Uneven pieces, including an empty one and one encrypted in place.
    selador.cifrar(c.claro.constData(), 7, saida.data());
    selador.cifrar(c.claro.constData() + 7, 0, saida.data() + 7);
    std::memcpy(saida.data() + 7, c.claro.constData() + 7, 30);
    selador.cifrar(saida.constData() + 7, 30, saida.data() + 7);
    selador.cifrar(c.claro.constData() + 37, c.claro.size() - 37, saida.data() + 37);
    selador.finalizar(saida.data() + c.claro.size());
    EXPECT_EQ(saida.toHex(), c.cifradoComTag.toHex());
}

TEST(AesGcm, ChaveOuNonceDeTamanhoErradoLancaErro)
{
    const QByteArray chave(32, 'k'), nonce(12, 'n');
    EXPECT_THROW((void)Primitivas::selarAesGcm("x", chave.first(16), nonce, {}), Primitivas::ErroDePrimitiva);
    EXPECT_THROW((void)Primitivas::selarAesGcm("x", chave, nonce + "n", {}), Primitivas::ErroDePrimitiva);
    EXPECT_THROW((void)Primitivas::abrirAesGcm(QByteArray(16, '\0'), chave + "k", nonce, {}),
                 Primitivas::ErroDePrimitiva);
}

// RFC 2202 (SHA-1) and RFC 4231 (SHA-256, SHA-512), cases 1, 2 and the key longer than a block,
// one-shot and prepared.
TEST(Hmac, VetoresDasRfcs2202E4231)
{
    using Primitivas::Hash;
    const QByteArray chave1(20, '\x0b'), mensagem1("Hi There");
    const QByteArray chave2("Jefe"), mensagem2("what do ya want for nothing?");
    const QByteArray mensagemLonga("Test Using Larger Than Block-Size Key - Hash Key First");
    struct Caso {
        const char *nome;
        Hash hash;
        QByteArray chave, mensagem, esperado;
    };
    const Caso casos[] = {
        {"sha1 1", Hash::sha1, chave1, mensagem1, hex("b617318655057264e28bc0b6fb378c8ef146be00")},
        {"sha1 2", Hash::sha1, chave2, mensagem2, hex("effcdf6ae5eb2fa2d27416d5f184df9c259a7c79")},
        {"sha1 chave longa", Hash::sha1, QByteArray(80, '\xaa'), mensagemLonga,
         hex("aa4ae5e15272d00e95705637ce8a3b55ed402112")},
        {"sha256 1", Hash::sha256, chave1, mensagem1,
         hex("b0344c61d8db38535ca8afceaf0bf12b881dc200c9833da726e9376c2e32cff7")},
        {"sha256 2", Hash::sha256, chave2, mensagem2,
         hex("5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843")},
        {"sha256 chave longa", Hash::sha256, QByteArray(131, '\xaa'), mensagemLonga,
         hex("60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54")},
        {"sha512 1", Hash::sha512, chave1, mensagem1,
         hex("87aa7cdea5ef619d4ff0b4241a1d6cb02379f4e2ce4ec2787ad0b30545e17cdedaa833b7d6b8a702038b274eaea3f4e4be9d914eeb"
             "61f1702e696c203a126854")},
        {"sha512 2", Hash::sha512, chave2, mensagem2,
         hex("164b7a7bfcf819e2e395fbe73b56e0a387bd64222e831fd610270cd7ea2505549758bf75c05a994a6d034f65f8f0e6fdcaeab1a3"
             "4d4a6b4b636e070a38bce737")},
        {"sha512 chave longa", Hash::sha512, QByteArray(131, '\xaa'), mensagemLonga,
         hex("80b24263c7c1a3ebb71493c1dd7be8b49b46d1f41b4aeec1121b013783f8f3526b56d037e05f2598bd0fd2215d6a1e5295e64f73"
             "f63f0aec8b915a985d786598")},
        // An empty key and message are valid HMAC inputs.
        {"sha256 vazio", Hash::sha256, QByteArray(), QByteArray(),
         hex("b613679a0814d9ec772f95d778c35fc5ff1697c493715653c6c712144292c5ad")},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(Primitivas::hmac(c.hash, c.chave, c.mensagem).toHex(), c.esperado.toHex());
        // The prepared HMAC gives the same, and again for a second message with the same key.
        const Primitivas::HmacPreparado preparado(c.hash, c.chave);
        unsigned char saida[64];
        for (int vez = 0; vez < 2; ++vez) {
            const std::size_t n = preparado.calcular(c.mensagem.constData(), std::size_t(c.mensagem.size()), saida);
            EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(saida), qsizetype(n)).toHex(), c.esperado.toHex());
        }
    }
}

TEST(P256, DoisParesChegamAoMesmoSegredo)
{
    const Primitivas::ParP256 a, b;
    const QByteArray publicaA = a.chavePublica(), publicaB = b.chavePublica();
    ASSERT_EQ(publicaA.size(), 65);
    EXPECT_EQ(publicaA.front(), '\x04');
    EXPECT_NE(publicaA, publicaB);

    const auto deA = a.acordo(publicaB), deB = b.acordo(publicaA);
    ASSERT_TRUE(deA && deB);
    EXPECT_EQ(deA->size(), 32);
    EXPECT_EQ(*deA, *deB);

    const Primitivas::ParP256 c;
    const auto deC = c.acordo(publicaA);
    ASSERT_TRUE(deC);
    EXPECT_NE(*deC, *deA);
}

TEST(P256, ChavePublicaForaDaCurvaOuMalFormadaNaoAcorda)
{
    const Primitivas::ParP256 par;
    const QByteArray valida = Primitivas::ParP256().chavePublica();

    QByteArray foraDaCurva = valida;
    foraDaCurva[64] = static_cast<char>(foraDaCurva[64] ^ 0x01); // Y no longer matches X
    QByteArray comprimidaComoSeFosseCheia = valida;
    comprimidaComoSeFosseCheia[0] = '\x02';
    const QByteArray coordenadasAlemDoPrimo = QByteArray(1, '\x04') + QByteArray(64, '\xff');

    struct Caso {
        const char *nome;
        QByteArray chave;
    };
    const Caso casos[] = {
        {"fora da curva", foraDaCurva},
        {"coordenadas além do primo", coordenadasAlemDoPrimo},
        {"zeros (não é ponto)", QByteArray(1, '\x04') + QByteArray(64, '\0')},
        {"prefixo errado", comprimidaComoSeFosseCheia},
        {"forma comprimida", valida.first(33)},
        {"curta", valida.first(64)},
        {"longa", valida + '\0'},
        {"ponto no infinito", QByteArray(1, '\0')},
        {"vazia", QByteArray()},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_FALSE(par.acordo(c.chave).has_value());
    }
    EXPECT_TRUE(par.acordo(valida).has_value());
}

TEST(P256, ParMovidoLevaAChave)
{
    Primitivas::ParP256 original;
    const QByteArray publica = original.chavePublica();
    const Primitivas::ParP256 movido(std::move(original));
    EXPECT_EQ(movido.chavePublica(), publica);
}
