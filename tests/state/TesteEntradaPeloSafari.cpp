// The browser sign-in exchange: page addresses, callbacks on the "corvane" scheme, the passkey
// envelope, and which callbacks are refused.
#include "state/EntradaPeloSafari.h"

#include "core/CodificacaoJSON.h"
#include "core/ErroDeCripto.h"
#include "plataforma/InfoDoPacote.h"
#include "plataforma/Primitivas.h"
#include "support/EnvelopeDePasskey.h"
#include "support/Executar.h"

#include <QSignalSpy>
#include <QUrlQuery>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Resultado = EntradaPeloSafari::Resultado;

// What a call ended with, as one comparable text.
template <typename F>
QString desfecho(F &&f)
{
    try {
        (void)f();
        return QStringLiteral("ok");
    } catch (const ErroDeEntradaSocial &e) {
        return e.caso() == ErroDeEntradaSocial::Caso::cancelado ? QStringLiteral("cancelado") : QStringLiteral("falhou");
    } catch (const ErroDeCripto &e) {
        return QStringLiteral("cripto:") + e.codigo;
    } catch (const ErroDeDecodificacao &) {
        return QStringLiteral("decodificacao");
    }
}

QUrl url(const char *texto)
{
    return QUrl(QString::fromUtf8(texto));
}

class EntradaPeloSafariTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        InfoDoPacote::substituir(QVariantMap{{QStringLiteral("URLDoSite"), QStringLiteral("https://corvane.test/conta")}});
        entrada.definirAbridor([this](const QUrl &endereco) { abertos.append(endereco); });
    }
    void TearDown() override { InfoDoPacote::substituir(std::nullopt); }

    // Starts a wait and cancels it, leaving its key in place; gives the key from the address.
    QByteArray chaveDeUmaEsperaCancelada(const QString &aguardado = QStringLiteral("passkey"))
    {
        auto tarefa = entrada.esperar(aguardado, QStringLiteral("entrar/mac"));
        entrada.cancelar();
        EXPECT_EQ(desfecho([&] { return Testes::executar(std::move(tarefa)); }), QStringLiteral("cancelado"));
        return Testes::chaveDoEndereco(abertos.last());
    }

    QString envelopeValido(const QByteArray &chaveDoApp)
    {
        return Testes::envelopeDePasskey(chaveDoApp, Testes::conteudoDoEnvelope(sessao, chaveDoCofre));
    }

    EntradaPeloSafari entrada;
    QList<QUrl> abertos;
    const ValorJSON sessao = Testes::sessaoEmJSON(Testes::contaDeExemplo());
    const QByteArray chaveDoCofre = QByteArray(32, '\x5a');
};

TEST_F(EntradaPeloSafariTeste, EnderecosLevamAChaveEfemeraPorUltimo)
{
    struct Caso {
        const char *aguardado;
        const char *caminho;
        QList<std::pair<QString, QString>> antesDaChave;
    };
    const QList<Caso> casos = {
        {"apple", "/conta/entrar/social/apple", {{QStringLiteral("app"), QStringLiteral("mac")}}},
        {"google", "/conta/entrar/social/google", {{QStringLiteral("app"), QStringLiteral("mac")}}},
        {"passkey", "/conta/entrar/mac", {}},
    };
    QSet<QByteArray> chaves;
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.aguardado);
        const QString aguardado = QString::fromLatin1(caso.aguardado);
        auto tarefa = aguardado == QStringLiteral("passkey") ? entrada.esperar(aguardado, QStringLiteral("entrar/mac"))
                                                             : entrada.entrarComProvedor(aguardado);
        ASSERT_FALSE(abertos.isEmpty());
        const QUrl endereco = abertos.last();
        EXPECT_EQ(endereco.scheme(), QStringLiteral("https"));
        EXPECT_EQ(endereco.host(), QStringLiteral("corvane.test"));
        EXPECT_EQ(endereco.path(), QString::fromLatin1(caso.caminho));
        auto itens = QUrlQuery(endereco).queryItems();
        ASSERT_EQ(itens.size(), caso.antesDaChave.size() + 1);
        EXPECT_EQ(itens.mid(0, caso.antesDaChave.size()), caso.antesDaChave);
        EXPECT_EQ(itens.last().first, QStringLiteral("chave"));
        const QByteArray chave = Cripto::decodificarBase64URL(itens.last().second);
        EXPECT_EQ(chave.size(), 65);
        EXPECT_EQ(chave.at(0), '\x04');
        chaves.insert(chave);
        EXPECT_EQ(entrada.aguardando(), aguardado);
        EXPECT_EQ(entrada.ultimoEndereco(), endereco);

        entrada.cancelar();
        EXPECT_EQ(desfecho([&] { return Testes::executar(std::move(tarefa)); }), QStringLiteral("cancelado"));
        EXPECT_EQ(entrada.aguardando(), std::nullopt);
    }
    EXPECT_EQ(chaves.size(), 3) << "every wait makes its own key";
}

