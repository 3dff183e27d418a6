// Sign-in through the browser: an Apple or Google identity checked with the server, and a
// passkey whose session and vault key come back in an envelope built here exactly as the sign-in
// page builds it (P-256 key agreement, HKDF-SHA256, AES-256-GCM).
#include "AmbienteDoEstado.h"

#include "plataforma/Primitivas.h"
#include "state/EntradaPeloSafari.h"

#include <QFile>
#include <QSignalSpy>
#include <QUrlQuery>

namespace {

using Fase = EstadoDoApp::Fase;

// The page's half of the exchange: its own key pair, the key agreed with the application's
// public key, and the content sealed under the label.
QString envelopeDaPagina(const QByteArray &chavePublicaDoApp, const QByteArray &conteudo)
{
    const QByteArray rotulo(EntradaPeloSafari::rotuloDoEnvelope);
    const Primitivas::ParP256 daPagina;
    const std::optional<QByteArray> segredo = daPagina.acordo(chavePublicaDoApp);
    if (!segredo)
        return {};
    const QByteArray chave = Primitivas::hkdfSha256(*segredo, {}, rotulo, 32);
    const QByteArray nonce = Cripto::bytesAleatorios(12);
    return Cripto::codificarBase64URL(daPagina.chavePublica()) + QLatin1Char('.') + Cripto::codificarBase64URL(nonce) +
           QLatin1Char('.') + Cripto::codificarBase64URL(Primitivas::selarAesGcm(conteudo, chave, nonce, rotulo));
}

} // namespace

class EntradaSocial : public TesteDoEstado {
protected:
    void SetUp() override
    {
        TesteDoEstado::SetUp();
        semeada = semearConta();
    }

    // A passkey sign-in of `email` through the browser exchange: the page opened, the envelope
    // sent back on the callback, and the result read.
    EntradaPeloSafari::Resultado::Cofre passkey(const QString &email, const QByteArray &chave)
    {
        EntradaPeloSafari safari;
        QList<QUrl> abertos;
        safari.definirAbridor([&abertos](const QUrl &url) { abertos.append(url); });
        QCoro::Task<EntradaPeloSafari::Resultado> espera =
            safari.esperar(QStringLiteral("passkey"), QStringLiteral("entrar/mac"));
        EXPECT_EQ(abertos.size(), 1);
        if (abertos.isEmpty())
            return {};
        const QUrlQuery consulta(abertos.first());
        EXPECT_EQ(abertos.first().path(), QStringLiteral("/entrar/mac"));
        EXPECT_EQ(consulta.queryItems().size(), 1) << "só a chave";

        const QJsonObject conteudo{{QStringLiteral("sessao"), servidor.estado().abrirSessao(email)},
                                   {QStringLiteral("chaveDoCofre"), Cripto::codificarBase64URL(chave)}};
        const QString envelope = envelopeDaPagina(
            Cripto::decodificarBase64URL(consulta.queryItemValue(QStringLiteral("chave"))),
            QJsonDocument(conteudo).toJson(QJsonDocument::Compact));
        EXPECT_TRUE(safari.receber(QUrl(QStringLiteral("corvane://passkey?envelope=") + envelope)));
        const EntradaPeloSafari::Resultado resultado = Testes::executar(std::move(espera));
        EXPECT_TRUE(resultado.cofre());
        return resultado.cofre() ? *resultado.cofre() : EntradaPeloSafari::Resultado::Cofre{};
    }

    ContaSemeada semeada;
};

TEST_F(EntradaSocial, IdentidadeNovaVaiParaOCadastroSemNomeQuandoOCallbackNaoTraz)
{
    EstadoDoApp &iniciado = estadoIniciado();
    QStringList titulos;
    QObject::connect(&iniciado, &EstadoDoApp::trabalhandoMudou, &iniciado, [&] {
        titulos.append(iniciado.trabalhando() ? iniciado.trabalhando()->titulo : QString());
    });
    const QString token = servidor.estado().cunharTokenDeIdentidade(
        QStringLiteral("apple"), QStringLiteral("nova@exemplo.com"), QStringLiteral("n"));
    const RespostaSocial resposta =
        Testes::executar(iniciado.entrarComProvedor(QStringLiteral("apple"), token, QStringLiteral("n"), std::nullopt));
    EXPECT_EQ(resposta.situacao, QStringLiteral("nova"));
    EXPECT_EQ(resposta.email, QStringLiteral("nova@exemplo.com"));
    EXPECT_FALSE(resposta.nomeSugerido);
    EXPECT_EQ(titulos, QStringList({QStringLiteral("Conferindo"), QString()}));
    EXPECT_EQ(corpoDoPedido("POST", "/v1/conta/social"),
              QJsonObject({{QStringLiteral("provedor"), QStringLiteral("apple")},
                           {QStringLiteral("tokenDeIdentidade"), token},
                           {QStringLiteral("nonce"), QStringLiteral("n")}}));
}

