// Account creation against the development server: the e-mail code, the keys made here, the
// recovery code and the vault opened after it was shown.
#include "AmbienteDoEstado.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>

namespace {

using Fase = EstadoDoApp::Fase;

const QString emailDigitado = QStringLiteral("  Nova.Pessoa@Exemplo.COM\n");
const QString email = QStringLiteral("nova.pessoa@exemplo.com");
const QString senha = QStringLiteral("uma senha longa o bastante");

} // namespace

using CriacaoDeConta = TesteDoEstado;

TEST_F(CriacaoDeConta, DoCodigoDeEmailAoCodigoDeRecuperacaoEAoCofreAberto)
{
    EstadoDoApp &iniciado = estadoIniciado();
    QStringList sobreposicoes;
    QObject::connect(&iniciado, &EstadoDoApp::trabalhandoMudou, &iniciado, [&] {
        sobreposicoes.append(iniciado.trabalhando() ? iniciado.trabalhando()->detalhe : QString());
    });

    EXPECT_GT(Testes::executar(iniciado.pedirCodigoDeEmail(emailDigitado)), 0);
    const std::optional<QString> codigo = servidor.estado().codigoDeEmail(email);
    ASSERT_TRUE(codigo) << "o código foi pedido para o e-mail aparado e em minúsculas";
    const QString comprovante = Testes::executar(iniciado.conferirCodigoDeEmail(emailDigitado, *codigo));
    EXPECT_FALSE(comprovante.isEmpty());
    EXPECT_EQ(pedidos("POST", "/v1/conta/codigo-de-email/conferir").first().json().value(QStringLiteral("email")),
              email);

    const QString recuperacao = Testes::executar(
        iniciado.criarConta(QStringLiteral("  Ana Maria "), emailDigitado, senha, std::nullopt, comprovante));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^([A-Z2-7]{4}-){7}[A-Z2-7]{4}$")).match(recuperacao).hasMatch())
        << recuperacao.toStdString();
    EXPECT_EQ(sobreposicoes, QStringList({QStringLiteral("Gerando as chaves que só você vai ter."), QString(),
                                          QStringLiteral("Guardando a versão cifrada."), QString()}));

    const QJsonObject corpo = corpoDoPedido("POST", "/v1/conta");
    EXPECT_EQ(corpo.value(QStringLiteral("email")).toString(), email);
    EXPECT_EQ(corpo.value(QStringLiteral("nome")).toString(), QStringLiteral("Ana Maria"));
    EXPECT_EQ(corpo.value(QStringLiteral("comprovanteDeEmail")).toString(), comprovante);
    EXPECT_FALSE(corpo.contains(QStringLiteral("tokenSocial")));
    EXPECT_EQ(corpo.value(QStringLiteral("kdf")).toObject(),
              QJsonObject({{QStringLiteral("algoritmo"), QStringLiteral("argon2id")},
                           {QStringLiteral("iteracoes"), 3},
                           {QStringLiteral("memoriaKiB"), 65536},
                           {QStringLiteral("paralelismo"), 1}}));
    EXPECT_EQ(Cripto::decodificarBase64URL(corpo.value(QStringLiteral("sal")).toString()).size(), 16);

    // Between creation and confirmation: account and session here, the key only in memory.
    EXPECT_EQ(iniciado.fase(), Fase::semConta);
    ASSERT_TRUE(iniciado.conta());
    EXPECT_EQ(iniciado.conta()->email, email);
    ASSERT_TRUE(iniciado.cofreProntoParaAbrir());
    const QByteArray chave = iniciado.cofreProntoParaAbrir()->chave;
    EXPECT_EQ(chave.size(), 32);
    EXPECT_FALSE(chaveNoChaveiro());
    EXPECT_TRUE(iniciado.api()->temSessao());

    // Both sealed copies of the key open: one with the password, one with the recovery code.
    const ChavesDaSenha daSenha = Cripto::derivarChavesDaSenha(
        senha, Cripto::decodificarBase64URL(corpo.value(QStringLiteral("sal")).toString()), ParametrosKdf::padrao());
    EXPECT_EQ(daSenha.prova, corpo.value(QStringLiteral("prova")).toString());
    EXPECT_EQ(Cripto::abrirChaveDoCofre(iniciado.conta()->chaveDoCofreProtegida, daSenha.chaveDeEmbrulho), chave);
    const ChavesDeRecuperacao daRecuperacao = Cripto::derivarChavesDeRecuperacao(recuperacao);
    EXPECT_TRUE(servidor.estado().conferirProvaDeRecuperacao(email, daRecuperacao.prova));
    EXPECT_EQ(Cripto::abrirChaveDoCofre(corpo.value(QStringLiteral("chaveDoCofreRecuperacao")).toString(),
                                        daRecuperacao.chaveDeEmbrulho),
              chave);

    QSignalSpy cofres(&iniciado, &EstadoDoApp::cofreMudou);
    iniciado.abrirCofreNovo();
    iniciado.abrirCofreNovo();
    EXPECT_EQ(cofres.count(), 1) << "o segundo pedido não faz nada";
    EXPECT_EQ(iniciado.fase(), Fase::aberto);
    EXPECT_FALSE(iniciado.cofreProntoParaAbrir());
    EXPECT_TRUE(iniciado.secoesLiberadas());
    EXPECT_FALSE(iniciado.precisaEntrarDeNovo());
    EXPECT_EQ(chaveNoChaveiro(), chave);
    EXPECT_TRUE(esperarAte([this] { return motivos.size() == 1; })) << "uma oferta de proteção";
    esperarSincronia();
}