TEST_F(EntradaPeloSafariTeste, SemEnderecoDoSiteFalhaSemAbrirNada)
{
    for (const QVariantMap &dicionario :
         {QVariantMap{}, QVariantMap{{QStringLiteral("URLDoSite"), QStringLiteral("sem esquema")}}}) {
        InfoDoPacote::substituir(dicionario);
        auto tarefa = entrada.esperar(QStringLiteral("passkey"), QStringLiteral("entrar/mac"));
        EXPECT_EQ(desfecho([&] { return Testes::executar(std::move(tarefa)); }), QStringLiteral("falhou"));
        EXPECT_TRUE(abertos.isEmpty());
        EXPECT_EQ(entrada.aguardando(), std::nullopt);
        EXPECT_EQ(entrada.ultimoEndereco(), std::nullopt);
    }
}

TEST_F(EntradaPeloSafariTeste, RetornoSocialEntregaTokenNonceENome)
{
    struct Caso {
        const char *retorno;
        std::optional<QString> nome;
    };
    const QList<Caso> casos = {
        {"corvane://social?token=t%2Bx.y&nonce=n-1&nome=Ana%20Souza&provedor=google", QStringLiteral("Ana Souza")},
        {"corvane://social?token=t%2Bx.y&nonce=n-1&nome=", std::nullopt},
        {"corvane://social?token=t%2Bx.y&nonce=n-1", std::nullopt},
        {"corvane://social?erro=outro&token=t%2Bx.y&nonce=n-1", std::nullopt},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.retorno);
        QSignalSpy ativacao(&entrada, &EntradaPeloSafari::ativacaoPedida);
        auto tarefa = entrada.entrarComProvedor(QStringLiteral("google"));
        EXPECT_TRUE(entrada.receber(url(caso.retorno)));
        EXPECT_EQ(ativacao.count(), 1);
        const Resultado resultado = Testes::executar(std::move(tarefa));
        ASSERT_NE(resultado.social(), nullptr);
        EXPECT_EQ(resultado.social()->token, QStringLiteral("t+x.y"));
        EXPECT_EQ(resultado.social()->nonce, QStringLiteral("n-1"));
        EXPECT_EQ(resultado.social()->nome, caso.nome);
        EXPECT_EQ(entrada.aguardando(), std::nullopt);
        EXPECT_EQ(entrada.retornoAvulso(), std::nullopt);
    }
}

TEST_F(EntradaPeloSafariTeste, RetornoSocialIncompletoOuCanceladoEncerraAEspera)
{
    const QList<std::pair<const char *, const char *>> casos = {
        {"corvane://social?nonce=n", "falhou"},
        {"corvane://social?token=t", "falhou"},
        {"corvane://social?token=&nonce=n", "falhou"},
        {"corvane://social?token=t&nonce", "falhou"},
        {"corvane://social", "falhou"},
        {"corvane://social?erro=cancelado&token=t&nonce=n", "cancelado"},
        {"corvane://passkey?erro=cancelado", "cancelado"},
        {"corvane://passkey?token=t&nonce=n", "falhou"},
    };
    for (const auto &[retorno, esperado] : casos) {
        SCOPED_TRACE(retorno);
        auto tarefa = entrada.entrarComProvedor(QStringLiteral("apple"));
        EXPECT_TRUE(entrada.receber(url(retorno)));
        EXPECT_EQ(desfecho([&] { return Testes::executar(std::move(tarefa)); }), QString::fromLatin1(esperado));
        EXPECT_EQ(entrada.aguardando(), std::nullopt);
    }
}