TEST_F(EntradaSocial, IdentidadeRecusadaLimpaASobreposicao)
{
    EstadoDoApp &iniciado = estadoIniciado();
    const auto erro = erroDe<ErroDaAPI>(iniciado.entrarComProvedor(
        QStringLiteral("google"), QStringLiteral("inventado"), QStringLiteral("n"), std::nullopt));
    ASSERT_TRUE(erro);
    EXPECT_TRUE(erro->ehServidor());
    EXPECT_FALSE(iniciado.trabalhando());
}

TEST_F(EntradaSocial, ContaExistentePedeASenhaDoCofreEEntraComOTokenSocial)
{
    EstadoDoApp &iniciado = estadoIniciado();
    const QString token =
        servidor.estado().cunharTokenDeIdentidade(QStringLiteral("google"), semeada.email, QStringLiteral("n2"));
    const RespostaSocial resposta = Testes::executar(
        iniciado.entrarComProvedor(QStringLiteral("google"), token, QStringLiteral("n2"), QStringLiteral("Ana")));
    ASSERT_NE(resposta.situacao, QStringLiteral("nova"));
    EXPECT_EQ(resposta.nomeSugerido, std::optional<QString>(QStringLiteral("Ana")));

    const EntradaPendente pendente = Testes::executar(iniciado.prepararEntradaSocial(resposta, semeada.senha));
    EXPECT_EQ(pendente.email, semeada.email);
    EXPECT_EQ(pendente.tokenSocial, std::optional<QString>(resposta.tokenSocial));

    Testes::executar(iniciado.concluirEntrada(pendente));
    const QJsonObject corpo = corpoDoPedido("POST", "/v1/sessao");
    EXPECT_FALSE(corpo.contains(QStringLiteral("email")));
    EXPECT_EQ(corpo.value(QStringLiteral("tokenSocial")).toString(), resposta.tokenSocial);
    EXPECT_EQ(iniciado.fase(), Fase::aberto);
    EXPECT_EQ(iniciado.cofre()->chave(), semeada.chave);
    esperarSincronia();
}

TEST_F(EntradaSocial, RespostaSemSalOuSemKdfEhSenhaIncorretaSemSobreposicao)
{
    EstadoDoApp &iniciado = estadoIniciado();
    QSignalSpy sobreposicoes(&iniciado, &EstadoDoApp::trabalhandoMudou);
    RespostaSocial semKdf{QStringLiteral("existente"), semeada.email, QStringLiteral("c2Fs"), std::nullopt,
                          QStringLiteral("t"), std::nullopt};
    RespostaSocial semSal = semKdf;
    semSal.sal.reset();
    semSal.kdf = ParametrosKdf::padrao();
    for (const RespostaSocial &resposta : {semKdf, semSal}) {
        const auto erro = erroDe<ErroDeEntrada>(iniciado.prepararEntradaSocial(resposta, semeada.senha));
        ASSERT_TRUE(erro);
        EXPECT_EQ(erro->errorDescription(), QStringLiteral("Senha incorreta."));
    }
    EXPECT_EQ(sobreposicoes.count(), 0);
}