TEST_F(CriacaoDeConta, RecusaDoServidorNaoMudaNada)
{
    EstadoDoApp &iniciado = estadoIniciado();
    const Conta outra = sessaoDe(semearConta().email).conta;
    CopiaDoCofre::salvar(CopiaDoCofre{1, outra, 7, {}, {}});

    const auto erro = erroDe<ErroDaAPI>(
        iniciado.criarConta(QStringLiteral("Ana"), email, senha, std::nullopt, QStringLiteral("comprovante-falso")));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->codigo, QStringLiteral("email-nao-confirmado"));
    EXPECT_FALSE(iniciado.conta());
    EXPECT_FALSE(iniciado.cofreProntoParaAbrir());
    EXPECT_FALSE(iniciado.trabalhando());
    EXPECT_FALSE(iniciado.api()->temSessao());
    ASSERT_TRUE(CopiaDoCofre::ler());
    EXPECT_EQ(CopiaDoCofre::ler()->revisao, 7);

    iniciado.abrirCofreNovo();
    EXPECT_EQ(iniciado.fase(), Fase::semConta);
}

TEST_F(CriacaoDeConta, ContaSocialMandaSoOTokenSocial)
{
    EstadoDoApp &iniciado = estadoIniciado();
    const QString token =
        servidor.estado().cunharTokenDeIdentidade(QStringLiteral("google"), email, QStringLiteral("n1"));
    const RespostaSocial social = Testes::executar(
        iniciado.entrarComProvedor(QStringLiteral("google"), token, QStringLiteral("n1"), QStringLiteral("Ana Maria")));
    ASSERT_EQ(social.situacao, QStringLiteral("nova"));
    EXPECT_EQ(social.nomeSugerido, std::optional<QString>(QStringLiteral("Ana Maria")));

    (void)Testes::executar(iniciado.criarConta(*social.nomeSugerido, social.email, senha, social.tokenSocial,
                                               QStringLiteral("comprovante-que-nao-vai")));
    const QJsonObject corpo = corpoDoPedido("POST", "/v1/conta");
    EXPECT_EQ(corpo.value(QStringLiteral("tokenSocial")).toString(), social.tokenSocial);
    EXPECT_FALSE(corpo.contains(QStringLiteral("email")));
    EXPECT_FALSE(corpo.contains(QStringLiteral("comprovanteDeEmail")));
    ASSERT_TRUE(iniciado.conta());
    EXPECT_EQ(iniciado.conta()->email, email);
    EXPECT_TRUE(iniciado.cofreProntoParaAbrir());
}