TEST_F(EntradaPeloSafariTeste, PasskeyAbreASessaoEAChaveDoCofre)
{
    auto tarefa = entrada.esperar(QStringLiteral("passkey"), QStringLiteral("entrar/mac"));
    const QString envelope = envelopeValido(Testes::chaveDoEndereco(abertos.last()));
    EXPECT_TRUE(entrada.receber(Testes::retornoDePasskey(envelope)));
    const Resultado resultado = Testes::executar(std::move(tarefa));
    ASSERT_NE(resultado.cofre(), nullptr);
    EXPECT_EQ(resultado.cofre()->sessao, RespostaDeSessao::deJSON(sessao));
    EXPECT_EQ(resultado.cofre()->chave, chaveDoCofre);
    EXPECT_EQ(entrada.aguardando(), std::nullopt);
}

TEST_F(EntradaPeloSafariTeste, EnvelopeTambemChegaPeloCaminhoDoProvedor)
{
    auto tarefa = entrada.entrarComProvedor(QStringLiteral("apple"));
    const QString envelope = envelopeValido(Testes::chaveDoEndereco(abertos.last()));
    EXPECT_TRUE(entrada.receber(Testes::retornoDePasskey(envelope)));
    const Resultado resultado = Testes::executar(std::move(tarefa));
    ASSERT_NE(resultado.cofre(), nullptr);
    EXPECT_EQ(resultado.cofre()->chave, chaveDoCofre);
}