TEST_F(EntradaSocial, PasskeySemContaAbreOCofreEOfereceProtecaoUmaVez)
{
    EstadoDoApp &iniciado = estadoIniciado();
    const EntradaPeloSafari::Resultado::Cofre resultado = passkey(semeada.email, semeada.chave);
    Testes::executar(iniciado.entrarComPasskey(resultado.sessao, resultado.chave));

    EXPECT_EQ(iniciado.fase(), Fase::aberto);
    EXPECT_TRUE(iniciado.secoesLiberadas());
    EXPECT_FALSE(iniciado.precisaEntrarDeNovo());
    EXPECT_EQ(iniciado.cofre()->chave(), semeada.chave);
    EXPECT_EQ(chaveNoChaveiro(), semeada.chave);
    EXPECT_TRUE(iniciado.api()->temSessao());
    EXPECT_TRUE(esperarAte([this] { return !motivos.isEmpty(); }));
    esperarSincronia();
    EXPECT_EQ(motivos.size(), 1);
}

TEST_F(EntradaSocial, PasskeyDoCofreAbertoComAMesmaChaveMantemOCofre)
{
    EstadoDoApp &aberto = estadoAberto(semeada);
    aberto.sessaoFoiEncerrada();
    Cofre *const cofre = aberto.cofre();
    const EntradaPeloSafari::Resultado::Cofre resultado = passkey(semeada.email, semeada.chave);
    servidor.limparPedidos();

    Testes::executar(aberto.entrarComPasskey(resultado.sessao, resultado.chave));
    EXPECT_EQ(aberto.cofre(), cofre);
    EXPECT_FALSE(aberto.precisaEntrarDeNovo());
    EXPECT_EQ(aberto.conta(), ContaOpcional(resultado.sessao.conta));
    EXPECT_EQ(pedidos("GET", "/v1/cofre").size(), 1) << "a sincronia foi aguardada";
    QCoreApplication::processEvents();
    EXPECT_TRUE(motivos.isEmpty()) << "sem oferta de proteção fora do semConta";
}

TEST_F(EntradaSocial, PasskeyComOutraChaveTrocaOCofreSemOferta)
{
    const ContaSemeada antiga{semeada.email, semeada.senha, Cripto::bytesAleatorios(32)};
    EstadoDoApp &aberto = estadoAberto(antiga);
    const QPointer<Cofre> cofre(aberto.cofre());
    const EntradaPeloSafari::Resultado::Cofre resultado = passkey(semeada.email, semeada.chave);

    Testes::executar(aberto.entrarComPasskey(resultado.sessao, resultado.chave));
    EXPECT_NE(aberto.cofre(), cofre.data());
    EXPECT_EQ(aberto.cofre()->chave(), semeada.chave);
    EXPECT_EQ(chaveNoChaveiro(), semeada.chave);
    esperarSincronia();
    EXPECT_TRUE(motivos.isEmpty());
}

// Signing in again from an open vault must bring back the same account; another account's
// session and key are refused and nothing of them is kept.
TEST_F(EntradaSocial, PasskeyDeOutraContaComCofreAbertoEhRecusado)
{
    const ContaSemeada outra = semearConta(QStringLiteral("bia@exemplo.com"));
    EstadoDoApp &aberto = estadoAberto(semeada);
    aberto.sessaoFoiEncerrada();
    Cofre *const cofre = aberto.cofre();
    const ContaOpcional conta = aberto.conta();
    const std::optional<TokensGuardados> tokens = aberto.api()->tokens();
    const EntradaPeloSafari::Resultado::Cofre resultado = passkey(outra.email, outra.chave);

    const auto erro = erroDe<ErroDeEntrada>(aberto.entrarComPasskey(resultado.sessao, resultado.chave));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->caso(), ErroDeEntrada::Caso::contaDiferente);
    EXPECT_EQ(erro->errorDescription(), QStringLiteral("Essa entrada é de outra conta. Entre com a conta deste cofre."));
    EXPECT_STREQ(erro->what(), "Essa entrada é de outra conta. Entre com a conta deste cofre.");
    EXPECT_EQ(aberto.cofre(), cofre);
    EXPECT_EQ(aberto.conta(), conta);
    EXPECT_TRUE(aberto.precisaEntrarDeNovo());
    EXPECT_EQ(aberto.api()->tokens(), tokens);
    EXPECT_EQ(chaveNoChaveiro(), semeada.chave);
    ASSERT_TRUE(CopiaDoCofre::ler());
    EXPECT_EQ(CopiaDoCofre::ler()->conta.id, conta->id);
}