TEST_F(EntradaPeloSafariTeste, EnvelopeSoAbreBemFormadoEIntacto)
{
    const auto comChave = [&](int tamanho) { return Testes::conteudoDoEnvelope(sessao, QByteArray(tamanho, '\x11')); };
    const Conta conta = Testes::contaDeExemplo();
    struct Caso {
        const char *nome;
        std::function<QString(const QByteArray &chaveDoApp)> envelope;
        const char *esperado;
    };
    const QList<Caso> casos = {
        {"pontos seguidos contam como um", [&](const QByteArray &c) { return envelopeValido(c).replace(QLatin1Char('.'), QStringLiteral("..")).prepend(QLatin1Char('.')); }, "ok"},
        {"chave de 31 bytes", [&](const QByteArray &c) { return Testes::envelopeDePasskey(c, comChave(31)); }, "falhou"},
        {"chave de 33 bytes", [&](const QByteArray &c) { return Testes::envelopeDePasskey(c, comChave(33)); }, "falhou"},
        {"sem token de renovação",
         [&](const QByteArray &c) {
             return Testes::envelopeDePasskey(c, Testes::conteudoDoEnvelope(Testes::sessaoEmJSON(conta, QStringLiteral("a"), QStringLiteral("2030-01-01T00:00:00Z"), std::nullopt), chaveDoCofre));
         },
         "falhou"},
        {"token de renovação vazio",
         [&](const QByteArray &c) {
             return Testes::envelopeDePasskey(c, Testes::conteudoDoEnvelope(Testes::sessaoEmJSON(conta, QStringLiteral("a"), QStringLiteral("2030-01-01T00:00:00Z"), QString()), chaveDoCofre));
         },
         "falhou"},
        {"dois pedaços", [&](const QByteArray &c) { return envelopeValido(c).section(QLatin1Char('.'), 1); }, "falhou"},
        {"quatro pedaços", [&](const QByteArray &c) { return envelopeValido(c) + QStringLiteral(".AAAA"); }, "falhou"},
        {"vazio", [](const QByteArray &) { return QString(); }, "falhou"},
        {"cifra alterada",
         [&](const QByteArray &c) {
             QString e = envelopeValido(c);
             e[e.size() - 3] = e[e.size() - 3] == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
             return e;
         },
         "cripto:falha-ao-decifrar"},
        {"selado para outra chave", [&](const QByteArray &) { return envelopeValido(Primitivas::ParP256().chavePublica()); }, "cripto:falha-ao-decifrar"},
        {"base64 inválido", [&](const QByteArray &c) { return envelopeValido(c).section(QLatin1Char('.'), 0, 1) + QStringLiteral(".*%$"); }, "cripto:base64-invalido"},
        {"chave do site fora da curva",
         [&](const QByteArray &c) {
             return Cripto::codificarBase64URL(QByteArray(1, '\x04') + QByteArray(64, '\x07')) + QLatin1Char('.') +
                    envelopeValido(c).section(QLatin1Char('.'), 1);
         },
         "cripto:chave-invalida"},
        {"curto demais", [&](const QByteArray &c) { return envelopeValido(c).section(QLatin1Char('.'), 0, 0) + QStringLiteral(".AAAA.AAAA"); }, "cripto:tamanho-invalido"},
        {"conteúdo que não é JSON", [&](const QByteArray &c) { return Testes::envelopeDePasskey(c, QByteArray("sessao")); }, "decodificacao"},
        {"sem sessão",
         [&](const QByteArray &c) {
             return Testes::envelopeDePasskey(c, Escritor().texto(QStringLiteral("chaveDoCofre"), Cripto::codificarBase64URL(chaveDoCofre)).documento());
         },
         "decodificacao"},
        {"chave do cofre que não é texto",
         [&](const QByteArray &c) {
             return Testes::envelopeDePasskey(c, Escritor().valor(QStringLiteral("sessao"), sessao).numero(QStringLiteral("chaveDoCofre"), 1).documento());
         },
         "decodificacao"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const QByteArray chaveDoApp = chaveDeUmaEsperaCancelada();
        const QUrl retorno = Testes::retornoDePasskey(caso.envelope(chaveDoApp));
        EXPECT_EQ(desfecho([&] { return entrada.lerRetorno(retorno); }), QString::fromLatin1(caso.esperado));
        // Whatever the outcome, the key has been used up.
        EXPECT_EQ(desfecho([&] { return entrada.lerRetorno(Testes::retornoDePasskey(envelopeValido(chaveDoApp))); }),
                  QStringLiteral("falhou"));
    }
}

TEST_F(EntradaPeloSafariTeste, RetornoSemEsperaFicaAvulsoEAindaAbreComAChaveDaUltimaEspera)
{
    const QByteArray chaveDoApp = chaveDeUmaEsperaCancelada();
    QSignalSpy mudou(&entrada, &EntradaPeloSafari::retornoAvulsoMudou);
    const QUrl retorno = Testes::retornoDePasskey(envelopeValido(chaveDoApp));
    EXPECT_TRUE(entrada.receber(retorno));
    EXPECT_TRUE(entrada.receber(retorno));
    EXPECT_EQ(mudou.count(), 1) << "the same value again publishes nothing";
    ASSERT_EQ(entrada.retornoAvulso(), retorno);
    EXPECT_EQ(entrada.aguardando(), std::nullopt);

    entrada.definirRetornoAvulso(std::nullopt);
    const Resultado resultado = entrada.lerRetorno(retorno);
    ASSERT_NE(resultado.cofre(), nullptr);
    EXPECT_EQ(resultado.cofre()->chave, chaveDoCofre);
    EXPECT_EQ(EntradaPeloSafari::provedorDoRetorno(retorno), std::nullopt);
    EXPECT_EQ(EntradaPeloSafari::provedorDoRetorno(url("corvane://social?provedor=google")), QStringLiteral("google"));
}

TEST_F(EntradaPeloSafariTeste, SegundoRetornoNaoEntraDeNovo)
{
    {
        auto tarefa = entrada.esperar(QStringLiteral("passkey"), QStringLiteral("entrar/mac"));
        const QUrl retorno = Testes::retornoDePasskey(envelopeValido(Testes::chaveDoEndereco(abertos.last())));
        EXPECT_TRUE(entrada.receber(retorno));
        EXPECT_TRUE(entrada.receber(retorno));
        EXPECT_NE(Testes::executar(std::move(tarefa)).cofre(), nullptr);
        ASSERT_EQ(entrada.retornoAvulso(), retorno);
        EXPECT_EQ(desfecho([&] { return entrada.lerRetorno(*entrada.retornoAvulso()); }), QStringLiteral("falhou"));
    }
    {
        const QUrl retorno = url("corvane://social?token=t&nonce=n&provedor=apple");
        auto tarefa = entrada.entrarComProvedor(QStringLiteral("apple"));
        EXPECT_TRUE(entrada.receber(retorno));
        EXPECT_TRUE(entrada.receber(retorno));
        EXPECT_NE(Testes::executar(std::move(tarefa)).social(), nullptr);
        EXPECT_EQ(desfecho([&] { return entrada.lerRetorno(retorno); }), QStringLiteral("falhou"));
    }
}

TEST_F(EntradaPeloSafariTeste, RetornoSocialSoValeParaOPedidoDesteAplicativo)
{
    const QUrl apple = url("corvane://social?token=t&nonce=n&provedor=apple");
    // Nothing was ever asked for: a page that opens the link signs nobody in.
    EXPECT_TRUE(entrada.receber(apple));
    EXPECT_EQ(desfecho([&] { return entrada.lerRetorno(apple); }), QStringLiteral("falhou"));

    chaveDeUmaEsperaCancelada(QStringLiteral("passkey"));
    EXPECT_EQ(desfecho([&] { return entrada.lerRetorno(apple); }), QStringLiteral("falhou"));

    chaveDeUmaEsperaCancelada(QStringLiteral("google"));
    EXPECT_EQ(desfecho([&] { return entrada.lerRetorno(apple); }), QStringLiteral("falhou"));
    // The refused callback did not use up the real request.
    EXPECT_EQ(desfecho([&] { return entrada.lerRetorno(url("corvane://social?token=t&nonce=n&provedor=google")); }),
              QStringLiteral("ok"));
}

TEST_F(EntradaPeloSafariTeste, SegundaEsperaCancelaAPrimeiraEFicaAguardando)
{
    auto primeira = entrada.esperar(QStringLiteral("passkey"), QStringLiteral("entrar/mac"));
    const QByteArray chaveDaPrimeira = Testes::chaveDoEndereco(abertos.last());
    auto segunda = entrada.entrarComProvedor(QStringLiteral("apple"));
    EXPECT_EQ(desfecho([&] { return Testes::executar(std::move(primeira)); }), QStringLiteral("cancelado"));
    EXPECT_EQ(entrada.aguardando(), QStringLiteral("apple")) << "the ended wait must not clear the new one";

    // Only the latest key is held: an envelope for the first wait no longer opens.
    EXPECT_TRUE(entrada.receber(Testes::retornoDePasskey(envelopeValido(chaveDaPrimeira))));
    EXPECT_EQ(desfecho([&] { return Testes::executar(std::move(segunda)); }), QStringLiteral("cripto:falha-ao-decifrar"));
    EXPECT_EQ(entrada.aguardando(), std::nullopt);
}

TEST_F(EntradaPeloSafariTeste, OutrosEnderecosSaoRecusadosEAEsperaContinua)
{
    const QList<const char *> recusados = {
        "https://social?token=t&nonce=n",  "corvane://outro?token=t&nonce=n", "corvane:social?token=t&nonce=n",
        "corvanex://social?token=t&nonce=n", "corvane://social.exemplo.com?token=t&nonce=n", "corvane:///passkey",
        "",
    };
    auto tarefa = entrada.entrarComProvedor(QStringLiteral("apple"));
    QSignalSpy ativacao(&entrada, &EntradaPeloSafari::ativacaoPedida);
    for (const char *texto : recusados) {
        SCOPED_TRACE(texto);
        EXPECT_FALSE(entrada.receber(url(texto)));
        EXPECT_EQ(desfecho([&] { return entrada.lerRetorno(url(texto)); }), QStringLiteral("falhou"));
    }
    EXPECT_EQ(ativacao.count(), 0);
    EXPECT_EQ(entrada.aguardando(), QStringLiteral("apple"));
    EXPECT_EQ(entrada.retornoAvulso(), std::nullopt);
    // The wait is still the one that takes the real callback.
    EXPECT_TRUE(entrada.receber(url("corvane://social?token=t&nonce=n")));
    EXPECT_EQ(Testes::executar(std::move(tarefa)).social()->token, QStringLiteral("t"));
}

TEST_F(EntradaPeloSafariTeste, RetornoImediatoDoNavegadorEncontraAEspera)
{
    entrada.definirAbridor([this](const QUrl &) { entrada.receber(url("corvane://social?token=t&nonce=n")); });
    auto tarefa = entrada.entrarComProvedor(QStringLiteral("google"));
    const Resultado resultado = Testes::executar(std::move(tarefa));
    ASSERT_NE(resultado.social(), nullptr);
    EXPECT_EQ(entrada.retornoAvulso(), std::nullopt);
    EXPECT_EQ(entrada.aguardando(), std::nullopt);
}

TEST_F(EntradaPeloSafariTeste, DestruirDuranteAEsperaACancela)
{
    auto outra = std::make_unique<EntradaPeloSafari>();
    outra->definirAbridor([](const QUrl &) {});
    auto tarefa = outra->esperar(QStringLiteral("passkey"), QStringLiteral("entrar/mac"));
    outra.reset();
    EXPECT_EQ(desfecho([&] { return Testes::executar(std::move(tarefa)); }), QStringLiteral("cancelado"));
}

TEST(ErroDeEntradaSocial, SoFalhouTemTexto)
{
    EXPECT_EQ(ErroDeEntradaSocial::cancelado().errorDescription(), std::nullopt);
    EXPECT_EQ(ErroDeEntradaSocial::falhou().errorDescription(),
              QStringLiteral("Não foi possível continuar com essa conta. Tente de novo."));
}

} // namespace
